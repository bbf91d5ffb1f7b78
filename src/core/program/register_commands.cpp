#include "core/program/register_commands.h"

#include "core/platform/messages.h"
#include "core/program/pursewise.h"

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
        const int row = m_p.grid.selectedRow();
        if (!m_p.ledger.cell(TGrid::Charges, row).isEmpty())
            m_p.tc.DeleteCharge();
        else if (!m_p.ledger.cell(TGrid::Payments, row).isEmpty())
            m_p.tc.DeletePayment();
        else
            neitherChargeNorPayment();
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
    const int row = m_p.grid.selectedRow();
    const bool wasCleared = m_p.ledger.cell(TGrid::Cleared, row) == u"X";
    m_p.grid.ToggleCleared();
    const QString& charge = m_p.ledger.cell(TGrid::Charges, row);
    const QString& payment = m_p.ledger.cell(TGrid::Payments, row);
    if (!charge.isEmpty()) {
        if (wasCleared)
            m_p.cardInfo.SubtractFromReconciled(charge);
        else
            m_p.cardInfo.AddToReconciled(charge);
    } else if (!payment.isEmpty()) {
        if (wasCleared)
            m_p.cardInfo.AddToReconciled(payment);
        else
            m_p.cardInfo.SubtractFromReconciled(payment);
    } else {
        neitherChargeNorPayment();
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
