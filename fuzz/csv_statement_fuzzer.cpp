#include "core/register/csv_statement.h"
#include "statement_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

// Arbitrary bytes as a CSV statement under a mapping that the first bytes
// choose: delimiter, header, columns, layout, sign, decimal mark and one of
// the date formats the dialog offers. Also the rows the mapping dialog shows,
// and the mapping's own text read back.
namespace {

const char* const dateFormats[] = {"yyyy-MM-dd", "MM/dd/yyyy", "dd/MM/yyyy", "dd.MM.yyyy",
                                   "d/M/yyyy",   "M/d/yy",     "dd.MM.yy"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    FuzzedDataProvider input(data, size);
    CsvMapping m;
    m.delimiter = QChar(u",;\t"[input.ConsumeIntegralInRange(0, 2)]);
    m.hasHeader = input.ConsumeBool();
    m.dateColumn = input.ConsumeIntegralInRange(1, 5);
    m.dateFormat = QString::fromLatin1(dateFormats[input.ConsumeIntegralInRange(0, 6)]);
    m.descriptionColumn = input.ConsumeIntegralInRange(1, 5);
    m.memoColumn = input.ConsumeIntegralInRange(0, 5);
    if (input.ConsumeBool()) {
        m.layout = CsvMapping::AmountLayout::ChargeAndPaymentColumns;
        m.amountColumn = 0; // as the dialog leaves it, and as fromText gives it
        m.chargeColumn = input.ConsumeIntegralInRange(1, 5);
        m.paymentColumn = m.chargeColumn % 5 + 1;
    } else {
        m.amountColumn = input.ConsumeIntegralInRange(1, 5);
        m.chargesArePositive = input.ConsumeBool();
    }
    m.decimalSeparator = input.ConsumeBool() ? u',' : u'.';
    Fuzz::require(m.isValid(), "a mapping made of valid choices is not valid");
    Fuzz::require(CsvMapping::fromText(m.toText()) == m, "a mapping does not survive its text");

    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));
    const std::vector<QStringList> rows = csvRows(bytes, m.delimiter, 20);
    Fuzz::require(rows.size() <= 20, "csvRows gave more rows than asked");
    Fuzz::checkStatement([&] { return parseCsv(bytes, QStringLiteral("fuzz.csv"), m); }, false);
    CsvMapping::fromText(QString::fromLatin1(bytes));
    return 0;
}
