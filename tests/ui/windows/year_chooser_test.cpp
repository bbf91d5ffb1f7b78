#include "support/dialog_fixture.h"
#include "ui/windows/year_chooser.h"
#include "ui/windows/register_window.h"

#include <QListWidget>
#include <QPushButton>

namespace {

// A card open in the register whose year list holds 24, 25 and 26, with a
// charge in 2025.
class YearChooser : public DialogWindows
{
protected:
    void SetUp() override
    {
        DialogWindows::SetUp();
        openCard();
        p().years.items = QStringList{"24", "25", "26"};
        p().yrList.SaveYears();
        p().tc.SelectYear(QStringLiteral("25"));
        p().tc.ChangeYear();
        ASSERT_TRUE(ui().registerCommands.bb3Click());
        EntryValues entry;
        entry.date = QDate(2025, 3, 1);
        entry.description = QStringLiteral("Last year");
        entry.charge = QStringLiteral("10.00");
        p().tc.AddCharge(entry);
        p().tc.SelectYear(QStringLiteral("26"));
        p().tc.ChangeYear();
        ui().refresh();
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    }

    TChangeYrForm* dialog() { return ui().changeYrForm(); }

    template <typename T = QWidget>
    T* at(const char* name)
    {
        return control<T>(dialog(), name);
    }

    QStringList shownYears()
    {
        QStringList years;
        auto* list = at<QListWidget>("LB1");
        for (int row = 0; row < list->count(); ++row)
            years << list->item(row)->text();
        return years;
    }

    void clickYear(int row)
    {
        auto* list = at<QListWidget>("LB1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
};

TEST_F(YearChooser, EveryControlSitsAtItsDesignPlace)
{
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("                Select year to view."));
    EXPECT_EQ(dialog()->palette().color(QPalette::Window), QColor(0x36, 0xAE, 0xBC));
    EXPECT_EQ(at("LB1")->geometry(), QRect(100, 15, 121, 155));
    EXPECT_EQ(at("OK")->geometry(), QRect(64, 208, 75, 25));
    EXPECT_EQ(at("Cancel")->geometry(), QRect(187, 208, 75, 25));
    EXPECT_EQ(at<QPushButton>("OK")->text(), QStringLiteral("OK"));
    EXPECT_EQ(at<QPushButton>("Cancel")->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(at<QListWidget>("LB1")->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(YearChooser, ShowsExactlyTheCardsYearsInListOrder)
{
    p().years.items = QStringList{"26", "24", "25"};
    showActive(dialog());
    EXPECT_EQ(shownYears(), (QStringList{"26", "24", "25"}));
    EXPECT_TRUE(at<QListWidget>("LB1")->selectedItems().isEmpty());
    EXPECT_EQ(at<QListWidget>("LB1")->visualItemRect(at<QListWidget>("LB1")->item(0)).height(), 16);
}

TEST_F(YearChooser, OkWithNoYearSelectedKeepsItOpen)
{
    showActive(dialog());
    at<QPushButton>("OK")->click();
    EXPECT_EQ(messages.shown(), QStringList{"A year must be selected from the listbox."});
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(p().reg.EYr, QStringLiteral("26"));
}

TEST_F(YearChooser, OkShowsTheClickedYearInTheRegister)
{
    showActive(dialog());
    clickYear(1);
    EXPECT_EQ(p().years.selected, 1);
    at<QPushButton>("OK")->click();

    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Accepted);
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("25"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("25"));
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 1), QStringLiteral("Last year"));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(YearChooser, ASelectionStaysUntilTheListIsLoadedAgain)
{
    showActive(dialog());
    clickYear(2);
    dialog()->reject();
    showActive(dialog());
    ASSERT_EQ(at<QListWidget>("LB1")->selectedItems().size(), 1);
    EXPECT_EQ(at<QListWidget>("LB1")->selectedItems().first()->text(), QStringLiteral("26"));
    dialog()->reject();

    p().tc.OpenCard();
    showActive(dialog());
    EXPECT_TRUE(at<QListWidget>("LB1")->selectedItems().isEmpty());
    EXPECT_EQ(p().years.selected, -1);
}

TEST_F(YearChooser, CancelAndEscapeLeaveTheRegisterOnItsYear)
{
    showActive(dialog());
    clickYear(0);
    at<QPushButton>("Cancel")->click();
    EXPECT_FALSE(dialog()->isVisible());
    showActive(dialog());
    QTest::keyClick(at("LB1"), Qt::Key_Escape);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Rejected);
    EXPECT_EQ(p().reg.EYr, QStringLiteral("26"));
}

TEST_F(YearChooser, F1DoesNothing)
{
    showActive(dialog());
    at("LB1")->setFocus();
    QTest::keyClick(at("LB1"), Qt::Key_F1);
    QTest::keyClick(dialog(), Qt::Key_F1);
    EXPECT_TRUE(helpTopics.empty());
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(YearChooser, IsShownModallyByTheRegistersYearButton)
{
    bool modal = false;
    QTimer::singleShot(0, dialog(), [&] {
        modal = QApplication::activeModalWidget() == dialog();
        dialog()->reject();
    });
    ui().form1()->bb8Click();
    EXPECT_TRUE(modal);
}

} // namespace
