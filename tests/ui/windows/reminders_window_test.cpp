#include "support/program_fixture.h"
#include "ui/windows/program_windows.h"
#include "ui/windows/reminders_window.h"

#include <QCheckBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

// Two cards in a prepared folder on 8 December 2026: "1. Visa Gold" with its
// payment on the 10th, "2. Store Card" at 92% of its limit. The settings go
// to Qt's test place, never the tester's own.
class RemindersWindow : public OnTheFixedDay
{
protected:
    void SetUp() override
    {
        OnTheFixedDay::SetUp();
        QStandardPaths::setTestModeEnabled(true);
        TReminders::setShowsAtStart(true);
        putBytes("CardList.dat", "2\r\n2\r\n0 1 1. Visa Gold\r\n4 1 1000.00\r\n5 1 0.00\r\n"
                                 "7 1 12/8/26\r\n0 2 2. Store Card\r\n4 2 500.00\r\n"
                                 "5 2 460.00\r\n7 2 12/8/26\r\n");
        putBytes("1info.dat", "Visa Gold\r\n10/31/28\r\n18.9\r\n\r\n12/8/26\r\nthe 10th\r\n"
                              "1000.00\r\n0.00\r\n1000.00\r\n0.00\r\n");
        putBytes("1yl.dat", "26\r\n");
        putBytes("2info.dat", "Store Card\r\n10/31/28\r\n18.9\r\n\r\n12/8/26\r\n30\r\n"
                              "500.00\r\n460.00\r\n40.00\r\n0.00\r\n");
        putBytes("2yl.dat", "26\r\n");
    }

    void TearDown() override
    {
        m_windows.reset();
        TReminders::setShowsAtStart(true);
        QStandardPaths::setTestModeEnabled(false);
        OnTheFixedDay::TearDown();
    }

    void startProgram()
    {
        m_windows = std::make_unique<ProgramWindows>(m_state);
        reminders().refresh();
    }

    TReminders& reminders() { return *m_windows->ui().reminders(); }
    QTableWidget& lines() { return *reminders().findChild<QTableWidget*>(QStringLiteral("Lines")); }
    QStringList shownLines()
    {
        QStringList texts;
        for (int row = 0; row < lines().rowCount(); ++row)
            texts << lines().item(row, 0)->text();
        return texts;
    }

    // Enter on a line, as a person selects it and presses the key.
    void pressEnterOn(int row)
    {
        lines().setCurrentCell(row, 0);
        lines().setFocus();
        QTest::keyClick(&lines(), Qt::Key_Return);
    }

    MessageRecorder messages;
    Pursewise m_state;
    std::unique_ptr<ProgramWindows> m_windows;
};

TEST_F(RemindersWindow, ListsOneLinePerReminderInTheOrderOfTheCardList)
{
    startProgram();
    EXPECT_EQ(reminders().objectName(), QStringLiteral("Reminders"));
    EXPECT_EQ(reminders().windowTitle(), QStringLiteral("Reminders"));
    EXPECT_EQ(shownLines(), (QStringList{"Visa Gold: payment due in 2 days (Dec 10)",
                                         "Store Card: 92% of the credit limit used"}));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(RemindersWindow, EnterOnALineOpensItsCardAsOpenSelectedCardDoes)
{
    startProgram();
    pressEnterOn(1);
    EXPECT_TRUE(m_state.reg.shown);
    EXPECT_EQ(m_state.reg.cardKey, QStringLiteral("2"));
    EXPECT_EQ(m_state.reg.L7, QStringLiteral("Store Card"));
    EXPECT_EQ(m_state.sg1.currentRow(), 2);
    EXPECT_EQ(m_state.cardList.selectedKey(), QStringLiteral("2"));

    pressEnterOn(0);
    EXPECT_EQ(m_state.reg.cardKey, QStringLiteral("1"));
    EXPECT_EQ(m_state.reg.E4, QStringLiteral("the 10th"));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(RemindersWindow, ALineOfACardNoLongerListedOpensNothing)
{
    startProgram();
    // The list changed after the window was filled: card 2 is gone.
    m_state.sg1.clearCells(2, 0, 7);
    pressEnterOn(1);
    EXPECT_FALSE(m_state.reg.shown);
    EXPECT_TRUE(m_state.cardList.selectedKey().isEmpty());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(RemindersWindow, WithNothingNearSaysSoAndThatLineOpensNothing)
{
    putBytes("1info.dat", "Visa Gold\r\n10/31/28\r\n18.9\r\n\r\n12/8/26\r\n20\r\n"
                          "1000.00\r\n0.00\r\n1000.00\r\n0.00\r\n");
    putBytes("CardList.dat", "1\r\n1\r\n0 1 1. Visa Gold\r\n4 1 1000.00\r\n5 1 0.00\r\n"
                             "7 1 12/8/26\r\n");
    startProgram();
    EXPECT_EQ(shownLines(), QStringList{"Nothing is due in the next few days."});
    EXPECT_FALSE(lines().item(0, 0)->flags() & Qt::ItemIsSelectable);
    pressEnterOn(0);
    EXPECT_FALSE(m_state.reg.shown);
    EXPECT_FALSE(reminders().showAtStart());
    EXPECT_FALSE(reminders().isVisible());
}

TEST_F(RemindersWindow, TheShowAtStartBoxIsKeptInTheSettingsAndDecidesTheStart)
{
    startProgram();
    auto* box = reminders().findChild<QCheckBox*>(QStringLiteral("ShowAtStart"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    box->click();
    EXPECT_FALSE(TReminders::showsAtStart());
    EXPECT_FALSE(reminders().showAtStart());
    EXPECT_FALSE(reminders().isVisible());

    box->click();
    EXPECT_TRUE(TReminders::showsAtStart());
    EXPECT_TRUE(reminders().showAtStart());
    EXPECT_TRUE(reminders().isVisible());
    // Nothing of it lands in the data folder.
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::NoDotAndDotDot),
              (QStringList{"1info.dat", "1yl.dat", "2info.dat", "2yl.dat", "CardList.dat"}));
}

} // namespace
