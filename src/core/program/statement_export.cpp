#include "core/program/statement_export.h"

#include "core/program/year_ledger.h"

#include "core/amounts/cc_math.h"
#include "core/platform/clock.h"
#include "core/platform/save_transaction.h"
#include "core/platform/short_date.h"
#include "core/platform/text_grid.h"
#include "core/platform/year_texts.h"
#include "core/program/pursewise.h"
#include "core/register/begin_bal.h"
#include "core/register/grid.h"
#include "core/register/ledger_entry.h"
#include "core/register/register_fields.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace {

// The cents of a stored amount, none for an empty cell: a plain amount is read
// where it lies, anything else the long way, which raises for a text that is
// no amount.
std::optional<std::int64_t> centsOf(const TccMath& math, const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    if (const auto cents = TccMath::PlainCents(std::u16string_view(
            reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()))))
        return cents;
    return math.AmountToCents(text.toStdString());
}

// Rows 1 to `count` of a ledger as export rows of `year`.
std::vector<ExportRow> rowsOf(const TextGrid& ledger, int count, const QString& year,
                              const TccMath& math)
{
    std::vector<ExportRow> rows;
    rows.reserve(std::size_t(std::max(count, 0)));
    for (int row = 1; row <= count; ++row) {
        const LedgerEntry entry = entryAt(ledger, row);
        ExportRow out;
        out.year = year;
        out.dateText = entry.date;
        if (const auto date = ShortDate::tryParse(entry.date))
            out.date = *date;
        out.description = entry.description;
        out.charge = centsOf(math, entry.charge);
        out.payment = centsOf(math, entry.payment);
        out.cleared = entry.cleared;
        out.balance = centsOf(math, entry.balance);
        rows.push_back(std::move(out));
    }
    return rows;
}

// Another year of the open card, read from its file into tables of its own,
// so the register's ledger, year texts and balances stay as they are.
std::vector<ExportRow> rowsOfYearFile(const Pursewise& p, const QString& year)
{
    TextGrid ledger{7, TGrid::lastRow + 1, 1};
    YearTexts years{p.main.CurrentYr, year};
    const RegisterFields card = p.reg;
    TextGrid balances = p.beginBalGrid;
    TBeginBal beginBal{balances, years, card, p.math};
    beginBal.TakeCurrentYear();
    beginBal.TakeSelectedYear();
    TGrid grid{ledger, beginBal, years, card, p.math};
    grid.LoadYear();
    // A stale year's stored balances predate a change in an earlier year;
    // the register would recompute them on opening it, and so do we.
    if (beginBal.IsStale())
        grid.RecomputeBalances();
    return rowsOf(ledger, grid.entryCount(), year, p.math);
}

bool needsQuotes(const QString& field)
{
    for (const QChar c : field) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

void addField(QString& line, const QString& field)
{
    if (!needsQuotes(field)) {
        line += field;
        return;
    }
    line += u'"';
    line += QString(field).replace(u'"', QStringLiteral("\"\""));
    line += u'"';
}

// The apostrophe in front of text a spreadsheet would compute: one starting
// with "=", "+", "-" or "@", or with a tab or CR, which some spreadsheets
// skip before looking for those.
QString guardedText(const QString& text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && starts.contains(text.front()))
        return u'\'' + text;
    return text;
}

QString optionalAmount(const std::optional<std::int64_t>& cents)
{
    return cents ? exportAmount(*cents) : QString();
}

QString csvDate(const ExportRow& row)
{
    return row.date.isValid() ? row.date.toString(QStringLiteral("yyyy-MM-dd")) : row.dateText;
}

QString qifDate(const ExportRow& row)
{
    return row.date.isValid() ? row.date.toString(QStringLiteral("MM/dd/yyyy")) : row.dateText;
}

// A QIF field is the rest of its line and has no quoting, so a line break in
// a description would start a field of its own: it becomes a blank.
QString oneLine(const QString& text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

} // namespace

