#include "register/begin_bal.h"

#include "amounts/cc_math.h"
#include "platform/conversions.h"
#include "platform/data_file.h"
#include "platform/grid_file.h"
#include "platform/text_grid.h"
#include "portfolio/main_fields.h"
#include "register/register_fields.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int flagColumn = 0;
constexpr int balanceColumn = 1;
constexpr int lastYear = 99;
} // namespace

TBeginBal::TBeginBal(TextGrid& table, const MainFields& years, const RegisterFields& card,
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
    for (int y = std::min(year, lastYear); y >= 0; --y) {
        const QString& balance = m_table.cell(balanceColumn, y);
        if (!balance.isEmpty())
            return balance;
    }
    return QStringLiteral("0.00");
}

void TBeginBal::carry(const QString& amount, Direction direction)
{
    const int first = m_selectedYear + 1;
    const int last = std::min(m_currentYear + 1, lastYear);
    // Empty years start from what they stood for before this carry began, so
    // filling one year does not change what the next empty one starts from.
    std::vector<QString> before;
    for (int year = first; year <= last; ++year)
        before.push_back(openingBalance(year));
    const std::string change = amount.toStdString();
    for (int year = first; year <= last; ++year) {
        const std::string start = before[std::size_t(year - first)].toStdString();
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
                      [&](int column, int, QStringView cell, qsizetype line) {
                          if (column != balanceColumn)
                              return;
                          try {
                              m_math.CheckAmount(cell.toString().toStdString());
                          } catch (const UserError& error) {
                              throw UserError(error.what() + lineOfFile(line, name));
                          }
                      });
    });
}

void TBeginBal::SaveBalances() const
{
    DataFile::LineWriter file;
    addCellLines(file, m_table, 1, lastYear, flagColumn, balanceColumn);
    DataFile::writeBytes(fileName(), file.finish());
}
