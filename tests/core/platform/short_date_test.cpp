#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"

#include <gtest/gtest.h>

namespace {

// Every case fixes both the format and today, so the machine's locale and
// calendar never decide the outcome.
class ShortDateText : public testing::Test
{
protected:
    void SetUp() override { Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(15, 0))); }
    void TearDown() override
    {
        ShortDate::setFormat(QString());
        Clock::unfix();
    }
};

struct DateCase
{
    const char* format;
    const char* text;
    QDate date;
};

class ShortDateParses : public ShortDateText, public testing::WithParamInterface<DateCase>
{};

TEST_P(ShortDateParses, TextToDateInTheCenturyWindow)
{
    ShortDate::setFormat(QString::fromLatin1(GetParam().format));
    const auto date = ShortDate::tryParse(QString::fromLatin1(GetParam().text));
    ASSERT_TRUE(date.has_value()) << GetParam().text;
    EXPECT_EQ(*date, GetParam().date) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Formats, ShortDateParses,
                         testing::Values(
                             // A card expiring 10/31/27 expires in 2027, never in 1927.
                             DateCase{"M/d/yy", "10/31/27", QDate(2027, 10, 31)},
                             DateCase{"M/d/yy", "6/30/75", QDate(2075, 6, 30)},
                             DateCase{"M/d/yy", "1/1/76", QDate(1976, 1, 1)},
                             DateCase{"M/d/yy", "12/31/75", QDate(2075, 12, 31)},
                             DateCase{"M/d/yy", "7/4/77", QDate(1977, 7, 4)},
                             DateCase{"M/d/yy", "2/29/00", QDate(2000, 2, 29)},
                             DateCase{"M/d/yy", "12/8/26", QDate(2026, 12, 8)},
                             DateCase{"M/d/yy", "01/02/03", QDate(2003, 1, 2)},
                             DateCase{"M/d/yy", " 3/4/05 ", QDate(2005, 3, 4)},
                             DateCase{"M/d/yy", "3/4/2005", QDate(2005, 3, 4)},
                             DateCase{"M/d/yy", "3/4/1927", QDate(1927, 3, 4)},
                             DateCase{"dd.MM.yy", "31.10.27", QDate(2027, 10, 31)},
                             DateCase{"dd.MM.yy", "01.01.77", QDate(1977, 1, 1)},
                             DateCase{"dd.MM.yy", "1.1.50", QDate(2050, 1, 1)},
                             DateCase{"yyyy-MM-dd", "2027-10-31", QDate(2027, 10, 31)},
                             DateCase{"yyyy-MM-dd", "1999-01-09", QDate(1999, 1, 9)},
                             DateCase{"yyyy-MM-dd", "27-10-31", QDate(2027, 10, 31)},
                             DateCase{"d MMM yyyy", "8 Dec 2026", QDate(2026, 12, 8)},
                             DateCase{"'Day' d/M/yy", "Day 8/12/26", QDate(2026, 12, 8)}));

struct BadDate
{
    const char* format;
    const char* text;
};

class ShortDateRefuses : public ShortDateText, public testing::WithParamInterface<BadDate>
{};

