#include "support/dialog_fixture.h"
#include "ui/kit/short_date_edit.h"
#include "ui/windows/entry_dialog.h"
#include "ui/windows/register_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A card open in the register with a cleared charge of 20.00 (row 1) and a
// payment of 5.00 (row 2).
class EntryDialog : public DialogWindows
{
protected:
    void SetUp() override
    {
        DialogWindows::SetUp();
        openCard();
        post(2, QStringLiteral("Fuel"), QStringLiteral("20.00"), true);
        post(1, QStringLiteral("Thanks"), QStringLiteral("5.00"), false);
        ASSERT_EQ(p().grid.entryCount(), 2);
        ASSERT_TRUE(messages.shown().isEmpty());
    }

    void post(int kind, const QString& description, const QString& amount, bool cleared)
    {
        ASSERT_TRUE(ui().registerCommands.bb3Click());
        EntryValues entry;
        entry.date = QDate(2026, 11, 30);
        entry.description = description;
        entry.charge = entry.payment = amount;
        entry.cleared = cleared;
        kind == 2 ? p().tc.AddCharge(entry) : p().tc.AddPayment(entry);
    }

    TMakeOrEditEntry* dialog() { return ui().makeOrEditEntry(); }

    template <typename T = QWidget>
    T* at(const char* name)
    {
        return control<T>(dialog(), name);
    }

    // The register's Add, Insert or Edit with the ledger cursor on `row`.
    void showFor(EntryMode mode, int row = 1)
    {
        if (mode == EntryMode::Add) {
            ASSERT_TRUE(ui().registerCommands.bb3Click());
        } else {
            p().ledger.setCurrentRow(row);
            ASSERT_TRUE(mode == EntryMode::Insert ? ui().registerCommands.bb4Click()
                                                  : ui().registerCommands.bb6Click());
        }
        dialog()->setMode(mode);
        showActive(dialog());
    }

    QStringList ledgerRow(int row)
    {
        QStringList cells;
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            cells << p().ledger.cell(column, row);
        return cells;
    }
};

TEST_F(EntryDialog, EveryControlSitsAtItsDesignPlace)
{
    EXPECT_EQ(dialog()->size(), QSize(552, 312));
    const std::pair<const char*, QRect> places[] = {
        {"Bevel1", {24, 11, 504, 246}},   {"DT1", {168, 21, 105, 27}},
        {"E1", {168, 61, 190, 27}},       {"GroupBox1", {62, 104, 427, 89}},
        {"R1", {24, 24, 88, 17}},         {"E2", {121, 19, 121, 27}},
        {"R2", {24, 56, 88, 17}},         {"E3", {120, 52, 121, 27}},
        {"C1", {491, 210, 12, 17}},       {"OKBtn", {162, 268, 75, 25}},
        {"CancelBtn", {316, 268, 75, 25}}};
    for (const auto& [name, geometry] : places)
        EXPECT_EQ(at(name)->geometry(), geometry) << name;
    for (const char* name : {"R1", "E2", "R2", "E3"})
        EXPECT_EQ(at(name)->parentWidget(), at("GroupBox1")) << name;
    const std::tuple<const char*, const char*, QPoint> labels[] = {
        {"L1", "Date:", {64, 24}},
        {"L2", "Description:", {64, 64}},
        {"L3", "Click box if amount has appeared on monthly statement:", {60, 208}}};
    for (const auto& [name, caption, corner] : labels) {
        EXPECT_EQ(at<QLabel>(name)->text(), QString::fromLatin1(caption)) << name;
        EXPECT_EQ(at(name)->pos(), corner) << name;
    }
    EXPECT_TRUE(at<QGroupBox>("GroupBox1")->title().isEmpty());
}

struct Look
{
    EntryMode mode;
    const char* title;
    QColor colour;
};

class EntryDialogLook : public EntryDialog, public testing::WithParamInterface<Look>
{};