QString exportAmount(std::int64_t cents)
{
    // Unsigned, so that the most negative cents still have a magnitude.
    const bool negative = cents < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

std::vector<ExportRow> yearOnViewRows(const Pursewise& p)
{
    return rowsOf(p.ledger, p.grid.entryCount(), p.main.SelectedYr, p.math);
}

std::vector<ExportRow> allYearsRows(const Pursewise& p)
{
    QStringList years;
    for (const QString& year : p.years.items) {
        if (!year.trimmed().isEmpty() && !years.contains(year))
            years.append(year);
    }
    // The year on view has its entries in the register even when the list
    // does not name it yet.
    if (!years.contains(p.main.SelectedYr))
        years.append(p.main.SelectedYr);
    const int thisYear = Clock::today().year();
    std::stable_sort(years.begin(), years.end(), [thisYear](const QString& a, const QString& b) {
        return calendarYearOf(a, thisYear) < calendarYearOf(b, thisYear);
    });

    std::vector<ExportRow> rows;
    for (const QString& year : years) {
        std::vector<ExportRow> ofYear =
            year == p.main.SelectedYr ? yearOnViewRows(p) : rowsOfYearFile(p, year);
        rows.insert(rows.end(), std::make_move_iterator(ofYear.begin()),
                    std::make_move_iterator(ofYear.end()));
    }
    return rows;
}

QByteArray exportCsv(const std::vector<ExportRow>& rows, CsvFormulas formulas)
{
    // RFC 4180 leaves formulas alone, and a description such as "-5 refund"
    // or "@home" is the user's text: by default it is written as it stands.
    // A caller that hands the file to a spreadsheet it does not trust asks for
    // CsvFormulas::Guarded. Only the description is ever guarded; dates,
    // amounts and marks are made here and a minus there is a negative amount.
    QString text = QStringLiteral("Date,Description,Charge,Payment,Cleared,Balance\r\n");
    for (const ExportRow& row : rows) {
        QString line;
        addField(line, csvDate(row));
        line += u',';
        addField(line,
                 formulas == CsvFormulas::Guarded ? guardedText(row.description) : row.description);
        line += u',';
        line += optionalAmount(row.charge);
        line += u',';
        line += optionalAmount(row.payment);
        line += u',';
        if (row.cleared)
            line += u'X';
        line += u',';
        line += optionalAmount(row.balance);
        line += QStringLiteral("\r\n");
        text += line;
    }
    return text.toUtf8();
}

QByteArray exportQif(const std::vector<ExportRow>& rows)
{
    QString text = QStringLiteral("!Type:CCard\r\n");
    for (const ExportRow& row : rows) {
        text += u'D' + qifDate(row) + QStringLiteral("\r\n");
        // A charge takes from the account, a payment puts back; a row holding
        // both counts as its charge, as the register counts it.
        std::int64_t amount = 0;
        if (row.charge)
            amount = -*row.charge;
        else if (row.payment)
            amount = *row.payment;
        text += u'T' + exportAmount(amount) + QStringLiteral("\r\n");
        text += u'P' + oneLine(row.description) + QStringLiteral("\r\n");
        if (row.cleared)
            text += QStringLiteral("CX\r\n");
        text += QStringLiteral("^\r\n");
    }
    return text.toUtf8();
}

void saveExport(const QString& path, const QByteArray& bytes)
{
    // Not DataFile::writeBytes: that one makes the data folder's daily backup
    // and, inside a user action, stages the file for the action's journal,
    // which only knows the data folder. An export is no data file; QSaveFile
    // gives it the same promise on its own, old file or whole new file.
    const QFileInfo info(path);
    const QString name = info.fileName();
    // Said as the data files say it, not in QSaveFile's words.
    if (info.isDir())
        throw DataFile::fileError("save", name, EISDIR, QString());
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw DataFile::fileError("save", name, errno, file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        throw DataFile::fileError("save", name, error, file.errorString());
    }
    errno = 0;
    if (!file.commit())
        throw DataFile::fileError("save", name, errno, file.errorString());
}
