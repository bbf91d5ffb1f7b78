#include "core/register/csv_statement.h"

#include "core/platform/late_library.h"
#include "core/platform/user_error.h"
#include "core/register/statement_text.h"

#include <QStringDecoder>

#include <algorithm>
#include <csv.h>
#include <functional>
#include <map>

namespace {

constexpr int widestColumn = 999;

bool validColumn(int column, bool optional)
{
    return (optional && column == 0) || (column >= 1 && column <= widestColumn);
}

QString delimiterName(QChar c)
{
    if (c == u';')
        return QStringLiteral("semicolon");
    if (c == u'\t')
        return QStringLiteral("tab");
    return QStringLiteral("comma");
}

std::optional<QChar> delimiterOfName(const QString& name)
{
    if (name == u"comma")
        return QChar(u',');
    if (name == u"semicolon")
        return QChar(u';');
    if (name == u"tab")
        return QChar(u'\t');
    return std::nullopt;
}

// The parts of libcsv the reader uses, looked up once; libcsv is loaded at
// the first CSV import (core/platform/late_library.h).
struct Libcsv
{
    decltype(&csv_init) init = nullptr;
    decltype(&csv_set_delim) setDelimiter = nullptr;
    decltype(&csv_set_space_func) setSpaceTest = nullptr;
    decltype(&csv_parse) parse = nullptr;
    decltype(&csv_fini) finish = nullptr;
    decltype(&csv_free) free = nullptr;
    QString missing; // why libcsv cannot be used, or nothing
};

Libcsv loadLibcsv()
{
    static LateLibrary library(QStringLiteral(PURSEWISE_LIBCSV));
    Libcsv csv;
    const bool complete =
        library.find(csv.init, "csv_init") && library.find(csv.setDelimiter, "csv_set_delim") &&
        library.find(csv.setSpaceTest, "csv_set_space_func") &&
        library.find(csv.parse, "csv_parse") && library.find(csv.finish, "csv_fini") &&
        library.find(csv.free, "csv_free");
    if (!complete)
        csv.missing = library.reason();
    return csv;
}

// libcsv ready to use, or a message that it is not installed as it should be.
const Libcsv& libcsv()
{
    static const Libcsv csv = loadLibcsv();
    if (!csv.missing.isEmpty())
        throw UserError(
            QStringLiteral("The CSV reader cannot be loaded (%1).").arg(csv.missing).toStdString());
    return csv;
}

// The rows of a CSV text through libcsv, each with the line it starts on.
// libcsv knows no lines, so the bytes go to it one line at a time: a row
// that begins while a line is fed begins on that line, and a quoted text
// with breaks inside simply spans the lines fed after it.
class CsvRowReader
{
public:
    // `row` gets each row that is not empty and answers whether to go on.
    using RowHandler = std::function<bool(const QStringList& row, int line)>;

    CsvRowReader(QChar delimiter, RowHandler row) : m_csv(libcsv()), m_row(std::move(row))
    {
        m_csv.init(&m_parser, CSV_STRICT | CSV_STRICT_FINI);
        m_csv.setDelimiter(&m_parser, static_cast<unsigned char>(delimiter.toLatin1()));
        // Blanks around a field are dropped; with tabs between the fields a
        // tab must stay a delimiter and never count as a blank.
        if (delimiter == u'\t')
            m_csv.setSpaceTest(&m_parser, [](unsigned char c) { return c == ' ' ? 1 : 0; });
    }
    ~CsvRowReader() { m_csv.free(&m_parser); }
    CsvRowReader(const CsvRowReader&) = delete;
    CsvRowReader& operator=(const CsvRowReader&) = delete;

