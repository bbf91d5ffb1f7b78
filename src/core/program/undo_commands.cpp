#include "core/program/undo_commands.h"

#include "core/platform/file_history.h"
#include "core/platform/user_error.h"
#include "core/program/pursewise.h"

#include <algorithm>

UndoCommands::UndoCommands(Pursewise& p) : m_p(p) {}

bool UndoCommands::canUndo() const
{
    return m_p.history.canUndo();
}

bool UndoCommands::canRedo() const
{
    return m_p.history.canRedo();
}

void UndoCommands::undo()
{
    if (canUndo())
        restore([this] { m_p.history.undo(); });
}

void UndoCommands::redo()
{
    if (canRedo())
        restore([this] { m_p.history.redo(); });
}

void UndoCommands::restore(const std::function<void()>& step)
{
    try {
        step();
    } catch (const UserError&) {
        // A file changed outside the program ended the history: the windows
        // then show the files as they are, so that the next save keeps that
        // change instead of writing over it. A failed save changed nothing.
        if (!canUndo() && !canRedo())
            reload();
        throw;
    }
    reload();
}

void UndoCommands::reload()
{
    const QString selected = m_p.cardList.selectedKey();
    const bool registerOpen = m_p.reg.shown;
    const QString key = m_p.reg.cardKey;
    const QString year = m_p.main.SelectedYr;
    const int row = m_p.ledger.currentRow();

    // The card list as the file has it now: its rows are emptied first, since
    // loading only writes the rows the file lists.
    for (int r = 1; r < m_p.sg1.rowCount(); ++r)
        for (int c = 0; c < m_p.sg1.columnCount(); ++c)
            m_p.sg1.setCell(c, r, QString());
    m_p.cardList.ResetLastKey();
    m_p.cardList.ClearSelection();
    m_p.cardList.ResetCount();
    m_p.reg.shown = false;
    m_p.cardList.LoadList();
    // Without a summary file the totals show empty, as at a first start.
    m_p.main.E1.clear();
    m_p.main.E2.clear();
    m_p.main.E3.clear();
    m_p.summary.LoadSummary();
    m_p.cardList.MarkExpired();

    // The selection stays on its card while the card is listed.
    const int selectedRow = selected.isEmpty() ? 0 : m_p.cardList.RowOfKey(selected);
    m_p.sg1.setCurrentRow(std::max(1, selectedRow));
    if (selectedRow > 0)
        m_p.cardList.setSelectedKey(selected);
    if (registerOpen && m_p.cardList.RowOfKey(key) > 0)
        reloadRegister(key, year, row);
}

void UndoCommands::reloadRegister(const QString& key, const QString& year, int row)
{
    const QString selected = m_p.cardList.selectedKey();
    m_p.cardList.setSelectedKey(key);
    // Opening may bring a stale year up to date; that is upkeep, no step.
    m_p.tc.OpenCard();
    if (year != m_p.main.CurrentYr && m_p.years.items.contains(year)) {
        m_p.tc.SelectYear(year);
        m_p.tc.ChangeYear();
    }
    m_p.cardList.setSelectedKey(selected);
    m_p.ledger.setCurrentRow(std::clamp(row, 1, std::max(1, m_p.grid.entryCount() + 1)));
    m_p.reg.shown = true;
}
