#pragma once

#include "core/cards/main_fields.h"
#include "core/platform/save_transaction.h"
#include "core/platform/text_grid.h"
#include "core/register/register_fields.h"
#include "core/register/year_list.h"

class Pursewise;

// What the program shows, taken before an action that must happen whole or
// not at all and put back when it fails: the card list, the totals and
// years, the register's header, ledger and opening balances, the year list,
// and the ledger's counters. The files are the transaction's to put back.
class ProgramSnapshot
{
public:
    explicit ProgramSnapshot(const Pursewise& p);
    void restore(Pursewise& p) const;

private:
    TextGrid m_sg1;
    MainFields m_main;
    RegisterFields m_reg;
    TextGrid m_ledger;
    TextGrid m_beginBalGrid;
    YearList m_years;
    int m_selectedRow;
    int m_entryCount;
};

// Runs `action` as one change of the program: when any step raises, every
// save staged so far in the user action is thrown away (the files stay as
// they were before it began), the state is put back as it was, and the error
// goes on to the guard that shows it. When the action is the outermost
// transaction, its saves are committed here.
template <typename Action>
void allOrNothing(Pursewise& p, Action&& action)
{
    DataFile::Transaction transaction;
    {
        const ProgramSnapshot before(p);
        try {
            action();
        } catch (...) {
            transaction.rollback();
            before.restore(p);
            throw;
        }
    }
    // Outside the try: a commit that fails after its journal is written is
    // finished at the next start, so the new state is the one to keep.
    transaction.commit();
}
