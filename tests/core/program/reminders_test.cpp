#include "core/cards/card_list.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"
#include "core/program/reminders.h"
#include "support/fixed_day.h"

#include <map>

namespace {

const QDate dec8(2026, 12, 8);

struct DayCase
{
    const char* label;
    const char* text;
    std::optional<int> day;
};

class PaymentDayText : public testing::TestWithParam<DayCase>
{};

TEST_P(PaymentDayText, NamesTheDayItsFirstNumberGives)
{
    EXPECT_EQ(paymentDayOfMonth(QString::fromUtf8(GetParam().text)), GetParam().day)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Lenient, PaymentDayText,
    testing::Values(DayCase{"plain", "15", 15}, DayCase{"ordinal", "15th", 15},
                    DayCase{"the_ordinal", "the 15th", 15}, DayCase{"word_first", "Day 15", 15},
                    DayCase{"first", "on the 1st", 1}, DayCase{"second", "2nd", 2},
                    DayCase{"third", "23rd", 23}, DayCase{"each_month", "28 of each month", 28},
                    DayCase{"last_possible", "31", 31}, DayCase{"leading_zero", "05", 5},
                    DayCase{"blanks", "  7  ", 7}, DayCase{"first_number_wins", "10 or 20", 10}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    NoDay, PaymentDayText,
    testing::Values(DayCase{"empty", "", std::nullopt},
                    DayCase{"words_only", "end of month", std::nullopt},
                    DayCase{"zero", "0", std::nullopt}, DayCase{"zero_th", "the 0th", std::nullopt},
                    DayCase{"past_31", "32", std::nullopt}, DayCase{"a_year", "2026", std::nullopt},
                    DayCase{"huge", "99999999999999999999", std::nullopt},
                    DayCase{"first_number_too_large", "45 then 5", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

struct DueCase
{
    const char* label;
    int day;
    QDate today;
    QDate due;
};

class NextPaymentDate : public testing::TestWithParam<DueCase>
{};

TEST_P(NextPaymentDate, IsThisMonthsDayUnlessItHasPassed)
{
    EXPECT_EQ(nextPaymentDate(GetParam().day, GetParam().today), GetParam().due);
}

INSTANTIATE_TEST_SUITE_P(
    Days, NextPaymentDate,
    testing::Values(
        DueCase{"today", 8, dec8, dec8}, DueCase{"later_this_month", 13, dec8, QDate(2026, 12, 13)},
        DueCase{"passed_goes_to_next_month", 7, dec8, QDate(2027, 1, 7)},
        DueCase{"next_month_is_next_year", 1, QDate(2026, 12, 31), QDate(2027, 1, 1)},
        DueCase{"feb_31_is_the_28th", 31, QDate(2027, 2, 1), QDate(2027, 2, 28)},
        DueCase{"feb_30_in_a_leap_year", 30, QDate(2028, 2, 10), QDate(2028, 2, 29)},
        DueCase{"month_end_is_today", 31, QDate(2027, 2, 28), QDate(2027, 2, 28)},
        DueCase{"passed_into_a_short_month", 31, QDate(2027, 1, 31), QDate(2027, 1, 31)},
        DueCase{"after_the_31st_comes_feb_end", 30, QDate(2027, 1, 31), QDate(2027, 2, 28)}),
    [](const auto& info) { return std::string(info.param.label); });

// A card list as CardList.dat gives it, and payment days by key.
class RemindersTest : public OnTheFixedDay
{
protected:
    // Adds a card in the next row: "KEY. name", intro rate and its date,
    // limit and owed; and its file's payment day, when it has a file. The
    // file's intro rate is the list's, unless the list shows "Expired".
    void card(const QString& name, std::optional<QString> dueDay, const QString& intro,
              const QString& introEnds, const QString& limit, const QString& owed,
              const QString& fileIntro = QString())
    {
        ++m_count;
        const QString key = QString::number(m_count + 10);
        m_sg1.setCell(TCardList::Name, m_count, key + QStringLiteral(". ") + name);
        m_sg1.setCell(TCardList::Intro, m_count, intro);
        m_sg1.setCell(TCardList::IntroExpiry, m_count, introEnds);
        m_sg1.setCell(TCardList::Limit, m_count, limit);
        m_sg1.setCell(TCardList::Owed, m_count, owed);
        if (dueDay)
            m_infos[key] = CardInfoText{intro == u"Expired" ? fileIntro : intro, *dueDay};
    }

    std::vector<Reminder> reminders()
    {
        return remindersFor(
            m_sg1, m_count,
            [this](const QString& key) -> std::optional<CardInfoText> {
                const auto info = m_infos.find(key);
                if (info == m_infos.end())
                    return std::nullopt;
                return info->second;
            },
            dec8);
    }

    QStringList texts()
    {
        QStringList lines;
        for (const Reminder& r : reminders())
            lines << r.text;
        return lines;
    }

    TextGrid m_sg1{8, 25, 1};
    int m_count = 0;
    std::map<QString, CardInfoText> m_infos;
};

TEST_F(RemindersTest, APaymentDayIsListedFromTodayToFiveDaysAhead)
{
    card("Today", "8", "", "12/8/26", "1000.00", "0.00");
    card("Tomorrow", "the 9th", "", "12/8/26", "1000.00", "0.00");
    card("Five", "13th", "", "12/8/26", "1000.00", "0.00");
    card("Six", "14", "", "12/8/26", "1000.00", "0.00");
    card("Passed", "7", "", "12/8/26", "1000.00", "0.00");
    EXPECT_EQ(texts(),
              (QStringList{"Today: payment due today", "Tomorrow: payment due tomorrow (Dec 9)",
                           "Five: payment due in 5 days (Dec 13)"}));
}

TEST_F(RemindersTest, ALineCarriesItsCardKindAndDate)
{
    card("Visa Gold", "13", "", "12/8/26", "1000.00", "0.00");
    const std::vector<Reminder> lines = reminders();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (Reminder{"11", "Visa Gold", ReminderKind::Payment, QDate(2026, 12, 13),
                                  "Visa Gold: payment due in 5 days (Dec 13)"}));
}

TEST_F(RemindersTest, AnIntroductoryRateIsListedUpToThirtyDaysBeforeItEnds)
{
    card("Ends today", std::nullopt, "1.9", "12/8/26", "1000.00", "0.00");
    card("Thirty", std::nullopt, "1.9", "1/7/27", "1000.00", "0.00");
    card("Thirty-one", std::nullopt, "1.9", "1/8/27", "1000.00", "0.00");
    card("Ended", std::nullopt, "Expired", "12/7/26", "1000.00", "0.00");
    card("No rate", std::nullopt, "", "12/9/26", "1000.00", "0.00");
    card("Marked", "20", "Expired", "12/8/26", "1000.00", "0.00", "");
    card("Bad date", std::nullopt, "1.9", "12/40/26", "1000.00", "0.00");
    EXPECT_EQ(texts(), (QStringList{"Ends today: introductory rate ends today",
                                    "Thirty: introductory rate ends in 30 days (Jan 7)"}));
}

// The list writes "Expired" over a rate on its last day; the card's file
// still knows whether there was a rate at all. Without a file, the list's
// word stands.
TEST_F(RemindersTest, OnItsLastDayARateShownExpiredIsListedWhenTheFileHasARate)
{
    card("Had a rate", "20", "Expired", "12/8/26", "1000.00", "0.00", "0");
    card("Never had one", "20", "Expired", "12/8/26", "1000.00", "0.00", "");
    card("No file", std::nullopt, "Expired", "12/8/26", "1000.00", "0.00");
    EXPECT_EQ(texts(), (QStringList{"Had a rate: introductory rate ends today",
                                    "No file: introductory rate ends today"}));
}

TEST_F(RemindersTest, ACardIsListedFromNinetyPercentOfItsLimitExactlyInCents)
{
    card("Under", std::nullopt, "", "12/8/26", "1000.00", "899.99");
    card("At", std::nullopt, "", "12/8/26", "1000.00", "900.00");
    card("Odd cents", std::nullopt, "", "12/8/26", "10.01", "9.00");
    card("Odd cents at", std::nullopt, "", "12/8/26", "10.01", "9.01");
    card("Nearly full", std::nullopt, "", "12/8/26", "100.00", "99.99");
    card("Over", std::nullopt, "", "12/8/26", "100.00", "105.00");
    card("No limit", std::nullopt, "", "12/8/26", "0.00", "5.00");
    card("Bad limit", std::nullopt, "", "12/8/26", "12x.50", "5.00");
    card("Bad owed", std::nullopt, "", "12/8/26", "10.00", "lots");
    card("Empty owed", std::nullopt, "", "12/8/26", "10.00", "");
    card("Credit", std::nullopt, "", "12/8/26", "10.00", "-20.00");
    card("Too large", std::nullopt, "", "12/8/26", "10.00", "99999999999999999.00");
    EXPECT_EQ(texts(), (QStringList{"At: 90% of the credit limit used",
                                    "Odd cents at: 90% of the credit limit used",
                                    "Nearly full: 99% of the credit limit used",
                                    "Over: 105% of the credit limit used"}));
}

TEST_F(RemindersTest, LinesFollowTheListAndWithinACardTheKinds)
{
    card("First", "10", "1.9", "12/20/26", "100.00", "95.00");
    card("Second", "8", "", "12/8/26", "100.00", "0.00");
    const std::vector<Reminder> lines = reminders();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].kind, ReminderKind::Payment);
    EXPECT_EQ(lines[1].kind, ReminderKind::IntroRateEnds);
    EXPECT_EQ(lines[1].due, QDate(2026, 12, 20));
    EXPECT_EQ(lines[2].kind, ReminderKind::NearLimit);
    EXPECT_EQ(lines[2].due, dec8);
    EXPECT_EQ(lines[3].cardKey, QStringLiteral("12"));
    EXPECT_EQ(lines[3].cardName, QStringLiteral("Second"));
}

TEST_F(RemindersTest, OnlyTheListedCardsCount)
{
    card("Listed", "8", "", "12/8/26", "100.00", "0.00");
    card("Beyond the count", "8", "", "12/8/26", "100.00", "0.00");
    m_count = 1;
    EXPECT_EQ(texts(), QStringList{"Listed: payment due today"});
}

TEST_F(RemindersTest, ARowWithoutACardKeyIsSkipped)
{
    card("Listed", "8", "", "12/8/26", "100.00", "0.00");
    m_sg1.setCell(TCardList::Name, 1, QStringLiteral("x. Listed"));
    EXPECT_TRUE(reminders().empty());
}

TEST_F(RemindersTest, AReaderThatFailsGivesNoPaymentLineAndNoError)
{
    card("Broken", "8", "", "12/8/26", "100.00", "95.00");
    const std::vector<Reminder> lines = remindersFor(
        m_sg1, m_count,
        [](const QString&) -> std::optional<CardInfoText> {
            throw UserError("Could not read \"11info.dat\": Is a directory");
        },
        dec8);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].kind, ReminderKind::NearLimit);
}

