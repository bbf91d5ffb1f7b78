#include "core/program/search.h"

#include "core/amounts/cc_math.h"
#include "core/amounts/stored_amount.h"
#include "core/cards/card_list.h"
#include "core/platform/conversions.h"
#include "core/platform/data_file.h"
#include "core/platform/fast_text.h"
#include "core/platform/short_date.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"
#include "core/program/main_commands.h"
#include "core/program/pursewise.h"
#include "core/program/year_form.h"
#include "core/register/grid.h"

#include <QStringMatcher>

#include <string>
#include <string_view>
#include <unordered_map>

namespace {

std::u16string_view u16(QStringView text)
{
    return {text.utf16(), std::size_t(text.size())};
}

// One ledger row as pieces of its file's text.
struct LedgerRow
{
    QStringView date;
    QStringView description;
    QStringView charge;
    QStringView payment;
    bool filled = false;
};

// Reads year ledger files one after the other into the same memory: the
// file's bytes, its text and a row table whose cells are pieces of that text.
// It checks a file as TGrid::LoadYear does, so that a year the register would
// refuse to show is one the search leaves out, but it keeps no damaged copy:
// the search writes nothing.
class LedgerReader
{
public:
    // False when there is no file of that name. Raises a UserError for a
    // file that cannot be read or is damaged.
    bool read(const QString& name)
    {
        clearRows();
        if (!DataFile::readBytesIfFile(name, m_bytes))
            return false;
        if (FastText::decodeInto(m_bytes, m_text) >= 0)
            throw UserError("holds a NUL byte");
        DataFile::LineReader lines(m_text);
        QStringView first;
        lines.next(first);
        m_count = parseInteger(first);
        if (m_count < 0 || m_count > TGrid::lastRow)
            throw UserError("count outside the table");
        FastText::forEachCellLine(
            lines.takeRest(), 1,
            [&](const CellLineView& cell, qsizetype line) { store(name, cell, line); });
        for (int row = 1; row <= m_lastFilled; ++row)
            if (!m_rows[std::size_t(row)].filled)
                throw UserError("gap between entries");
        if (m_lastFilled != m_count)
            throw UserError("count disagrees");
        return true;
    }

    int count() const { return m_count; }
    const LedgerRow& row(int row) const { return m_rows[std::size_t(row)]; }

private:
    void store(const QString& name, const CellLineView& cell, qsizetype line)
    {
        if (cell.row < 1 || cell.row > TGrid::lastRow || cell.column < TGrid::Date ||
            cell.column > TGrid::Balance)
            throw UserError("cell outside the table");
        if (cell.text.isEmpty())
            return;
        LedgerRow& row = m_rows[std::size_t(cell.row)];
        row.filled = true;
        m_lastFilled = std::max(m_lastFilled, cell.row);
        switch (cell.column) {
        case TGrid::Date:
            row.date = cell.text;
            break;
        case TGrid::Description:
            row.description = cell.text;
            break;
        case TGrid::Charges:
        case TGrid::Payments:
            if (!isPlainStoredAmount(cell.text))
                checkStoredAmount(cell.text, line, name);
            (cell.column == TGrid::Charges ? row.charge : row.payment) = cell.text;
            break;
        default:
            break;
        }
    }

    void clearRows()
    {
        std::fill(m_rows.begin(), m_rows.begin() + m_lastFilled + 1, LedgerRow());
        m_lastFilled = 0;
        m_count = 0;
    }

    QByteArray m_bytes;
    QString m_text;
    std::vector<LedgerRow> m_rows = std::vector<LedgerRow>(TGrid::lastRow + 1);
    int m_lastFilled = 0;
    int m_count = 0;
};

// Whether entries match a query. A ledger holds few distinct dates, so each
// date text is read once per search and looked up after that.
class Matcher
{
public:
    Matcher(const TccMath& math, const SearchQuery& query)
        : m_math(math), m_query(query), m_text(query.text, Qt::CaseInsensitive)
    {}

    bool matches(const LedgerRow& row)
    {
        if (m_query.cents && !hasAmount(row.charge) && !hasAmount(row.payment))
            return false;
        if (m_query.from || m_query.to) {
            const std::optional<QDate> date = dateOf(row.date);
            if (!date || (m_query.from && *date < *m_query.from) ||
                (m_query.to && *date > *m_query.to))
                return false;
        }
        return m_query.text.isEmpty() || m_text.indexIn(row.description) >= 0;
    }

private:
    bool hasAmount(QStringView cell) const
    {
        if (cell.isEmpty())
            return false;
        if (const std::optional<std::int64_t> cents = TccMath::PlainCents(u16(cell)))
            return *cents == *m_query.cents;
        try {
            return m_math.AmountToCents(cell.toString().toStdString()) == *m_query.cents;
        } catch (const UserError&) {
            return false;
        }
    }

    std::optional<QDate> dateOf(QStringView text)
    {
        const auto known = m_dates.find(u16(text));
        if (known != m_dates.end())
            return known->second;
        const std::optional<QDate> date = ShortDate::tryParse(text.toString());
        m_dates.emplace(std::u16string(u16(text)), date);
        return date;
    }

    struct ViewHash
    {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const
        {
            return std::hash<std::u16string_view>()(text);
        }
    };

