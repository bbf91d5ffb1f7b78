#include "ui/windows/reconcile_dialog.h"

#include "core/platform/clock.h"
#include "core/platform/messages.h"
#include "core/platform/short_date.h"
#include "core/program/pursewise.h"
#include "ui/kit/dialog_controls.h"
#include "ui/kit/short_date_edit.h"
#include "ui/kit/tick_table.h"
#include "ui/kit/ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int clientWidth = 640;
constexpr int clientHeight = 470;

} // namespace

TReconcileForm::TReconcileForm(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("Reconcile"), std::nullopt, parent), m_reconcile(ui.p)
{
    dressStatementDialog(this, QStringLiteral("Reconcile with a statement"), clientWidth,
                         clientHeight);

    m_last = dialogLabel(this, "LLast", QString(), 12, 10);
    m_last->setFixedWidth(clientWidth - 24);
    dialogLabel(this, "LDate", QStringLiteral("Statement closing date:"), 12, 42);
    m_date = new ShortDateEdit(this);
    m_date->setObjectName(QStringLiteral("DT1"));
    m_date->setGeometry(190, 38, 120, 24);
    keepWhite(m_date);
    dialogLabel(this, "LBalance", QStringLiteral("Closing balance:"), 340, 42);
    m_balance = new QLineEdit(this);
    m_balance->setObjectName(QStringLiteral("E1"));
    m_balance->setGeometry(470, 38, 120, 24);
    m_balance->setMaxLength(20);
    keepWhite(m_balance);

    m_table = new TickTable("Entries",
                            {QStringLiteral("Date"), QStringLiteral("Description"),
                             QStringLiteral("Charges"), QStringLiteral("Payments")},
                            this);
    m_table->setGeometry(12, 74, clientWidth - 24, 300);
    m_table->setColumnWidth(1, 100);
    m_table->setColumnWidth(2, 260);
    m_table->setColumnWidth(3, 100);
    keepWhite(m_table);

    m_reconciled = dialogLabel(this, "LReconciled", QString(), 12, 384);
    m_reconciled->setFixedWidth(clientWidth / 2);
    m_difference = dialogLabel(this, "LDifference", QString(), clientWidth / 2, 384);
    m_difference->setFixedWidth(clientWidth / 2 - 12);

    addButtons("OKBtn", {clientWidth / 2 - 100, 424, 90, 27}, "CancelBtn",
               {clientWidth / 2 + 10, 424, 90, 27}, [this] { OKClick(); });
    m_okButton->setText(QStringLiteral("Finish"));
    setTabChain({m_date, m_balance, m_table, m_okButton, m_cancelButton});

    connect(m_date, &ShortDateEdit::dateChanged, this,
            [this] { handle(m_ui, [this] { listEntries(); }); });
    connect(m_balance, &QLineEdit::textChanged, this, [this] { showDifference(); });
    connect(m_table, &TickTable::tickChanged, this, [this](int row, bool ticked) {
        if (row >= 0 && row < int(m_lines.size()))
            m_lines[std::size_t(row)].ticked = ticked;
        showDifference();
    });
}

// Offers the day a month after the last statement closed (statements come
// monthly), or today for a card never reconciled; the balance is the user's.
void TReconcileForm::opened()
{
    LastStatement last;
    handle(m_ui, [&] { last = m_reconcile.lastStatement(); });
    if (last.date.isValid())
        m_last->setText(QStringLiteral("Last statement: %1, closing balance %2.")
                            .arg(ShortDate::toText(last.date), last.balance));
    else
        m_last->setText(QStringLiteral("No statement has been reconciled for this card yet."));
    const QSignalBlocker quiet(m_date);
    m_date->setDate(last.date.isValid() ? last.date.addMonths(1) : Clock::today());
    m_balance->clear();
    handle(m_ui, [this] { listEntries(); });
    m_date->setFocus();
}

void TReconcileForm::listEntries()
{
    m_table->clearRows();
    m_lines.clear();
    m_lines = m_reconcile.uncleared(m_date->date());
    for (const ReconcileLine& line : m_lines)
        m_table->addRow(
            line.ticked, true,
            {line.entry.date, line.entry.description, line.entry.charge, line.entry.payment},
            {2, 3});
    showDifference();
}

std::optional<std::int64_t> TReconcileForm::typedBalance() const
{
    QString text = m_balance->text().trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    const TccMath& math = m_ui.p.math;
    const std::string prepared = math.PrepareTypedAmount(text.toStdString(), true);
    if (text.isEmpty() || !math.IsValidAmount(prepared) || !math.IsPlainAmount(prepared))
        return std::nullopt;
    const std::int64_t cents = math.AmountToCents(prepared);
    return negative ? -cents : cents;
}

void TReconcileForm::showDifference()
{
    const TccMath& math = m_ui.p.math;
    std::int64_t ticked = 0;
    for (const ReconcileLine& line : m_lines)
        if (line.ticked)
            ticked += line.effect;
    m_reconciled->setText(QStringLiteral("Reconciled balance: %1, ticked: %2")
                              .arg(m_ui.p.reg.E8.isEmpty() ? QStringLiteral("0.00") : m_ui.p.reg.E8,
                                   QString::fromStdString(math.CentsToAmount(ticked))));
    const std::optional<std::int64_t> balance = typedBalance();
    if (!balance) {
        m_difference->setText(QStringLiteral("Difference: type the closing balance"));
        return;
    }
    const std::int64_t difference = m_reconcile.difference(*balance, m_lines);
    m_difference->setText(difference == 0
                              ? QStringLiteral("Difference: 0.00, the statement balances")
                              : QStringLiteral("Difference: %1")
                                    .arg(QString::fromStdString(math.CentsToAmount(difference))));
}

void TReconcileForm::OKClick()
{
    if (!m_date->takeTypedText()) {
        showMessage(ShortDate::notADateMessage(m_date->text()));
        m_date->setFocus();
        return;
    }
    const std::optional<std::int64_t> balance = typedBalance();
    if (!balance) {
        showMessage(
            QStringLiteral("The closing balance must be an amount, such as 1234.56 or -20.00."));
        m_balance->setFocus();
        return;
    }
    bool done = false;
    handle(m_ui, [&] {
        LastStatement statement;
        statement.date = m_date->date();
        statement.balance = QString::fromStdString(m_ui.p.math.CentsToAmount(*balance));
        m_reconcile.finish(statement, m_lines);
        done = true;
    });
    if (done)
        accept();
}
