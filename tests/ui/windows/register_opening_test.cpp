#include "support/dialog_fixture.h"

#include <QScrollBar>
#include <QTableView>

// Opening a card shows the register at the card's first entries, wherever
// the last card was left: a card with a few entries
// must not open on an empty stretch of the ledger with row 30 marked.

namespace {

class RegisterOpening : public DialogWindows
{
protected:
    QWidget* form1() { return m_windows->window(QStringLiteral("Form1")); }
    QTableView* ledger() { return control<QTableView>(form1(), "StringGrid1"); }

    void addCharges(int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(ui().registerCommands.bb3Click());
            EntryValues entry;
            entry.date = QDate(2026, 11, 1 + i % 28);
            entry.charge = QStringLiteral("1.00");
            p().tc.AddCharge(entry);
        }
        ui().refresh();
    }

    void openRow(int row)
    {
        p().sg1.setCurrentRow(row);
        p().cardList.SelectFromGrid();
        p().tc.OpenCard();
        ui().refresh();
        ASSERT_TRUE(p().reg.shown);
    }
};

TEST_F(RegisterOpening, ACardOpensAtItsFirstRowsWhereverTheLastWasLeft)
{
    openCard();
    addCharges(40);
    form1()->close();
    p().tc.AddCard(sampleCard(QStringLiteral("Amex")));
    openRow(2);
    addCharges(6);
    form1()->close();

    // The first card, left at row 30 and scrolled to the end.
    openRow(1);
    p().ledger.setCurrentRow(30);
    ui().refresh();
    ledger()->verticalScrollBar()->setValue(ledger()->verticalScrollBar()->maximum());
    form1()->close();

    openRow(2);
    EXPECT_EQ(p().ledger.currentRow(), 1);
    EXPECT_EQ(ledger()->currentIndex().row(), 0);
    EXPECT_EQ(ledger()->verticalScrollBar()->value(), 0);
}

} // namespace
