#include "core/program/year_ledger.h"

#include "core/program/pursewise.h"

int calendarYearOf(const QString& yearText, int currentYear)
{
    const int century = currentYear - currentYear % 100;
    const int year = century + yearText.toInt();
    return year > currentYear + 10 ? year - 100 : year;
}

YearLedger::YearLedger(Pursewise& p, const QString& yearText)
    : m_shown(p.ledger), m_shownGrid(p.grid)
{
    m_years.CurrentYr = p.main.CurrentYr;
    m_years.SelectedYr = yearText;
    if (yearText == p.main.SelectedYr)
        return;
    m_card.cardKey = p.reg.cardKey;
    m_own = std::make_unique<TextGrid>(7, TGrid::lastRow + 1, 1);
    // The table's own TGrid never computes a balance, so the register's
    // opening balances serve it as they are.
    m_ownGrid = std::make_unique<TGrid>(*m_own, p.beginBal, m_years, m_card, p.math);
    m_ownGrid->LoadYear();
}
