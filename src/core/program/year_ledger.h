#pragma once

#include "core/platform/text_grid.h"
#include "core/platform/year_texts.h"
#include "core/register/grid.h"
#include "core/register/register_fields.h"

#include <QString>

#include <memory>

class Pursewise;

// The calendar year a two-digit year text of a card stands for, read as the
// opening balances read it: the ten years after `currentYear` are the future,
// the 89 before it the past. In 2026 "26" is 2026, "36" 2036, "37" 1937.
int calendarYearOf(const QString& yearText, int currentYear);

// One year's ledger of the card open in the register, to read or to mark
// without disturbing the year the register shows: the year on view is the
// register's own ledger in memory, any other year is loaded from its file
// into a table of its own. Saving writes that year's file. Posts nothing.
class YearLedger
{
public:
    YearLedger(Pursewise& p, const QString& yearText);
    YearLedger(const YearLedger&) = delete;
    YearLedger& operator=(const YearLedger&) = delete;

    const QString& yearText() const { return m_years.SelectedYr; }
    bool onView() const { return m_own == nullptr; }
    TextGrid& ledger() { return m_own ? *m_own : m_shown; }
    const TextGrid& ledger() const { return m_own ? *m_own : m_shown; }
    int entryCount() const { return grid().entryCount(); }
    void save() const { grid().SaveYear(); }

private:
    const TGrid& grid() const { return m_ownGrid ? *m_ownGrid : m_shownGrid; }

    TextGrid& m_shown;
    const TGrid& m_shownGrid;
    YearTexts m_years;
    RegisterFields m_card;
    std::unique_ptr<TextGrid> m_own;
    std::unique_ptr<TGrid> m_ownGrid;
};
