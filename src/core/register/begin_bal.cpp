#include "core/register/begin_bal.h"

#include "core/amounts/cc_math.h"
#include "core/amounts/stored_amount.h"
#include "core/platform/conversions.h"
#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/text_grid.h"
#include "core/platform/year_texts.h"
#include "core/register/register_fields.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int flagColumn = 0;
constexpr int balanceColumn = 1;
constexpr int lastYear = 99;

// Two-digit years follow the calendar, not their numbers: after 99 comes 00.
// Which century a year text means is read from the current year: the ten
// years after it are the future (a clock that once ran ahead leaves such
// years in a card's list), and the 89 years before it are the past. In 2026
// the years run from 37 (1937) through 99, 00 and 26 to 36 (2036); in 2099
// year 00 is 2100, the year after. Cards within one century keep their
// numeric order, as long as the current year is not 90 years or more past
// their first year.
constexpr int yearsAhead = 10;
constexpr int yearsInTable = lastYear + 1;
constexpr int currentPlace = yearsInTable - 1 - yearsAhead; // 89 years come before it

int wrapped(int year)
{
    return (year % yearsInTable + yearsInTable) % yearsInTable;
}

// The place of `year` in calendar order: 0 is the earliest year the current
// year can mean, currentPlace the current year, currentPlace + 1 next year.
int placeOf(int year, int currentYear)
{
    return wrapped(year - currentYear + currentPlace);
}

int yearAt(int place, int currentYear)
{
    return wrapped(currentYear - currentPlace + place);
}
} // namespace

TBeginBal::TBeginBal(TextGrid& table, const YearTexts& years, const RegisterFields& card,
                     const TccMath& math)
    : m_table(table), m_years(years), m_card(card), m_math(math)
{}

int TBeginBal::yearNumber(const QString& yearText)
{
    return parseInteger(yearText.startsWith(u'0') ? yearText.mid(1) : yearText);
}

void TBeginBal::TakeSelectedYear()
{
    m_selectedYear = yearNumber(m_years.SelectedYr);
}

void TBeginBal::TakeCurrentYear()
{
    m_currentYear = yearNumber(m_years.CurrentYr);
}

bool TBeginBal::IsStale() const
{
    return m_table.cell(flagColumn, m_selectedYear) == u"T";
}

void TBeginBal::MarkFresh()
{
    m_table.setCell(flagColumn, m_selectedYear, QStringLiteral("F"));
}

QString TBeginBal::openingBalance(int year) const
{
    if (year < 0)
        return QStringLiteral("0.00");
    const int current = wrapped(m_currentYear);
    // Back through the calendar: year 00 of 2100 looks at 99, 98, ...
    for (int place = placeOf(std::min(year, lastYear), current); place >= 0; --place) {
        const QString& balance = m_table.cell(balanceColumn, yearAt(place, current));
        if (!balance.isEmpty())
            return balance;
    }
    return QStringLiteral("0.00");
}

void TBeginBal::carry(const QString& amount, Direction direction)
{
    // A year text that is no year of the table has no later years.
    if (m_selectedYear < 0 || m_selectedYear > lastYear)
        return;
    const int current = wrapped(m_currentYear);
    // From the year after the selected one up to next year, in calendar
    // order; nothing when the selected year is next year or later.
    const int first = placeOf(m_selectedYear, current) + 1;
    const int last = currentPlace + 1;
    // Empty years start from what they stood for before this carry began, so
    // filling one year does not change what the next empty one starts from.
    std::vector<QString> before;
    for (int place = first; place <= last; ++place)
        before.push_back(openingBalance(yearAt(place, current)));
    const std::string change = amount.toStdString();
    for (int place = first; place <= last; ++place) {
        const int year = yearAt(place, current);
        const std::string start = before[std::size_t(place - first)].toStdString();
        const std::string result = direction == Direction::Add
                                       ? m_math.AddAmounts(start, change)
                                       : m_math.SubtractAmounts(start, change);
        m_table.setCell(balanceColumn, year, QString::fromStdString(result));
        m_table.setCell(flagColumn, year, QStringLiteral("T"));
    }
}

void TBeginBal::CarryCharge(const QString& amount)
{
    carry(amount, Direction::Add);
}

void TBeginBal::CarryPayment(const QString& amount)
{
    carry(amount, Direction::Subtract);
}

void TBeginBal::ClearBalances()
{
    // Year 00 is cleared too, so no card ever sees another card's year 2000.
    for (int year = 0; year <= lastYear; ++year)
        m_table.clearCells(year, flagColumn, balanceColumn);
}

QString TBeginBal::fileName() const
{
    return m_card.cardKey + QStringLiteral("bb.dat");
}

void TBeginBal::LoadBalances()
{
    const QString name = fileName();
    readDataFileIfAny(name, [&](const QString& text) {
        DataFile::LineReader lines(text);
        // An opening balance is added to by every carry: one that is no
        // amount is reported with its line now, not in the middle of a posting.
        loadCellLines(name, text, lines, m_table, {0, lastYear, flagColumn, balanceColumn},
                      {1u << balanceColumn, [&](int, int, QStringView cell, qsizetype line) {
                           checkStoredAmount(cell, line, name);
                       }});
    });
}

void TBeginBal::SaveBalances() const
{
    // Year 00 is saved too, when it holds anything: after 99 it is the year
    // the debt of 99 is carried into. A card that never passes 99 never
    // fills it, so its file is the same without it.
    DataFile::LineWriter file;
    addCellLines(file, m_table, 0, lastYear, flagColumn, balanceColumn);
    DataFile::writeBytes(fileName(), file.finish());
}
