#include "support/dialog_fixture.h"
#include "ui/kit/short_date_edit.h"
#include "ui/windows/card_dialog.h"
#include "ui/windows/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class CardDialog : public DialogWindows
{
protected:
    TAddOrEditCard* dialog() { return ui().addOrEditCard(); }

    template <typename T = QWidget>
    T* at(const char* name)
    {
        return control<T>(dialog(), name);
    }

    void showAdding()
    {
        dialog()->setMode(CardMode::Add);
        showActive(dialog());
    }

    // "Edit Selected Card" on the open card, as the main window does it.
    void showEditing()
    {
        openCard();
        dialog()->setMode(CardMode::Edit);
        showActive(dialog());
    }
};

struct Place
{
    const char* name;
    QRect geometry;
};

TEST_F(CardDialog, EveryControlSitsAtItsDesignPlace)
{
    EXPECT_EQ(dialog()->size(), QSize(464, 359));
    const Place places[] = {{"Bevel1", {29, 11, 400, 289}},   {"E1", {143, 25, 226, 21}},
                            {"DT2", {157, 62, 81, 21}},       {"E2", {80, 87, 31, 21}},
                            {"E3", {155, 113, 30, 21}},       {"DT1", {236, 139, 71, 21}},
                            {"E4", {249, 166, 26, 21}},       {"E5", {137, 193, 92, 21}},
                            {"E6", {283, 244, 96, 21}},       {"OKBtn", {119, 316, 75, 25}},
                            {"CancelBtn", {255, 317, 75, 25}}};
    for (const Place& place : places)
        EXPECT_EQ(at(place.name)->geometry(), place.geometry) << place.name;
}

TEST_F(CardDialog, EveryLabelShowsItsCaptionAtItsDesignPlace)
{
    const std::tuple<const char*, const char*, QPoint> labels[] = {
        {"Label1", "Name for Card :", {40, 24}},
        {"Label11", "Date Card Expires:", {40, 64}},
        {"Label2", "Rate:", {40, 86}},
        {"Label8", "%", {117, 86}},
        {"Label4", "Introductory Rate:", {40, 112}},
        {"Label9", "%", {193, 113}},
        {"Label3", "Date Introductory Rate Expires:", {40, 139}},
        {"Label5", "Day of Month Payments are Due:", {40, 166}},
        {"Label6", "Credit Limit:   $", {40, 192}},
        {"Label7", "If Card Already has a Balance Due,", {40, 219}},
        {"Label10", "Balance Shown on Latest Statement:  $", {41, 245}}};
    for (const auto& [name, caption, corner] : labels) {
        const auto* label = at<QLabel>(name);
        EXPECT_EQ(label->text(), QString::fromLatin1(caption)) << name;
        EXPECT_EQ(label->pos(), corner) << name;
    }
}

TEST_F(CardDialog, TabGoesThroughTheBoxesInTheFormsOrder)
{
    showAdding();
    EXPECT_EQ(tabOrder(at("E1"), 10), (QStringList{"E1", "DT2", "E2", "E3", "DT1", "E4", "E5", "E6",
                                                   "OKBtn", "CancelBtn", "E1"}));
}

TEST_F(CardDialog, OkIsTheDefaultButtonAndEnterInABoxRunsIt)
{
    showAdding();
    EXPECT_TRUE(at<QPushButton>("OKBtn")->isDefault());
    QTest::keyClick(at("E1"), Qt::Key_Return);
    EXPECT_EQ(messages.shown(), QStringList{"Name required"});
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(CardDialog, EscapeAndCancelCloseItWithNothingWritten)
{
    const auto files = folderSnapshot();
    showAdding();
    QTest::keyClicks(at("E1"), "Visa");
    QTest::keyClick(at("E1"), Qt::Key_Escape);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Rejected);

    showAdding();
    at<QPushButton>("CancelBtn")->click();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(folderSnapshot(), files);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardDialog, IsShownModally)
{
    bool modal = false;
    whileInExec(dialog(), [&] { modal = QApplication::activeModalWidget() == dialog(); });
    EXPECT_TRUE(modal);
    EXPECT_TRUE(dialog()->isModal());
}