    const TccMath& m_math;
    const SearchQuery& m_query;
    // The text's search tables, made once for every description.
    const QStringMatcher m_text;
    std::unordered_map<std::u16string, std::optional<QDate>, ViewHash, std::equal_to<>> m_dates;
};

// The card's years as its year list file holds them, blank lines left out;
// none when the file is missing. Raises a UserError when it cannot be read.
QStringList yearsOf(const QString& key)
{
    QByteArray bytes;
    if (!DataFile::readBytesIfFile(key + QStringLiteral("yl.dat"), bytes))
        return {};
    QString text;
    if (FastText::decodeInto(bytes, text) >= 0)
        throw UserError("holds a NUL byte");
    QStringList years = DataFile::splitLines(text);
    years.removeIf([](const QString& year) { return year.trimmed().isEmpty(); });
    return years;
}

} // namespace

SearchCheck searchQueryOf(const TccMath& math, const SearchFields& typed)
{
    SearchCheck result;
    SearchQuery& query = result.query;
    if (typed.text.isEmpty() && typed.amount.trimmed().isEmpty() &&
        typed.from.trimmed().isEmpty() && typed.to.trimmed().isEmpty()) {
        result.check = FormCheck::refuse(
            QStringLiteral("Type a description, an amount or dates to search for."),
            QStringLiteral("SText"));
        return result;
    }
    query.text = typed.text;
    if (const QString amount = typed.amount.trimmed(); !amount.isEmpty()) {
        // Read as the entry dialog reads money, with "12.5" as 12.50: "12",
        // "12.50", "$1,200" and ".05" are amounts; a minus sign, a second
        // point or a third decimal is not.
        std::string prepared = math.PrepareTypedAmount(amount.toStdString(), false);
        // One decimal is tens of cents: "12.5" is 12.50.
        if (prepared.size() >= 2 && prepared[prepared.size() - 2] == '.')
            prepared += '0';
        bool valid = math.IsValidAmount(prepared) && math.IsPlainAmount(prepared);
        if (valid) {
            try {
                query.cents = math.AmountToCents(prepared);
            } catch (const UserError&) {
                valid = false;
            }
        }
        if (!valid) {
            result.check =
                FormCheck::refuse(QStringLiteral("'%1' is not an amount like 12.50.").arg(amount),
                                  QStringLiteral("SAmount"));
            return result;
        }
    }
    const std::pair<const QString*, std::optional<QDate>*> dates[] = {{&typed.from, &query.from},
                                                                      {&typed.to, &query.to}};
    for (const auto& [text, date] : dates) {
        if (text->trimmed().isEmpty())
            continue;
        *date = ShortDate::tryParse(*text);
        if (!*date) {
            result.check = FormCheck::refuse(ShortDate::notADateMessage(*text),
                                             text == &typed.from ? QStringLiteral("SFrom")
                                                                 : QStringLiteral("STo"));
            return result;
        }
    }
    if (query.from && query.to && *query.from > *query.to)
        result.check = FormCheck::refuse(QStringLiteral("The From date is after the To date."),
                                         QStringLiteral("SFrom"));
    return result;
}

SearchResult searchLedgers(const TextGrid& cardList, const SearchQuery& query)
{
    const TccMath math;
    Matcher matcher(math, query);
    LedgerReader ledger;
    SearchResult result;
    for (int listRow = 1; listRow < cardList.rowCount(); ++listRow) {
        const QString& name = cardList.cell(TCardList::Name, listRow);
        const QString key = TCardList::keyOfName(name);
        if (!TCardList::isCardKey(key))
            continue;
        QStringList years;
        try {
            years = yearsOf(key);
        } catch (const std::exception&) {
            result.unreadable << key + QStringLiteral("yl.dat");
            continue;
        }
        for (const QString& year : years) {
            const QString file = key + year + QStringLiteral(".dat");
            try {
                if (!ledger.read(file))
                    continue;
            } catch (const std::exception&) {
                result.unreadable << file;
                continue;
            }
            for (int row = 1; row <= ledger.count(); ++row) {
                const LedgerRow& entry = ledger.row(row);
                if (!matcher.matches(entry))
                    continue;
                result.hits.push_back({key, name, year, row, entry.date.toString(),
                                       entry.description.toString(), entry.charge.toString(),
                                       entry.payment.toString()});
            }
        }
    }
    return result;
}

QString SearchResult::note() const
{
    if (unreadable.isEmpty())
        return {};
    return QStringLiteral("%1 %2 could not be read: %3")
        .arg(unreadable.size())
        .arg(unreadable.size() == 1 ? QStringLiteral("file") : QStringLiteral("files"))
        .arg(unreadable.join(QStringLiteral(", ")));
}

QString hitCountText(std::size_t hits)
{
    if (hits == 0)
        return QStringLiteral("No entries found.");
    if (hits == 1)
        return QStringLiteral("1 entry found");
    return QStringLiteral("%1 entries found").arg(hits);
}

void openSearchHit(Pursewise& p, const SearchHit& hit)
{
    const int listRow = p.cardList.RowOfKey(hit.cardKey);
    if (listRow == 0)
        throw UserError("The card of this entry is no longer in the card list.");
    p.sg1.setCurrentRow(listRow);
    p.cardList.SelectFromGrid();
    MainCommands(p).B1Click();
    if (!p.reg.shown)
        return;
    if (hit.year != p.main.SelectedYr) {
        const qsizetype at = p.years.items.indexOf(hit.year);
        if (at < 0)
            throw UserError(QStringLiteral("Year %1 is no longer in the card's year list.")
                                .arg(hit.year)
                                .toStdString());
        p.years.selected = int(at);
        YearForm(p).post();
    }
    if (hit.row <= p.grid.entryCount())
        p.ledger.setCurrentRow(hit.row);
}
