#include "support/dialog_fixture.h"
#include "ui/kit/short_date_edit.h"
#include "ui/windows/card_dialog.h"
#include "ui/windows/entry_dialog.h"
#include "ui/windows/register_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// Dates typed key by key into the two dialogs' date boxes, as a person types
// them: a whole date in the short format is that date, and any other text is
// refused at OK with the dialog left open on the box and nothing written.

namespace {

// How the box stands when the typing starts.
enum class Start
{
    AsOpened,  // the box as the dialog gives it the focus
    SelectAll, // Ctrl+A first
    Cleared    // Ctrl+A and Backspace first
};

struct TypedDate
{
    const char* label;
    const char* typed;
    QDate date; // a null date: refused
};

void PrintTo(const TypedDate& c, std::ostream* os)
{
    *os << c.label;
}

// On 8 December 2026, short dates as M/d/yy.
const TypedDate typedDates[] = {
    // Regression: the box read it section by section and kept 3/9/15.
    {"march 15", "3/15/26", QDate(2026, 3, 15)},
    {"leading zero in the month", "03/15/26", QDate(2026, 3, 15)},
    {"leading zeros", "03/05/26", QDate(2026, 3, 5)},
    {"no leading zeros", "3/5/26", QDate(2026, 3, 5)},
    // Regression: became 12/9/12.
    {"december 1", "12/1/26", QDate(2026, 12, 1)},
    // Regression: became 10/9/31.
    {"a later year", "10/31/28", QDate(2028, 10, 31)},
    {"the year 00", "1/1/00", QDate(2000, 1, 1)},
    {"a leap day", "2/29/28", QDate(2028, 2, 29)},
    // A four-digit year says which year it is; the box shows it short.
    {"a four-digit year", "3/15/2026", QDate(2026, 3, 15)},
    {"blanks around", " 3/15/26 ", QDate(2026, 3, 15)},
    {"no such day", "2/30/26", {}},
    {"no such month", "13/1/26", {}},
    {"day and month swapped", "13/45/26", {}},
    {"letters", "abc", {}},
    {"nothing", "", {}},
    {"no year", "3/15", {}},
    {"a three-digit year", "3/15/202", {}},
    {"a dash for a slash", "3-15-26", {}},
};

QString refusal(const char* typed)
{
    return QStringLiteral("'%1' is not a date like 12/31/26.").arg(QString::fromLatin1(typed));
}

// Types `text` into the focused box from the state `start`, then Tab.
void typeInto(QWidget* dialog, Start start, const QString& text, bool leave = true)
{
    QWidget* box = dialog->focusWidget();
    ASSERT_NE(box, nullptr);
    if (start != Start::AsOpened)
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (start == Start::Cleared)
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    if (leave)
        QTest::keyClick(box, Qt::Key_Tab);
}

class EntryDates : public DialogWindows
{
protected:
    TMakeOrEditEntry* dialog() { return ui().makeOrEditEntry(); }

    // The register's Add, the entry dialog opening on today's date.
    void showAdding()
    {
        openCard();
        ASSERT_TRUE(ui().registerCommands.bb3Click());
        dialog()->setMode(EntryMode::Add);
        showActive(dialog());
        ASSERT_EQ(focusName(dialog()), QStringLiteral("DT1"));
    }

