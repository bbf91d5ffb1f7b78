#include "core/program/reconcile.h"

#include "core/amounts/stored_amount.h"
#include "core/platform/clock.h"
#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"
#include "core/program/all_or_nothing.h"
#include "core/program/pursewise.h"
#include "core/program/year_ledger.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

QString statementFile(const Pursewise& p)
{
    return p.reg.cardKey + QStringLiteral("rc.dat");
}

std::int64_t centsOf(const TccMath& math, const QString& amount)
{
    return math.AmountToCents(orZero(amount).toStdString());
}

// The card's years oldest first, each once: a clock once set back can leave
// a year twice in the list.
QStringList yearsInOrder(const QStringList& years, int thisYear)
{
    QStringList sorted;
    for (const QString& year : years)
        if (year.size() == 2 && year[0].isDigit() && year[1].isDigit() && !sorted.contains(year))
            sorted << year;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const QString& a, const QString& b) {
        return calendarYearOf(a, thisYear) < calendarYearOf(b, thisYear);
    });
    return sorted;
}

// The line still holds the entry the reconcile listed, not yet marked: the
// ledger may not change between the listing and Finish, but a line that no
// longer fits must not mark another entry.
bool stillListed(const YearLedger& year, const ReconcileLine& line)
{
    if (line.row < 1 || line.row > year.entryCount())
        return false;
    const LedgerEntry now = entryAt(year.ledger(), line.row);
    return !now.cleared && now.date == line.entry.date && now.charge == line.entry.charge &&
           now.payment == line.entry.payment && now.description == line.entry.description;
}

} // namespace

Reconcile::Reconcile(Pursewise& p) : m_p(p) {}

LastStatement Reconcile::lastStatement() const
{
    const QString name = statementFile(m_p);
    LastStatement last;
    readDataFileIfAny(name, [&](const QString& text) {
        const QStringList lines = DataFile::splitLines(text);
        if (lines.size() > 2)
            throw UserError(
                QStringLiteral("%1 holds %2 lines, where a statement has 2: its date and its "
                               "balance.")
                    .arg(name)
                    .arg(lines.size())
                    .toStdString());
        const QString date = lines.value(0);
        const std::optional<QDate> closing = ShortDate::tryParse(date);
        if (!closing)
            throw UserError(conversionError(date.toStdString(), "date and time").what() +
                            lineOfFile(1, name));
        // A stored amount may be empty elsewhere (it counts as 0.00); a
        // statement's balance never is.
        const QString balance = lines.value(1);
        if (balance.isEmpty())
            throw UserError(conversionError("", "floating point value").what() +
                            lineOfFile(2, name));
        checkStoredAmount(balance, 2, name);
        last.date = *closing;
        last.balance = balance;
    });
    return last;
}

std::vector<ReconcileLine> Reconcile::uncleared(const QDate& closing) const
{
    std::vector<ReconcileLine> lines;
    for (const QString& yearText : yearsInOrder(m_p.years.items, Clock::today().year())) {
        const YearLedger year(m_p, yearText);
        for (int row = 1; row <= year.entryCount(); ++row) {
            const LedgerEntry entry = entryAt(year.ledger(), row);
            if (entry.cleared || entry.kind() == EntryKind::None)
                continue;
            const std::optional<QDate> date = ShortDate::tryParse(entry.date);
            if (!date || *date > closing)
                continue;
            const std::int64_t cents = centsOf(m_p.math, entry.amount());
            ReconcileLine line;
            line.yearText = yearText;
            line.row = row;
            line.entry = entry;
            line.date = *date;
            line.effect = entry.kind() == EntryKind::Charge ? cents : -cents;
            lines.push_back(line);
        }
    }
    return lines;
}

std::int64_t Reconcile::difference(std::int64_t statementCents,
                                   const std::vector<ReconcileLine>& lines) const
{
    std::int64_t reconciled = centsOf(m_p.math, m_p.reg.E8);
    for (const ReconcileLine& line : lines)
        if (line.ticked)
            reconciled += line.effect;
    return statementCents - reconciled;
}

void Reconcile::finish(const LastStatement& statement, const std::vector<ReconcileLine>& lines)
{
    const TccMath& math = m_p.math;
    const std::int64_t balance = centsOf(math, statement.balance);
    if (const std::int64_t off = difference(balance, lines); off != 0)
        throw UserError("The statement does not balance: the difference is " +
                        math.CentsToAmount(off) + ".");

    // The ticked lines by year, each year's file read once.
    std::map<QString, std::vector<const ReconcileLine*>> years;
    for (const ReconcileLine& line : lines)
        if (line.ticked)
            years[line.yearText].push_back(&line);

    allOrNothing(m_p, [&] {
        for (const auto& [yearText, marked] : years) {
            YearLedger year(m_p, yearText);
            for (const ReconcileLine* line : marked) {
                if (!stillListed(year, *line))
                    throw UserError(QStringLiteral("Entry %1 of year %2 changed since the "
                                                   "statement was opened; open it again.")
                                        .arg(line->row)
                                        .arg(yearText)
                                        .toStdString());
                // As the register's Toggle X marks an uncleared entry.
                year.ledger().setCell(TGrid::Cleared, line->row, QStringLiteral("X"));
                if (line->entry.kind() == EntryKind::Charge)
                    m_p.cardInfo.AddToReconciled(line->entry.charge);
                else
                    m_p.cardInfo.SubtractFromReconciled(line->entry.payment);
            }
            year.save();
        }
        // The card list and the totals show no reconciled balance, so only
        // the card's information and its statement file change besides the
        // ledgers.
        m_p.cardInfo.SaveInfo();
        DataFile::writeLines(statementFile(m_p),
                             {ShortDate::toText(statement.date),
                              QString::fromStdString(math.CentsToAmount(balance))});
    });
}