TEST_P(ShortDateRefuses, TextThatNamesNoDay)
{
    ShortDate::setFormat(QString::fromLatin1(GetParam().format));
    const QString text = QString::fromLatin1(GetParam().text);
    EXPECT_FALSE(ShortDate::tryParse(text).has_value()) << GetParam().text;
    try {
        ShortDate::parse(text);
        FAIL() << GetParam().text << " was accepted";
    } catch (const UserError& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("'") + text + QStringLiteral("' is not a valid date and time"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ShortDateRefuses,
    testing::Values(BadDate{"M/d/yy", ""}, BadDate{"M/d/yy", "2/29/01"},
                    BadDate{"M/d/yy", "13/1/26"}, BadDate{"M/d/yy", "0/1/26"},
                    BadDate{"M/d/yy", "1/32/26"}, BadDate{"M/d/yy", "10/31"},
                    BadDate{"M/d/yy", "10/31/27x"}, BadDate{"M/d/yy", "10-31-27"},
                    BadDate{"M/d/yy", "Expired"},
                    // Regression: read as the year 202.
                    BadDate{"M/d/yy", "3/15/202"}, BadDate{"yyyy-MM-dd", "202-03-15"},
                    BadDate{"dd.MM.yy", "10/31/27"}, BadDate{"yyyy-MM-dd", "2027-02-30"}));

struct FormatCase
{
    const char* format;
    QDate date;
    const char* text;
};

class ShortDateFormats : public ShortDateText, public testing::WithParamInterface<FormatCase>
{};

TEST_P(ShortDateFormats, DateToTextAndBack)
{
    ShortDate::setFormat(QString::fromLatin1(GetParam().format));
    const QString text = ShortDate::toText(GetParam().date);
    EXPECT_EQ(text, QString::fromLatin1(GetParam().text));
    EXPECT_EQ(ShortDate::tryParse(text), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(Formats, ShortDateFormats,
                         testing::Values(FormatCase{"M/d/yy", QDate(2027, 10, 31), "10/31/27"},
                                         FormatCase{"M/d/yy", QDate(2027, 6, 3), "6/3/27"},
                                         FormatCase{"M/d/yy", QDate(2000, 2, 29), "2/29/00"},
                                         FormatCase{"M/d/yy", QDate(1977, 7, 4), "7/4/77"},
                                         FormatCase{"dd.MM.yy", QDate(2027, 6, 3), "03.06.27"},
                                         FormatCase{"yyyy-MM-dd", QDate(2027, 6, 3),
                                                    "2027-06-03"}));

TEST_F(ShortDateText, TheWindowFollowsTheCurrentYear)
{
    EXPECT_EQ(ShortDate::windowedYear(27, 2026), 2027);
    EXPECT_EQ(ShortDate::windowedYear(75, 2026), 2075);
    EXPECT_EQ(ShortDate::windowedYear(76, 2026), 1976);
    EXPECT_EQ(ShortDate::windowedYear(77, 2026), 1977);
    EXPECT_EQ(ShortDate::windowedYear(0, 2026), 2000);
    EXPECT_EQ(ShortDate::windowedYear(49, 2000), 2049);
    EXPECT_EQ(ShortDate::windowedYear(50, 2000), 1950);
    EXPECT_EQ(ShortDate::windowedYear(99, 2050), 2099);
    EXPECT_EQ(ShortDate::windowedYear(0, 2050), 2000);

    ShortDate::setFormat(QStringLiteral("M/d/yy"));
    Clock::fix(QDateTime(QDate(2060, 1, 1), QTime(0, 0)));
    EXPECT_EQ(ShortDate::tryParse(QStringLiteral("1/1/05")), QDate(2105, 1, 1));
    EXPECT_EQ(ShortDate::tryParse(QStringLiteral("1/1/10")), QDate(2010, 1, 1));
}

struct Refusal
{
    const char* format;
    const char* typed;
    const char* message;
};

class ShortDateRefusal : public ShortDateText, public testing::WithParamInterface<Refusal>
{};

TEST_P(ShortDateRefusal, NamesTheTextAndShowsTheFormatByAnExample)
{
    ShortDate::setFormat(QString::fromLatin1(GetParam().format));
    EXPECT_EQ(ShortDate::notADateMessage(QString::fromLatin1(GetParam().typed)),
              QString::fromLatin1(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ShortDateRefusal,
    testing::Values(Refusal{"M/d/yy", "13/45/26", "'13/45/26' is not a date like 12/31/26."},
                    Refusal{"M/d/yy", "", "'' is not a date like 12/31/26."},
                    Refusal{"dd/MM/yyyy", "10/31/2028",
                            "'10/31/2028' is not a date like 31/12/2026."},
                    Refusal{"dd.MM.yy", "abc", "'abc' is not a date like 31.12.26."}));

TEST_F(ShortDateText, TheSystemFormatIsUsedUnlessOneIsSet)
{
    ShortDate::setFormat(QStringLiteral("dd.MM.yy"));
    EXPECT_EQ(ShortDate::format(), QStringLiteral("dd.MM.yy"));
    ShortDate::setFormat(QString());
    EXPECT_EQ(ShortDate::format(), ShortDate::formatOf(QLocale::system()));
}

TEST_F(ShortDateText, TheCLocaleUsesMonthDayTwoDigitYear)
{
    EXPECT_EQ(ShortDate::formatOf(QLocale::c()), QStringLiteral("M/d/yy"));
    EXPECT_EQ(ShortDate::formatOf(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("M/d/yy"));
    EXPECT_EQ(ShortDate::formatOf(QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("dd.MM.yy"));
}

} // namespace