    // Reads the whole text; the fault's line and what it is, or nothing.
    struct Fault
    {
        int line = 0;
        QString what;
    };
    std::optional<Fault> read(const QByteArray& input)
    {
        QByteArray bytes = input;
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString probe = utf8.decode(bytes);
        m_utf8 = !utf8.hasError();

        const char* data = bytes.constData();
        const qsizetype size = bytes.size();
        qsizetype start = 0;
        int line = 0;
        while (start < size && !m_stopped) {
            qsizetype end = start;
            while (end < size && data[end] != '\n' && data[end] != '\r')
                ++end;
            if (end < size)
                end += data[end] == '\r' && end + 1 < size && data[end + 1] == '\n' ? 2 : 1;
            ++line;
            // ROW_NOT_BEGUN, libcsv's state between rows, is 0.
            if (m_parser.pstate == 0)
                m_rowLine = line;
            const std::size_t length = static_cast<std::size_t>(end - start);
            if (m_csv.parse(&m_parser, data + start, length, &CsvRowReader::field,
                            &CsvRowReader::rowEnd, this) != length)
                return Fault{line, QStringLiteral("a quote stands inside a field")};
            start = end;
        }
        if (m_stopped)
            return std::nullopt;
        // The one fault left at the end is a quote opened and never closed,
        // on the line where its row starts.
        if (m_csv.finish(&m_parser, &CsvRowReader::field, &CsvRowReader::rowEnd, this) != 0)
            return Fault{m_rowLine, QStringLiteral("a quoted text is not closed")};
        return std::nullopt;
    }

private:
    static void field(void* text, std::size_t length, void* self)
    {
        auto* reader = static_cast<CsvRowReader*>(self);
        const char* chars = static_cast<const char*>(text);
        const qsizetype size = static_cast<qsizetype>(length);
        reader->m_fields.append(chars == nullptr ? QString()
                                : reader->m_utf8 ? QString::fromUtf8(chars, size)
                                                 : QString::fromLatin1(chars, size));
    }

    static void rowEnd(int, void* self)
    {
        auto* reader = static_cast<CsvRowReader*>(self);
        QStringList fields;
        fields.swap(reader->m_fields);
        if (reader->m_stopped)
            return;
        bool empty = true;
        for (const QString& f : fields)
            empty = empty && f.trimmed().isEmpty();
        if (!empty && !reader->m_row(fields, reader->m_rowLine))
            reader->m_stopped = true;
    }

    const Libcsv& m_csv;
    csv_parser m_parser{};
    RowHandler m_row;
    QStringList m_fields;
    int m_rowLine = 1;
    bool m_utf8 = true;
    bool m_stopped = false;
};

QString cell(const QStringList& row, int column)
{
    return column >= 1 && column <= row.size() ? row[column - 1].trimmed() : QString();
}

QDate dateOf(const QString& text, const QString& format)
{
    QDate date = QDate::fromString(text, format);
    // Qt reads "yy" as 1900 to 1999; the program's window decides instead.
    if (date.isValid() && !format.contains(QStringLiteral("yyyy")) &&
        format.contains(QStringLiteral("yy")))
        date = QDate(StatementText::fullYear(date.year() % 100), date.month(), date.day());
    return date;
}

void setTwoColumnAmount(StatementEntry& entry, const QString& charge, const QString& payment,
                        QChar decimal)
{
    // A bank may fill the unused column with 0.00; zero counts as empty here.
    const auto amountIn = [&](const QString& text) -> std::optional<std::int64_t> {
        const std::optional<std::int64_t> cents = StatementText::parseAmount(text, decimal);
        return cents && *cents != 0 ? std::optional(*cents < 0 ? -*cents : *cents)
                                    : std::nullopt;
    };
    const bool chargeBad = !charge.isEmpty() && !amountIn(charge) &&
                           StatementText::parseAmount(charge, decimal) != std::int64_t{0};
    const bool paymentBad = !payment.isEmpty() && !amountIn(payment) &&
                            StatementText::parseAmount(payment, decimal) != std::int64_t{0};
    if (!entry.problem.isEmpty())
        return;
    if (chargeBad || paymentBad) {
        entry.problem = StatementText::notAnAmount(chargeBad ? charge : payment);
        return;
    }
    const std::optional<std::int64_t> spent = amountIn(charge);
    const std::optional<std::int64_t> paid = amountIn(payment);
    if (spent && paid) {
        entry.problem = QStringLiteral("both a charge and a payment");
    } else if (spent) {
        entry.cents = *spent;
        entry.kind = EntryKind::Charge;
    } else if (paid) {
        entry.cents = *paid;
        entry.kind = EntryKind::Payment;
    } else {
        entry.problem = QString::fromLatin1(StatementText::noAmount);
    }
}

} // namespace

