#include "dialogs/dialog_fixture.h"
#include "dialogs/short_date_edit.h"

#include <QLineEdit>

namespace {

using ShortDatePicker = DialogWindows;

TEST_F(ShortDatePicker, ShowsTheShortDateTextWithADropDownCalendar)
{
    ShortDateEdit edit;
    edit.setDate(QDate(2027, 10, 31));
    EXPECT_EQ(edit.text(), QStringLiteral("10/31/27"));
    EXPECT_TRUE(edit.calendarPopup());
    EXPECT_EQ(edit.displayedSections(),
              QDateTimeEdit::MonthSection | QDateTimeEdit::DaySection | QDateTimeEdit::YearSection);
}

struct TypedYear
{
    const char* label;
    QDate before;
    const char* typed; // over the year
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
    edit.setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.date(), c.after) << c.label;
    EXPECT_EQ(edit.text(), ShortDate::toText(c.after)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Years, TypedShortDateYear,
    testing::Values(
        TypedYear{"next year", QDate(2026, 10, 31), "27", QDate(2027, 10, 31)},
        // Qt alone would keep the century shown and make this 1927.
        TypedYear{"next year from last century", QDate(1999, 10, 31), "27", QDate(2027, 10, 31)},
        // Qt alone would make this 2080.
        TypedYear{"fifty years back", QDate(2026, 10, 31), "80", QDate(1980, 10, 31)},
        TypedYear{"the window's last year", QDate(2026, 1, 1), "75", QDate(2075, 1, 1)},
        TypedYear{"the window's first year", QDate(2026, 1, 1), "76", QDate(1976, 1, 1)}));

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
