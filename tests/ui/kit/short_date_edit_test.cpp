#include "support/dialog_fixture.h"
#include "ui/kit/short_date_edit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

namespace {

using ShortDatePicker = DialogWindows;

TEST_F(ShortDatePicker, ShowsTheShortDateText)
{
    ShortDateEdit edit;
    edit.setDate(QDate(2027, 10, 31));
    EXPECT_EQ(edit.text(), QStringLiteral("10/31/27"));
    EXPECT_EQ(edit.date(), QDate(2027, 10, 31));
}

struct TypedYear
{
    const char* label;
    QDate before;
    const char* typed;
    QDate after;
};

class TypedShortDateYear : public ShortDatePicker, public testing::WithParamInterface<TypedYear>
{};

TEST_P(TypedShortDateYear, LandsInTheWindowAroundToday)
{
    const TypedYear& c = GetParam();
    ShortDateEdit edit;
    edit.setDate(c.before);
    showActive(&edit);
    edit.setFocus();
    QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.date(), c.after) << c.label;
    EXPECT_EQ(edit.text(), ShortDate::toText(c.after)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Years, TypedShortDateYear,
    testing::Values(
        TypedYear{"next year", QDate(2026, 10, 31), "10/31/27", QDate(2027, 10, 31)},
        // Qt's own reading would keep the century shown and make this 1927.
        TypedYear{"next year from last century", QDate(1999, 10, 31), "10/31/27",
                  QDate(2027, 10, 31)},
        // Qt's own reading would make this 2080.
        TypedYear{"fifty years back", QDate(2026, 10, 31), "10/31/80", QDate(1980, 10, 31)},
        TypedYear{"the window's last year", QDate(2026, 1, 1), "1/1/75", QDate(2075, 1, 1)},
        TypedYear{"the window's first year", QDate(2026, 1, 1), "1/1/76", QDate(1976, 1, 1)}));

TEST_F(ShortDatePicker, GettingTheFocusFromTheKeyboardSelectsTheWholeDate)
{
    QWidget form;
    auto* before = new QLineEdit(&form);
    auto* picker = new ShortDateEdit(&form);
    picker->setDate(QDate(2026, 12, 8));
    showActive(&form);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(picker->hasFocus());
    EXPECT_EQ(picker->selectedText(), QStringLiteral("12/8/26"));
    QTest::keyClicks(picker, "1/2/27");
    EXPECT_EQ(picker->text(), QStringLiteral("1/2/27"));
}

TEST_F(ShortDatePicker, LeavingTheBoxShowsTheTypedDateInTheShortFormat)
{
    QWidget form;
    auto* picker = new ShortDateEdit(&form);
    auto* next = new QLineEdit(&form);
    picker->setDate(QDate(2026, 12, 8));
    QSignalSpy changed(picker, &ShortDateEdit::dateChanged);
    showActive(&form);
    picker->setFocus();
    QTest::keyClicks(picker, "03/05/26");
    EXPECT_EQ(changed.count(), 0) << "nothing is read while typing";
    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(picker->text(), QStringLiteral("3/5/26"));
    EXPECT_EQ(picker->date(), QDate(2026, 3, 5));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.front().front().toDate(), QDate(2026, 3, 5));
}

TEST_F(ShortDatePicker, TextThatIsNoDateStaysAsTypedAndKeepsTheDate)
{
    QWidget form;
    auto* picker = new ShortDateEdit(&form);
    new QLineEdit(&form);
    picker->setDate(QDate(2026, 12, 8));
    showActive(&form);
    picker->setFocus();
    QTest::keyClicks(picker, "2/30/26");
    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_EQ(picker->text(), QStringLiteral("2/30/26"));
    EXPECT_EQ(picker->typedDate(), std::nullopt);
    EXPECT_FALSE(picker->takeTypedText());
    EXPECT_EQ(picker->date(), QDate(2026, 12, 8));
}

TEST_F(ShortDatePicker, TheCalendarDropsDownOnTheDateShownAndADayClickedIsTaken)
{
    ShortDateEdit picker;
    picker.setDate(QDate(2026, 12, 8));
    showActive(&picker);
    picker.setFocus();
    QTest::keyClick(&picker, Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget* calendar = picker.calendar();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 8));
    emit calendar->clicked(QDate(2027, 1, 15));
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(picker.date(), QDate(2027, 1, 15));
    EXPECT_EQ(picker.text(), QStringLiteral("1/15/27"));

    auto* dropDown = picker.findChild<QToolButton*>(QStringLiteral("calendarButton"));
    ASSERT_NE(dropDown, nullptr);
    EXPECT_EQ(dropDown->focusPolicy(), Qt::NoFocus);
    dropDown->click();
    EXPECT_TRUE(calendar->isVisible());
    QTest::keyClick(calendar, Qt::Key_Escape);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(picker.date(), QDate(2027, 1, 15));
}

TEST_F(ShortDatePicker, TabLeavesThePickerAtOnce)
{
    QWidget form;
    auto* picker = new ShortDateEdit(&form);
    picker->setObjectName(QStringLiteral("DT1"));
    auto* next = new QLineEdit(&form);
    next->setObjectName(QStringLiteral("E1"));
    showActive(&form);
    EXPECT_EQ(tabOrder(picker, 2), (QStringList{"DT1", "E1", "DT1"}));
}

} // namespace
