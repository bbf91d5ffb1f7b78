#include "core/program/all_or_nothing.h"

#include "core/program/pursewise.h"

ProgramSnapshot::ProgramSnapshot(const Pursewise& p)
    : m_sg1(p.sg1), m_main(p.main), m_reg(p.reg), m_ledger(p.ledger),
      m_beginBalGrid(p.beginBalGrid), m_years(p.years), m_selectedRow(p.grid.selectedRow()),
      m_entryCount(p.grid.entryCount())
{}

void ProgramSnapshot::restore(Pursewise& p) const
{
    p.sg1 = m_sg1;
    p.main = m_main;
    p.reg = m_reg;
    p.beginBalGrid = m_beginBalGrid;
    p.years = m_years;
    p.beginBal.TakeCurrentYear();
    p.beginBal.TakeSelectedYear();
    p.grid.setEntryCount(m_entryCount);
    // SelectedRow is taken from the ledger's cursor, so the cursor passes by
    // it before the ledger, cursor and all, is put back.
    if (m_selectedRow > 0 && m_selectedRow < p.ledger.rowCount()) {
        p.ledger.setCurrentRow(m_selectedRow);
        p.grid.CaptureSelectedRow();
    }
    p.ledger = m_ledger;
}