bool CsvMapping::isValid() const
{
    const bool amounts = layout == AmountLayout::OneColumn
                             ? validColumn(amountColumn, false)
                             : validColumn(chargeColumn, false) &&
                                   validColumn(paymentColumn, false) &&
                                   chargeColumn != paymentColumn;
    return (delimiter == u',' || delimiter == u';' || delimiter == u'\t') &&
           (decimalSeparator == u'.' || decimalSeparator == u',') &&
           validColumn(dateColumn, false) && validColumn(descriptionColumn, false) &&
           validColumn(memoColumn, true) && amounts && !dateFormat.trimmed().isEmpty() &&
           !dateFormat.contains(u'\n') && !dateFormat.contains(u'\r');
}

int CsvMapping::columnsNeeded() const
{
    int widest = std::max({dateColumn, descriptionColumn, memoColumn});
    if (layout == AmountLayout::OneColumn)
        return std::max(widest, amountColumn);
    return std::max({widest, chargeColumn, paymentColumn});
}

QString CsvMapping::toText() const
{
    QString text = QStringLiteral("delimiter=%1 header=%2 date=%3 description=%4 memo=%5 ")
                       .arg(delimiterName(delimiter), hasHeader ? u"yes" : u"no")
                       .arg(dateColumn)
                       .arg(descriptionColumn)
                       .arg(memoColumn);
    if (layout == AmountLayout::OneColumn)
        text += QStringLiteral("amount=%1 charges=%2 ")
                    .arg(amountColumn)
                    .arg(chargesArePositive ? u"positive" : u"negative");
    else
        text += QStringLiteral("charge=%1 payment=%2 ").arg(chargeColumn).arg(paymentColumn);
    text += QStringLiteral("decimal=%1 ").arg(decimalSeparator == u',' ? u"comma" : u"point");
    // Last, as the rest of the line: a date format may hold blanks.
    return text + QStringLiteral("dateformat=") + dateFormat;
}

