#include "core/program/statement_import.h"

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"
#include "core/program/all_or_nothing.h"
#include "core/program/dialog_values.h"
#include "core/program/pursewise.h"
#include "core/program/year_ledger.h"

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <tuple>

namespace {

// What makes two entries the same entry: the day, the amount, the kind and
// the description, the last without regard to case or runs of blanks
// ("ACME  Store " is "acme store").
using EntryKey = std::tuple<QDate, std::int64_t, EntryKind, QString>;

QString sameText(const QString& description)
{
    return description.simplified().toCaseFolded();
}

EntryKey keyOf(const StatementEntry& entry)
{
    return {entry.date, entry.cents, entry.kind, sameText(entry.description)};
}

// The year's entries as keys with how often each occurs; a row whose date or
// amount cannot be read matches no statement entry.
std::map<EntryKey, int> entriesOf(const YearLedger& year, const TccMath& math)
{
    std::map<EntryKey, int> keys;
    for (int row = 1; row <= year.entryCount(); ++row) {
        const LedgerEntry entry = entryAt(year.ledger(), row);
        const std::optional<QDate> date = ShortDate::tryParse(entry.date);
        if (!date || entry.kind() == EntryKind::None)
            continue;
        std::int64_t cents = 0;
        try {
            cents = math.AmountToCents(entry.amount().toStdString());
        } catch (const UserError&) {
            continue;
        }
        ++keys[{*date, cents, entry.kind(), sameText(entry.description)}];
    }
    return keys;
}

// A description as one cell of a ledger file can hold it: a line break
// would end the cell line and a NUL damage the file, so each control
// character becomes a blank ("Two\r\nlines" is "Two  lines").
QString oneLine(const QString& description)
{
    QString text = description;
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    return text;
}

QString twoDigits(int year)
{
    return QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'));
}

// The indexes of `lines` in date order, the file's order among entries of
// one day.
template <typename Wanted>
std::vector<std::size_t> inDateOrder(const std::vector<ImportLine>& lines, Wanted&& wanted)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (wanted(lines[i]))
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return lines[a].entry.date < lines[b].entry.date;
    });
    return order;
}

} // namespace

StatementImport::StatementImport(Pursewise& p) : m_p(p) {}

std::vector<ImportLine> StatementImport::preview(const Statement& statement) const
{
    const int thisYear = Clock::today().year();
    std::vector<ImportLine> lines;
    lines.reserve(statement.entries.size());
    // Each year's ledger is read once, when its first entry comes.
    std::map<QString, std::unique_ptr<YearLedger>> ledgers;
    std::map<QString, std::map<EntryKey, int>> held;

    for (const StatementEntry& entry : statement.entries) {
        ImportLine line;
        line.entry = entry;
        const bool usable = entry.problem.isEmpty() && entry.date.isValid() &&
                            (entry.kind == EntryKind::Charge || entry.kind == EntryKind::Payment) &&
                            entry.cents >= 0;
        if (!usable) {
            line.status = ImportStatus::NotUsable;
            line.note =
                entry.problem.isEmpty() ? QStringLiteral("no date or no amount") : entry.problem;
            lines.push_back(line);
            continue;
        }
        const int year = entry.date.year();
        line.yearText = twoDigits(year);
        // A year text names one calendar year at a time (see calendarYearOf):
        // "26" in a card's list is 2026, never 1926 or 2126.
        const bool hasLedger = year <= thisYear && year >= thisYear - 99 &&
                               m_p.years.items.contains(line.yearText) &&
                               calendarYearOf(line.yearText, thisYear) == year;
        if (!hasLedger) {
            line.status = ImportStatus::NoLedgerYear;
            line.note = QStringLiteral("no ledger for %1").arg(year);
            lines.push_back(line);
            continue;
        }
        auto& ledger = ledgers[line.yearText];
        if (!ledger) {
            ledger = std::make_unique<YearLedger>(m_p, line.yearText);
            held[line.yearText] = entriesOf(*ledger, m_p.math);
        }
        // Two equal statement lines against one equal ledger entry: the
        // first is the one already there, the second a new entry.
        int& count = held[line.yearText][keyOf(entry)];
        if (count > 0) {
            --count;
            line.status = ImportStatus::Duplicate;
            line.note = QStringLiteral("already in the ledger");
        }
        lines.push_back(line);
    }

    // A year takes new entries, earliest first, up to its 1000 rows.
    std::map<QString, int> filled;
    for (const auto& [yearText, ledger] : ledgers)
        filled[yearText] = ledger->entryCount();
    for (const std::size_t i :
         inDateOrder(lines, [](const ImportLine& l) { return l.status == ImportStatus::Ready; })) {
        ImportLine& line = lines[i];
        if (++filled[line.yearText] > TGrid::lastRow) {
            line.status = ImportStatus::YearFull;
            line.note = QStringLiteral("year %1 is full").arg(line.yearText);
        }
    }
    for (ImportLine& line : lines)
        line.ticked = line.status == ImportStatus::Ready;
    return lines;
}