TEST_F(CardDialog, F1AsksForTopicFiveWhereverTheFocusIs)
{
    showAdding();
    for (const char* name : {"E1", "DT2", "E5", "OKBtn"}) {
        at(name)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    EXPECT_EQ(helpTopics, (std::vector<int>{5, 5, 5, 5}));
}

TEST_F(CardDialog, AddingOpensEmptyOnTodayWithTheBalanceBoxAndNoDateChanged)
{
    dialog()->setMode(CardMode::Add);
    showActive(dialog());
    at<QLineEdit>("E1")->setText(QStringLiteral("left over"));
    dialog()->hide();
    showAdding();

    for (const char* name : {"E1", "E2", "E3", "E4", "E5", "E6"})
        EXPECT_TRUE(at<QLineEdit>(name)->text().isEmpty()) << name;
    EXPECT_EQ(at<ShortDateEdit>("DT1")->date(), QDate(2026, 12, 8));
    EXPECT_EQ(at<ShortDateEdit>("DT2")->date(), QDate(2026, 12, 8));
    for (const char* name : {"E6", "Label7", "Label10"})
        EXPECT_TRUE(at(name)->isVisible()) << name;
    EXPECT_FALSE(dialog()->IntroExpiryChanged);
    EXPECT_FALSE(dialog()->CardExpiryChanged);
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E1"));
}

TEST_F(CardDialog, EditingOpensOnTheRegistersCardWithNothingModified)
{
    dialog()->IntroExpiryChanged = true;
    dialog()->CardExpiryChanged = true;
    showEditing();

    const std::pair<const char*, const char*> boxes[] = {
        {"E1", "Visa"}, {"E2", "18.9"}, {"E3", "0"}, {"E4", "15"}, {"E5", "900.00"}};
    for (const auto& [name, text] : boxes) {
        EXPECT_EQ(at<QLineEdit>(name)->text(), QString::fromLatin1(text)) << name;
        EXPECT_FALSE(at<QLineEdit>(name)->isModified()) << name;
    }
    EXPECT_EQ(at<ShortDateEdit>("DT1")->date(), QDate(2027, 6, 30));
    EXPECT_EQ(at<ShortDateEdit>("DT2")->date(), QDate(2027, 10, 31));
    for (const char* name : {"E6", "Label7", "Label10"})
        EXPECT_FALSE(at(name)->isVisible()) << name;
    // The dialog's own setting of the pickers changed both dates.
    EXPECT_FALSE(dialog()->IntroExpiryChanged);
    EXPECT_FALSE(dialog()->CardExpiryChanged);
}

TEST_F(CardDialog, APickerTheUserChangesIsFlaggedEvenWhenChangedBack)
{
    showEditing();
    auto* introExpiry = at<ShortDateEdit>("DT1");
    introExpiry->setDate(QDate(2027, 7, 1));
    introExpiry->setDate(QDate(2027, 6, 30));
    EXPECT_TRUE(dialog()->IntroExpiryChanged);
    EXPECT_FALSE(dialog()->CardExpiryChanged);

    at<ShortDateEdit>("DT2")->setDate(QDate(2028, 1, 31));
    EXPECT_TRUE(dialog()->CardExpiryChanged);
}

TEST_F(CardDialog, AnEditedLimitIsShownPreparedAndStaysModified)
{
    showEditing();
    auto* limit = at<QLineEdit>("E5");
    limit->selectAll();
    QTest::keyClicks(limit, "$1,500");
    at<QPushButton>("OKBtn")->click();

    EXPECT_EQ(limit->text(), QStringLiteral("1500.00"));
    EXPECT_TRUE(limit->isModified());
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Accepted);
    EXPECT_EQ(p().reg.E5, QStringLiteral("1500.00"));
}

TEST_F(CardDialog, ARefusedLimitStaysPreparedWithTheFocusOnIt)
{
    showEditing();
    auto* limit = at<QLineEdit>("E5");
    limit->selectAll();
    QTest::keyClicks(limit, "-1500.5");
    at<QPushButton>("OKBtn")->setFocus();
    at<QPushButton>("OKBtn")->click();

    EXPECT_EQ(messages.shown(), QStringList{"Invalid entry for Credit Limit"});
    EXPECT_EQ(limit->text(), QStringLiteral("1500.5"));
    EXPECT_TRUE(limit->isModified());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E5"));
    EXPECT_EQ(p().reg.E5, QStringLiteral("900.00"));
}

TEST_F(CardDialog, OkAddsTheTypedCardWithThePickedDates)
{
    showAdding();
    QTest::keyClicks(at("E1"), "Store");
    QTest::keyClicks(at("E5"), "$2,500");
    QTest::keyClicks(at("E6"), "125.40");
    at<ShortDateEdit>("DT1")->setDate(QDate(2027, 3, 4));
    at<QPushButton>("OKBtn")->click();

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(at<QLineEdit>("E5")->text(), QStringLiteral("2500.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 1), QStringLiteral("1. Store"));
    EXPECT_EQ(p().sg1.cell(TCardList::Limit, 1), QStringLiteral("2500.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("125.40"));
    EXPECT_EQ(p().sg1.cell(TCardList::IntroExpiry, 1), QStringLiteral("3/4/27"));
}

TEST_F(CardDialog, ARefusedNameKeepsTheDialogOpenWithTheFocusOnIt)
{
    openCard();
    showAdding();
    QTest::keyClicks(at("E1"), "Visa");
    QTest::keyClicks(at("E5"), "100");
    at<QPushButton>("OKBtn")->setFocus();
    at<QPushButton>("OKBtn")->click();

    EXPECT_EQ(messages.shown(),
              QStringList{"You already have a card by this name. Select another name. "});
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(focusName(dialog()), QStringLiteral("E1"));
}

TEST_F(CardDialog, BoxesStayWhiteOnTheColourTheMainWindowGivesIt)
{
    QColor background;
    QColor box;
    QColor picker;
    QTimer::singleShot(0, dialog(), [&] {
        background = dialog()->palette().color(QPalette::Window);
        box = at("E1")->palette().color(QPalette::Base);
        picker = at("DT1")->palette().color(QPalette::Base);
        dialog()->reject();
    });
    ui().main()->B2Click();

    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("     Add a New Card"));
    EXPECT_EQ(background, QColor(0xFF, 0xD3, 0xAF));
    EXPECT_EQ(box, QColor(Qt::white));
    EXPECT_EQ(picker, QColor(Qt::white));
}

} // namespace
