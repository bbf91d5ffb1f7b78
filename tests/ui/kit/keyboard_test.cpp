#include "support/dialog_fixture.h"
#include "ui/windows/entry_dialog.h"

#include <QAbstractButton>
#include <QTableView>

#include <optional>

// The two big windows without the mouse: Tab leaves the register's ledger
// for its buttons, every button has a mnemonic, the ledger takes Insert,
// Delete and Enter, and the button with the focus is framed where it shows.

namespace {

class Keyboard : public DialogWindows
{
protected:
    QWidget* window(const char* name) { return m_windows->window(QString::fromLatin1(name)); }
    QTableView* ledger() { return control<QTableView>(window("Form1"), "StringGrid1"); }

    // The card open in the register with charges of 20.00 (row 1) and
    // 5.00 (row 2), the register active and the focus on the ledger.
    void openRegister()
    {
        openCard();
        for (const char* amount : {"20.00", "5.00"}) {
            ASSERT_TRUE(ui().registerCommands.bb3Click());
            EntryValues entry;
            entry.date = QDate(2026, 11, 30);
            entry.charge = QString::fromLatin1(amount);
            p().tc.AddCharge(entry);
        }
        ui().refresh();
        showActive(window("Form1"));
        ledger()->setFocus(Qt::MouseFocusReason);
    }

    void putCursorOn(int row)
    {
        p().ledger.setCurrentRow(row);
        ui().refresh();
    }

    // The entry dialog's mode while a key on the ledger holds it open, or
    // none when the key opened no dialog.
    std::optional<EntryMode> entryModeAfter(Qt::Key key)
    {
        std::optional<EntryMode> mode;
        QTimer::singleShot(0, ui().makeOrEditEntry(), [&] {
            if (ui().makeOrEditEntry()->isVisible())
                mode = ui().makeOrEditEntry()->mode();
            ui().makeOrEditEntry()->reject();
        });
        QTest::keyClick(ledger(), key);
        QApplication::processEvents();
        return mode;
    }

    static QColor colourBeside(QWidget* button)
    {
        QWidget* top = button->window();
        const QImage image = top->grab().toImage();
        return image.pixelColor(button->mapTo(top, QPoint(-2, button->height() / 2)));
    }
};

TEST_F(Keyboard, TabLeavesTheLedgerThroughTheButtonsAndComesBack)
{
    openRegister();
    EXPECT_EQ(tabOrder(ledger(), 9), (QStringList{"StringGrid1", "BB3", "BB4", "BB5", "BB6", "BB7",
                                                  "BB8", "BB9", "BB10", "StringGrid1"}));
}

TEST_F(Keyboard, DeleteOnTheLedgerDeletesTheCursorRowAsTheButtonDoes)
{
    openRegister();
    putCursorOn(1);
    QTest::keyClick(ledger(), Qt::Key_Delete);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(p().grid.entryCount(), 1);
    EXPECT_EQ(p().ledger.cell(TGrid::Charges, 1), QStringLiteral("5.00"));
}

TEST_F(Keyboard, InsertOnTheLedgerAddsAndEnterEdits)
{
    openRegister();
    putCursorOn(2);
    EXPECT_EQ(entryModeAfter(Qt::Key_Insert), EntryMode::Add);
    putCursorOn(2);
    EXPECT_EQ(entryModeAfter(Qt::Key_Return), EntryMode::Edit);
    EXPECT_EQ(p().grid.selectedRow(), 2);
    EXPECT_EQ(entryModeAfter(Qt::Key_Enter), EntryMode::Edit);
    EXPECT_EQ(p().grid.entryCount(), 2);
}

TEST_F(Keyboard, KeysOnTheLedgerAfterTheLastEntryGetTheButtonsMessages)
{
    openRegister();
    putCursorOn(3);
    EXPECT_EQ(entryModeAfter(Qt::Key_Return), std::nullopt);
    QTest::keyClick(ledger(), Qt::Key_Delete);
    EXPECT_EQ(messages.shown(),
              (QStringList{"A row must first be selected.", "A row must first be selected."}));
    EXPECT_EQ(p().grid.entryCount(), 2);
}

TEST_F(Keyboard, EveryButtonOfTheBigWindowsHasItsOwnMnemonic)
{
    const std::pair<const char*, QStringList> windows[] = {
        {"Main", {"B1", "B2", "B3", "B4"}},
        {"Form1", {"BB3", "BB4", "BB5", "BB6", "BB7", "BB8", "BB9", "BB10"}}};
    for (const auto& [name, buttons] : windows) {
        QStringList keys;
        for (const QString& button : buttons) {
            const QString caption =
                control<QAbstractButton>(window(name), button.toLatin1().constData())->text();
            const QKeySequence key = QKeySequence::mnemonic(caption);
            EXPECT_FALSE(key.isEmpty()) << button.toStdString();
            keys << key.toString();
        }
        keys.removeDuplicates();
        EXPECT_EQ(keys.size(), buttons.size()) << name;
    }
}

TEST_F(Keyboard, AltDInTheRegisterDeletesTheCursorRow)
{
    openRegister();
    putCursorOn(2);
    QTest::keyClick(window("Form1")->windowHandle(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic clicks its button as a person would see it: pressed, then
    // released a moment later.
    EXPECT_TRUE(QTest::qWaitFor([this] { return p().grid.entryCount() == 1; }, 2000));
    EXPECT_EQ(p().ledger.cell(TGrid::Charges, 1), QStringLiteral("20.00"));
}

TEST_F(Keyboard, AltOInTheMainWindowRunsOpenSelectedCard)
{
    openCard();
    window("Form1")->close();
    showActive(window("Main"));
    QTest::keyClick(window("Main")->windowHandle(), Qt::Key_O, Qt::AltModifier);
    (void)QTest::qWaitFor([this] { return !messages.shown().isEmpty(); }, 2000);
    EXPECT_EQ(messages.shown(), QStringList{"A card must first be selected from the Card list."});
}

TEST_F(Keyboard, TheMainWindowsButtonsFollowEachOtherLeftToRight)
{
    showActive(window("Main"));
    messages.clear();
    QWidget* grid = control(window("Main"), "sg1");
    grid->setFocus();
    EXPECT_EQ(tabOrder(control(window("Main"), "B1"), 4),
              (QStringList{"B1", "B2", "B3", "B4", "B1"}));
}

TEST_F(Keyboard, AButtonWithTheKeyboardFocusIsFramedOnTheBlueBackground)
{
    showActive(window("Main"));
    messages.clear();
    QWidget* open = control(window("Main"), "B1");
    const QColor blue = colourBeside(open);
    open->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(colourBeside(open), QColor(255, 255, 0));
    QTest::keyClick(open, Qt::Key_Tab);
    EXPECT_EQ(colourBeside(open), blue);
    EXPECT_EQ(colourBeside(control(window("Main"), "B2")), QColor(255, 255, 0));
}

TEST_F(Keyboard, AButtonClickedWithTheMouseIsNotFramed)
{
    showActive(window("Main"));
    messages.clear();
    QWidget* open = control(window("Main"), "B1");
    const QColor blue = colourBeside(open);
    open->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(colourBeside(open), blue);
}

TEST_F(Keyboard, TheRegisterButtonWithTheFocusIsFramedOnTheBlackBar)
{
    openRegister();
    QTest::keyClick(ledger(), Qt::Key_Tab);
    EXPECT_EQ(colourBeside(control(window("Form1"), "BB3")), QColor(255, 255, 0));
}

} // namespace