// KEYinfo.dat read as the Reminders window reads it: only its fourth and
// sixth lines, and nothing at all from a file it cannot trust.
class InfoFile : public OnTheFixedDay
{};

TEST_F(InfoFile, GivesTheIntroRateAndThePaymentDay)
{
    putBytes("3info.dat", "Visa\r\n12/1/28\r\n19.9\r\n1.9\r\n12/8/26\r\nthe 15th\r\n1000.00\r\n"
                          "0.00\r\n1000.00\r\n0.00\r\n");
    const std::optional<CardInfoText> info = cardInfoFromFile("3");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->introRate, QStringLiteral("1.9"));
    EXPECT_EQ(info->paymentDay, QStringLiteral("the 15th"));
}

TEST_F(InfoFile, IsNothingWhenMissingShortOrDamaged)
{
    EXPECT_FALSE(cardInfoFromFile("4"));
    putBytes("5info.dat", "Visa\r\n12/1/28\r\n");
    EXPECT_FALSE(cardInfoFromFile("5"));
    const char raw[] = "Visa\r\n12/1/28\r\n19.9\r\n\r\n12/8/26\r\n15\r\n\0\0\0";
    const QByteArray damaged(raw, sizeof raw - 1);
    putBytes("6info.dat", damaged);
    EXPECT_FALSE(cardInfoFromFile("6"));
    ASSERT_TRUE(QDir().mkdir("7info.dat"));
    EXPECT_FALSE(cardInfoFromFile("7"));
    // Read only: no copy of the damaged file is kept aside, nothing written.
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::NoDotAndDotDot),
              (QStringList{"5info.dat", "6info.dat"}));
    EXPECT_EQ(bytesOf("6info.dat"), damaged);
}

} // namespace