    // "Charge:" 25, then OK.
    void chargeAndOk()
    {
        control<QRadioButton>(dialog(), "R1")->click();
        QTest::keyClicks(control(dialog(), "E2"), "25");
        control<QPushButton>(dialog(), "OKBtn")->click();
    }
};

class TypedEntryDate : public EntryDates,
                       public testing::WithParamInterface<std::tuple<TypedDate, Start>>
{};

TEST_P(TypedEntryDate, IsTheDateTypedOrRefusedBeforeAnythingIsSaved)
{
    const auto& [c, start] = GetParam();
    showAdding();
    const auto files = folderSnapshot();
    typeInto(dialog(), start, QString::fromLatin1(c.typed));
    chargeAndOk();

    // Typing nothing over the date the dialog opened on leaves that date.
    const QDate date = *c.typed == '\0' && start != Start::Cleared ? QDate(2026, 12, 8) : c.date;
    auto* box = control<ShortDateEdit>(dialog(), "DT1");
    if (date.isValid()) {
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
        EXPECT_FALSE(dialog()->isVisible());
        EXPECT_EQ(p().ledger.cell(TGrid::Date, 1), ShortDate::toText(date));
        EXPECT_EQ(box->text(), ShortDate::toText(date));
        // The register's year, whatever the entry's date.
        EXPECT_TRUE(QFile::exists(QStringLiteral("126.dat")));
    } else {
        EXPECT_EQ(messages.shown(), QStringList{refusal(c.typed)});
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_EQ(focusName(dialog()), QStringLiteral("DT1"));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(p().grid.entryCount(), 0);
        EXPECT_EQ(folderSnapshot(), files);
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, TypedEntryDate,
                         testing::Combine(testing::ValuesIn(typedDates),
                                          testing::Values(Start::AsOpened, Start::SelectAll,
                                                          Start::Cleared)));

TEST_F(EntryDates, EnterInTheBoxReadsTheTypedDateAndRunsOk)
{
    showAdding();
    typeInto(dialog(), Start::SelectAll, QStringLiteral("3/15/26"), false);
    QTest::keyClick(dialog()->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialog()->result(), QDialog::Accepted);
    EXPECT_EQ(control<ShortDateEdit>(dialog(), "DT1")->date(), QDate(2026, 3, 15));
}

TEST_F(EntryDates, EnterOnTextThatIsNoDateRefusesIt)
{
    showAdding();
    typeInto(dialog(), Start::SelectAll, QStringLiteral("3/15/"), false);
    QTest::keyClick(dialog()->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(messages.shown(), QStringList{refusal("3/15/")});
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(focusName(dialog()), QStringLiteral("DT1"));
}

// Another short format, set as the program's short-date setting.
struct OtherFormat
{
    const char* typed;
    QDate date;
};

class TypedDayFirstDate : public EntryDates, public testing::WithParamInterface<OtherFormat>
{};

TEST_P(TypedDayFirstDate, IsReadInThatFormat)
{
    ShortDate::setFormat(QStringLiteral("dd/MM/yyyy"));
    const OtherFormat& c = GetParam();
    showAdding();
    typeInto(dialog(), Start::SelectAll, QString::fromLatin1(c.typed));
    chargeAndOk();
    if (c.date.isValid()) {
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
        EXPECT_EQ(p().ledger.cell(TGrid::Date, 1), ShortDate::toText(c.date));
    } else {
        EXPECT_EQ(messages.shown(),
                  QStringList{QStringLiteral("'%1' is not a date like 31/12/2026.")
                                  .arg(QString::fromLatin1(c.typed))});
        EXPECT_EQ(p().grid.entryCount(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(DayFirst, TypedDayFirstDate,
                         testing::Values(OtherFormat{"31/10/2028", QDate(2028, 10, 31)},
                                         OtherFormat{"5/3/2026", QDate(2026, 3, 5)},
                                         OtherFormat{"15/03/26", QDate(2026, 3, 15)},
                                         OtherFormat{"10/31/2028", {}},
                                         OtherFormat{"3/15/26", {}}));

class CardDates : public DialogWindows
{
protected:
    TAddOrEditCard* dialog() { return ui().addOrEditCard(); }
};

class TypedCardDate : public CardDates,
                      public testing::WithParamInterface<std::tuple<TypedDate, const char*>>
{};

// The card expiry (DT2) shows in the card list's Expires column, the
// intro-rate expiry (DT1) in its intro expiry column.
TEST_P(TypedCardDate, IsTheDateTypedOrRefusedBeforeAnythingIsSaved)
{
    const auto& [c, picker] = GetParam();
    dialog()->setMode(CardMode::Add);
    showActive(dialog());
    QTest::keyClicks(control(dialog(), "E1"), "Store");
    QTest::keyClicks(control(dialog(), "E5"), "500");
    control(dialog(), picker)->setFocus(Qt::TabFocusReason);
    typeInto(dialog(), Start::AsOpened, QString::fromLatin1(c.typed));
    control<QPushButton>(dialog(), "OKBtn")->click();

    const bool expiry = QByteArray(picker) == "DT2";
    // Typing nothing over the selected date leaves it: today.
    const QDate date = *c.typed == '\0' ? QDate(2026, 12, 8) : c.date;
    if (date.isValid()) {
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
        EXPECT_FALSE(dialog()->isVisible());
        EXPECT_EQ(p().sg1.cell(expiry ? TCardList::Expires : TCardList::IntroExpiry, 1),
                  ShortDate::toText(date));
    } else {
        EXPECT_EQ(messages.shown(), QStringList{refusal(c.typed)});
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_EQ(focusName(dialog()), QString::fromLatin1(picker));
        EXPECT_FALSE(QFile::exists(QStringLiteral("CardList.dat")));
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, TypedCardDate,
                         testing::Combine(testing::ValuesIn(typedDates),
                                          testing::Values("DT2", "DT1")));

// In edit mode a typed date counts as a change of that date, even when OK
// comes before the box is left.
TEST_F(CardDates, ATypedExpiryIsAppliedWhenEditing)
{
    openCard();
    dialog()->setMode(CardMode::Edit);
    showActive(dialog());
    control(dialog(), "DT2")->setFocus(Qt::TabFocusReason);
    typeInto(dialog(), Start::SelectAll, QStringLiteral("1/31/29"), false);
    control<QPushButton>(dialog(), "OKBtn")->click();

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_TRUE(dialog()->CardExpiryChanged);
    EXPECT_FALSE(dialog()->IntroExpiryChanged);
    EXPECT_EQ(p().reg.Edit1, QStringLiteral("1/31/29"));
}

TEST_F(CardDates, AClearedDateIsRefused)
{
    dialog()->setMode(CardMode::Add);
    showActive(dialog());
    QTest::keyClicks(control(dialog(), "E1"), "Store");
    QTest::keyClicks(control(dialog(), "E5"), "500");
    control(dialog(), "DT1")->setFocus(Qt::TabFocusReason);
    typeInto(dialog(), Start::Cleared, QString());
    control<QPushButton>(dialog(), "OKBtn")->click();

    EXPECT_EQ(messages.shown(), QStringList{refusal("")});
    EXPECT_EQ(focusName(dialog()), QStringLiteral("DT1"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("CardList.dat")));
}

} // namespace
