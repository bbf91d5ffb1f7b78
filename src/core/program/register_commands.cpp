#include "core/program/register_commands.h"

#include "core/platform/messages.h"
#include "core/program/pursewise.h"
#include "core/register/ledger_entry.h"

namespace {

void neitherChargeNorPayment()
{
    showMessage(QStringLiteral("OOPS! Neither a charge nor a payment."));
}

} // namespace

RegisterCommands::RegisterCommands(Pursewise& p) : m_p(p) {}

bool RegisterCommands::captureEntryRow()
{
    if (m_p.ledger.currentRow() > m_p.grid.entryCount()) {
        showMessage(QStringLiteral("A row must first be selected."));
        return false;
    }
    m_p.grid.CaptureSelectedRow();
    return true;
}

bool RegisterCommands::bb3Click()
{
    m_p.grid.SelectRowAfterLast();
    m_p.grid.CaptureSelectedRow();
    return true;
}

bool RegisterCommands::bb4Click()
{
    return captureEntryRow();
}

bool RegisterCommands::bb6Click()
{
    return captureEntryRow();
}

void RegisterCommands::bb5Click()
{
    if (captureEntryRow()) {
        switch (entryAt(m_p.ledger, m_p.grid.selectedRow()).kind()) {
        case EntryKind::Charge:
            m_p.tc.DeleteCharge();
            break;
        case EntryKind::Payment:
            m_p.tc.DeletePayment();
            break;
        case EntryKind::None:
            neitherChargeNorPayment();
            break;
        }
    }
    m_p.grid.SaveYear();
    m_p.cardInfo.SaveInfo();
    m_p.beginBal.SaveBalances();
    m_p.cardList.SaveList();
    m_p.summary.SaveSummary();
}

void RegisterCommands::bb7Click()
{
    if (!captureEntryRow())
        return;
    // The row as it was before the toggle: its mark says which way the
    // reconciled balance moves.
    const LedgerEntry entry = entryAt(m_p.ledger, m_p.grid.selectedRow());
    m_p.grid.ToggleCleared();
    switch (entry.kind()) {
    case EntryKind::Charge:
        if (entry.cleared)
            m_p.cardInfo.SubtractFromReconciled(entry.charge);
        else
            m_p.cardInfo.AddToReconciled(entry.charge);
        break;
    case EntryKind::Payment:
        if (entry.cleared)
            m_p.cardInfo.AddToReconciled(entry.payment);
        else
            m_p.cardInfo.SubtractFromReconciled(entry.payment);
        break;
    case EntryKind::None:
        neitherChargeNorPayment();
        break;
    }
    m_p.grid.SaveYear();
    m_p.cardInfo.SaveInfo();
}

bool RegisterCommands::bb8Click() const
{
    if (m_p.years.items.size() >= 2)
        return true;
    showMessage(QStringLiteral("No records available for other years."));
    return false;
}

void RegisterCommands::FormClose()
{
    m_p.tc.CloseRegister();
}