std::optional<CsvMapping> CsvMapping::fromText(const QString& text)
{
    const qsizetype formatAt = text.indexOf(QStringLiteral(" dateformat="));
    if (formatAt < 0)
        return std::nullopt;
    std::map<QString, QString> values;
    for (const QString& pair : text.left(formatAt).split(u' ')) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals <= 0 || !values.emplace(pair.left(equals), pair.mid(equals + 1)).second)
            return std::nullopt;
    }
    const auto number = [&](const char* key, bool required) -> std::optional<int> {
        const auto found = values.find(QString::fromLatin1(key));
        if (found == values.end())
            return required ? std::nullopt : std::optional(0);
        bool ok = false;
        const int n = found->second.toInt(&ok);
        return ok && found->second == QString::number(n) ? std::optional(n) : std::nullopt;
    };
    const auto word = [&](const char* key) {
        const auto found = values.find(QString::fromLatin1(key));
        return found == values.end() ? QString() : found->second;
    };

    CsvMapping m;
    const std::optional<QChar> delimiter = delimiterOfName(word("delimiter"));
    const QString header = word("header");
    const QString decimal = word("decimal");
    const std::optional<int> date = number("date", true);
    const std::optional<int> description = number("description", true);
    const std::optional<int> memo = number("memo", false);
    if (!delimiter || (header != u"yes" && header != u"no") ||
        (decimal != u"point" && decimal != u"comma") || !date || !description || !memo)
        return std::nullopt;
    m.delimiter = *delimiter;
    m.hasHeader = header == u"yes";
    m.decimalSeparator = decimal == u"comma" ? u',' : u'.';
    m.dateColumn = *date;
    m.descriptionColumn = *description;
    m.memoColumn = *memo;
    m.dateFormat = text.mid(formatAt + 12);
    std::size_t keys = 6;
    if (values.count(QStringLiteral("amount")) != 0) {
        const std::optional<int> amount = number("amount", true);
        const QString charges = word("charges");
        if (!amount || (charges != u"positive" && charges != u"negative"))
            return std::nullopt;
        m.layout = AmountLayout::OneColumn;
        m.amountColumn = *amount;
        m.chargesArePositive = charges == u"positive";
        keys += 2;
    } else {
        const std::optional<int> charge = number("charge", true);
        const std::optional<int> payment = number("payment", true);
        if (!charge || !payment)
            return std::nullopt;
        m.layout = AmountLayout::ChargeAndPaymentColumns;
        m.amountColumn = 0;
        m.chargeColumn = *charge;
        m.paymentColumn = *payment;
        keys += 2;
    }
    if (values.size() != keys || !m.isValid())
        return std::nullopt;
    return m;
}

std::vector<QStringList> csvRows(const QByteArray& bytes, QChar delimiter, int maxRows)
{
    std::vector<QStringList> rows;
    if (maxRows <= 0)
        return rows;
    CsvRowReader reader(delimiter, [&](const QStringList& row, int) {
        rows.push_back(row);
        return static_cast<int>(rows.size()) < maxRows;
    });
    reader.read(bytes);
    return rows;
}

Statement parseCsv(const QByteArray& bytes, const QString& fileName, const CsvMapping& mapping)
{
    if (!mapping.isValid())
        throw StatementText::fileError(fileName,
                                       QStringLiteral("the choice of columns is not complete"));
    Statement statement;
    statement.fileName = fileName;
    bool headerToSkip = mapping.hasHeader;
    const int needed = mapping.columnsNeeded();
    const bool oneColumn = mapping.layout == CsvMapping::AmountLayout::OneColumn;

    CsvRowReader reader(mapping.delimiter, [&](const QStringList& row, int line) {
        if (headerToSkip) {
            headerToSkip = false;
            return true;
        }
        StatementEntry entry;
        entry.line = line;
        entry.description = StatementText::joinDescription(
            cell(row, mapping.descriptionColumn), cell(row, mapping.memoColumn));
        if (row.size() < needed) {
            entry.problem = QStringLiteral("too few columns");
            statement.entries.push_back(entry);
            return true;
        }
        const QString dateText = cell(row, mapping.dateColumn);
        if (dateText.isEmpty()) {
            entry.problem = QString::fromLatin1(StatementText::noDate);
        } else {
            const QDate date = dateOf(dateText, mapping.dateFormat);
            if (date.isValid())
                entry.date = date;
            else
                entry.problem = StatementText::notADate(dateText);
        }
        if (oneColumn)
            StatementText::setAmount(entry, cell(row, mapping.amountColumn),
                                     mapping.decimalSeparator, !mapping.chargesArePositive);
        else
            setTwoColumnAmount(entry, cell(row, mapping.chargeColumn),
                               cell(row, mapping.paymentColumn), mapping.decimalSeparator);
        statement.entries.push_back(entry);
        return true;
    });
    if (const auto fault = reader.read(bytes))
        throw StatementText::fileError(fileName, fault->line, fault->what);
    return statement;
}

Statement readCsvStatement(const QString& path, const CsvMapping& mapping)
{
    return parseCsv(StatementText::readStatementBytes(path), StatementText::fileNameOf(path),
                    mapping);
}