int StatementImport::post(const std::vector<ImportLine>& lines, bool cleared)
{
    // A line goes in only as the preview let it: ticked, tickable, a charge
    // or a payment, and dated in the year of a ledger the card has. A line
    // made some other way never writes a ledger no year list names.
    const auto postable = [this](const ImportLine& l) {
        return l.ticked && l.canTick() &&
               (l.entry.kind == EntryKind::Charge || l.entry.kind == EntryKind::Payment) &&
               l.entry.date.isValid() && l.yearText == twoDigits(l.entry.date.year()) &&
               m_p.years.items.contains(l.yearText);
    };
    const std::vector<std::size_t> order = inDateOrder(lines, postable);
    if (order.empty())
        return 0;

    // The years in calendar order, each with its entries in date order.
    std::map<int, std::vector<std::size_t>> years;
    for (const std::size_t i : order)
        years[lines[i].entry.date.year()].push_back(i);

    // Every year is checked before anything changes.
    for (const auto& [year, entries] : years) {
        const YearLedger ledger(m_p, lines[entries.front()].yearText);
        if (ledger.entryCount() + int(entries.size()) > TGrid::lastRow)
            throw UserError(QStringLiteral("Year %1 holds %2 entries: %3 more would pass the "
                                           "%4 a year holds.")
                                .arg(year)
                                .arg(ledger.entryCount())
                                .arg(entries.size())
                                .arg(TGrid::lastRow)
                                .toStdString());
    }

    const QString shownYear = m_p.main.SelectedYr;
    const int shownRow = m_p.ledger.currentRow();
    TC& tc = m_p.tc;
    allOrNothing(m_p, [&] {
        for (const auto& [year, entries] : years) {
            // Switching years brings a year whose opening balance is stale up
            // to date first, as showing it would.
            tc.SelectYear(lines[entries.front()].yearText);
            tc.ChangeYear();
            for (const std::size_t i : entries) {
                const StatementEntry& from = lines[i].entry;
                const QString amount = QString::fromStdString(m_p.math.CentsToAmount(from.cents));
                EntryValues entry;
                entry.date = from.date;
                entry.description = oneLine(from.description);
                entry.charge = amount;
                entry.payment = amount;
                entry.cleared = cleared;
                m_p.grid.SelectRowAfterLast();
                m_p.grid.CaptureSelectedRow();
                tc.EnterEntry(entry, from.kind);
            }
            m_p.grid.SaveYear();
        }
        tc.SelectYear(shownYear);
        tc.ChangeYear();
        tc.SaveAfterEntry();
        tc.CheckOverdrawn();
    });
    // The cursor stays where the user left it in the year on view.
    if (shownRow > 0 && shownRow < m_p.ledger.rowCount())
        m_p.ledger.setCurrentRow(shownRow);
    return int(order.size());
}