TEST_P(EntryDialogLook, TakesTheCaptionAndColourOfItsMode)
{
    showFor(GetParam().mode);
    EXPECT_EQ(dialog()->windowTitle(), QString(49, u' ') + QString::fromLatin1(GetParam().title));
    EXPECT_EQ(dialog()->palette().color(QPalette::Window), GetParam().colour);
    EXPECT_EQ(at("E1")->palette().color(QPalette::Base), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EntryDialogLook,
    testing::Values(Look{EntryMode::Add, "Add an Entry", QColor(0xFF, 0x7F, 0x7F)},
                    Look{EntryMode::Insert, "Insert an Entry", QColor(0xFF, 0x7F, 0x7F)},
                    Look{EntryMode::Edit, "Edit This Entry", QColor(0xFF, 0x9F, 0x9F)}));

TEST_F(EntryDialog, TheFocusChainRunsFromTheDateThroughTheKindsToTheButtons)
{
    const QStringList controls{"DT1", "E1", "R1", "E2", "R2", "E3", "C1", "OKBtn", "CancelBtn"};
    EXPECT_EQ(focusChain(at("DT1"), controls),
              (QStringList{"DT1", "E1", "R1", "R2", "C1", "OKBtn", "CancelBtn"}));
}

// The two kinds are one stop for the tab key, as a radio group is; once a
// kind is chosen the arrow keys move to the other and choose it.
TEST_F(EntryDialog, TabStopsOnceInTheKindsAndTheArrowsChooseBetweenThem)
{
    showFor(EntryMode::Add);
    EXPECT_EQ(tabOrder(at("DT1"), 6),
              (QStringList{"DT1", "E1", "R1", "C1", "OKBtn", "CancelBtn", "DT1"}));

    at<QRadioButton>("R1")->click();
    at("R1")->setFocus();
    QTest::keyClick(at("R1"), Qt::Key_Down);
    EXPECT_TRUE(at<QRadioButton>("R2")->isChecked());
    EXPECT_EQ(dialog()->kind(), EntryKind::Payment);
    EXPECT_TRUE(at("E3")->isVisible());
}

TEST_F(EntryDialog, TheAmountBoxesAreNoTabStops)
{
    showFor(EntryMode::Add);
    dialog()->R1Click();
    EXPECT_EQ(at("E2")->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(at("E3")->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E2"));
    QTest::keyClick(at("E2"), Qt::Key_Tab);
    EXPECT_NE(focusName(dialog()), QStringLiteral("E3"));
}

TEST_F(EntryDialog, OkIsTheDefaultAndEscapeCancels)
{
    showFor(EntryMode::Add);
    EXPECT_TRUE(at<QPushButton>("OKBtn")->isDefault());
    at("E1")->setFocus();
    QTest::keyClick(at("E1"), Qt::Key_Escape);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Rejected);
}

TEST_F(EntryDialog, EnterWithAKindChosenRunsOk)
{
    showFor(EntryMode::Add);
    at<QRadioButton>("R2")->click();
    QTest::keyClicks(at("E3"), "12.5");
    QTest::keyClick(at("E3"), Qt::Key_Return);
    EXPECT_EQ(messages.shown(), QStringList{"Invalid entry for payment."});
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(EntryDialog, IsShownModally)
{
    dialog()->setMode(EntryMode::Add);
    bool modal = false;
    const int result =
        whileInExec(dialog(), [&] { modal = QApplication::activeModalWidget() == dialog(); });
    EXPECT_TRUE(modal);
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(EntryDialog, F1AsksForTopicSixWhereverTheFocusIs)
{
    showFor(EntryMode::Add);
    dialog()->R1Click();
    for (const char* name : {"DT1", "E1", "E2", "R1", "C1", "CancelBtn"}) {
        at(name)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    EXPECT_EQ(helpTopics, (std::vector<int>(6, 6)));
}

TEST_F(EntryDialog, AddOpensWithNoKindOnTodayWithTheFocusOnTheDate)
{
    showFor(EntryMode::Edit, 1);
    dialog()->hide();
    showFor(EntryMode::Add);

    for (const char* name : {"E2", "E3"}) {
        EXPECT_FALSE(at(name)->isVisible()) << name;
        EXPECT_FALSE(at(name)->isEnabled()) << name;
        EXPECT_TRUE(at<QLineEdit>(name)->text().isEmpty()) << name;
    }
    EXPECT_FALSE(at<QRadioButton>("R1")->isChecked());
    EXPECT_FALSE(at<QRadioButton>("R2")->isChecked());
    EXPECT_FALSE(at<QCheckBox>("C1")->isChecked());
    EXPECT_TRUE(at<QLineEdit>("E1")->text().isEmpty());
    EXPECT_EQ(at<ShortDateEdit>("DT1")->date(), QDate(2026, 12, 8));
    EXPECT_EQ(dialog()->kind(), EntryKind::None);
    EXPECT_EQ(focusName(dialog()), QStringLiteral("DT1"));
}

TEST_F(EntryDialog, AddWithNoKindChosenClosesWritingNothing)
{
    const auto files = folderSnapshot();
    showFor(EntryMode::Add);
    at<QPushButton>("OKBtn")->click();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Accepted);
    EXPECT_EQ(folderSnapshot(), files);
    EXPECT_EQ(p().grid.entryCount(), 2);
}

TEST_F(EntryDialog, EditOnAChargeChoosesItAsTheChargeButtonWould)
{
    showFor(EntryMode::Edit, 1);

    EXPECT_EQ(at<ShortDateEdit>("DT1")->date(), QDate(2026, 11, 30));
    EXPECT_EQ(at<QLineEdit>("E1")->text(), QStringLiteral("Fuel"));
    EXPECT_EQ(at<QLineEdit>("E2")->text(), QStringLiteral("20.00"));
    EXPECT_TRUE(at("E2")->isVisible());
    EXPECT_TRUE(at("E2")->isEnabled());
    EXPECT_FALSE(at("E3")->isVisible());
    EXPECT_FALSE(at("E3")->isEnabled());
    EXPECT_TRUE(at<QRadioButton>("R1")->isChecked());
    EXPECT_FALSE(at<QRadioButton>("R2")->isChecked());
    EXPECT_TRUE(at<QCheckBox>("C1")->isChecked());
    EXPECT_EQ(dialog()->kind(), EntryKind::Charge);
    EXPECT_EQ(dialog()->originalKind(), EntryKind::Charge);
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E2"));
}

TEST_F(EntryDialog, EditOnAPaymentChoosesItAsThePaymentButtonWould)
{
    showFor(EntryMode::Edit, 2);

    EXPECT_EQ(at<QLineEdit>("E3")->text(), QStringLiteral("5.00"));
    EXPECT_TRUE(at("E3")->isVisible());
    EXPECT_FALSE(at("E2")->isVisible());
    EXPECT_TRUE(at<QRadioButton>("R2")->isChecked());
    EXPECT_FALSE(at<QCheckBox>("C1")->isChecked());
    EXPECT_EQ(dialog()->kind(), EntryKind::Payment);
    EXPECT_EQ(dialog()->originalKind(), EntryKind::Payment);
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E3"));
}

TEST_F(EntryDialog, SwitchingTheKindDropsTheOtherAmount)
{
    showFor(EntryMode::Edit, 1);
    QTest::mouseClick(at("R2"), Qt::LeftButton, {}, QPoint(5, 8));

    EXPECT_EQ(dialog()->kind(), EntryKind::Payment);
    EXPECT_TRUE(at<QLineEdit>("E2")->text().isEmpty());
    EXPECT_FALSE(at("E2")->isVisible());
    EXPECT_TRUE(at("E3")->isVisible());
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E3"));
    EXPECT_EQ(dialog()->originalKind(), EntryKind::Charge);

    QTest::keyClicks(at("E3"), "7");
    at<QRadioButton>("R1")->click();
    EXPECT_EQ(dialog()->kind(), EntryKind::Charge);
    EXPECT_TRUE(at<QLineEdit>("E3")->text().isEmpty());
    EXPECT_TRUE(at<QLineEdit>("E2")->text().isEmpty());
}

TEST_F(EntryDialog, ARefusedAmountStaysInItsBoxPreparedWithTheFocusOnIt)
{
    showFor(EntryMode::Add);
    at<QRadioButton>("R1")->click();
    QTest::keyClicks(at("E2"), "$12.5");
    at<QPushButton>("OKBtn")->setFocus();
    at<QPushButton>("OKBtn")->click();

    EXPECT_EQ(messages.shown(), QStringList{"Invalid entry for charge."});
    EXPECT_EQ(at<QLineEdit>("E2")->text(), QStringLiteral("12.5"));
    EXPECT_TRUE(at<QLineEdit>("E2")->isModified());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E2"));
    EXPECT_EQ(p().grid.entryCount(), 2);
}

TEST_F(EntryDialog, AnAcceptedAmountIsShownPreparedAndPostedAfterTheLastEntry)
{
    showFor(EntryMode::Add);
    QTest::keyClicks(at("E1"), "Rent");
    at<QRadioButton>("R2")->click();
    QTest::keyClicks(at("E3"), "$1,200");
    at<QCheckBox>("C1")->click();
    at<QPushButton>("OKBtn")->click();

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(at<QLineEdit>("E3")->text(), QStringLiteral("1200.00"));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(ledgerRow(3), (QStringList{"12/8/26", "Rent", "", "1200.00", "X", "-1185.00"}));
    EXPECT_EQ(p().reg.E6, QStringLiteral("-1185.00"));
}

TEST_F(EntryDialog, EditOfTheChargeIntoAPaymentKeepsItsRow)
{
    showFor(EntryMode::Edit, 1);
    at<QRadioButton>("R2")->click();
    QTest::keyClicks(at("E3"), "20");
    at<QPushButton>("OKBtn")->click();

    EXPECT_EQ(ledgerRow(1), (QStringList{"11/30/26", "Fuel", "", "20.00", "X", "-20.00"}));
    EXPECT_EQ(ledgerRow(2), (QStringList{"11/30/26", "Thanks", "", "5.00", "", "-25.00"}));
    EXPECT_EQ(p().grid.entryCount(), 2);
}

} // namespace
