#pragma once

#include "core/program/reconcile.h"
#include "ui/kit/dialog_frame.h"

class QLabel;
class QLineEdit;
class ShortDateEdit;
class TickTable;

// Reconciles the open card against its monthly statement: the user gives the
// statement's closing date and balance and ticks the entries it shows; the
// difference to the statement's balance follows every tick, and Finish marks
// the ticked entries "X" once the difference is zero.
class TReconcileForm : public DialogFrame
{
    Q_OBJECT

public:
    explicit TReconcileForm(Ui& ui, QWidget* parent = nullptr);

    void OKClick();

protected:
    void opened() override;

private:
    void listEntries();
    void showDifference();
    // The typed closing balance in cents, or nothing when it is no amount.
    std::optional<std::int64_t> typedBalance() const;

    Reconcile m_reconcile;
    std::vector<ReconcileLine> m_lines;
    QLabel* m_last = nullptr;
    ShortDateEdit* m_date = nullptr;
    QLineEdit* m_balance = nullptr;
    TickTable* m_table = nullptr;
    QLabel* m_reconciled = nullptr;
    QLabel* m_difference = nullptr;
};
