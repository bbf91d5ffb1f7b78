#include "core/amounts/cc_math.h"
#include "core/platform/text_grid.h"
#include "core/program/balance_chart.h"
#include "core/register/grid.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

void PrintTo(const ChartPoint& point, std::ostream* os)
{
    *os << point.date.toString(Qt::ISODate).toStdString() << ' ' << point.cents;
}

namespace {

struct Row
{
    const char* date;
    const char* charge;
    const char* payment;
};

struct PointsCase
{
    const char* name;
    std::vector<Row> rows;
    int year;
    std::int64_t opening;
    std::vector<ChartPoint> points;
    int entryCount = -1; // the rows given, unless set
};

void PrintTo(const PointsCase& c, std::ostream* os)
{
    *os << c.name;
}

ChartPoint at(int year, int month, int day, std::int64_t cents)
{
    return {QDate(year, month, day), cents};
}

// Short dates as M/d/yy on 8 December 2026.
class BalancePoints : public OnTheFixedDay, public testing::WithParamInterface<PointsCase>
{};

TEST_P(BalancePoints, FollowTheRunningBalanceThroughTheYear)
{
    const PointsCase& c = GetParam();
    TextGrid ledger(7, TGrid::lastRow + 1, 1);
    int row = 0;
    for (const Row& r : c.rows) {
        ++row;
        ledger.setCell(TGrid::Date, row, QString::fromUtf8(r.date));
        ledger.setCell(TGrid::Charges, row, QString::fromUtf8(r.charge));
        ledger.setCell(TGrid::Payments, row, QString::fromUtf8(r.payment));
        // A balance that disagrees: the points are summed afresh, never read.
        ledger.setCell(TGrid::Balance, row, QStringLiteral("999.99"));
    }
    const int count = c.entryCount < 0 ? row : c.entryCount;
    EXPECT_EQ(balancePoints(ledger, count, c.year, c.opening, TccMath()), c.points);
}

constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();

const PointsCase pointsCases[] = {
    {"AnEmptyYearIsTheOpeningBalanceAlone", {}, 2026, 12345, {at(2026, 1, 1, 12345)}},
    {"EachChargeAddsAndEachPaymentTakesOff",
     {{"3/5/26", "42.35", ""}, {"4/1/26", "", "100.00"}, {"6/30/26", ".05", ""}},
     2026,
     10000,
     {at(2026, 1, 1, 10000), at(2026, 3, 5, 14235), at(2026, 4, 1, 4235), at(2026, 6, 30, 4240)}},
    {"EntriesOfOneDayEachGiveAPoint",
     {{"5/1/26", "10.00", ""}, {"5/1/26", "5.00", ""}, {"5/1/26", "", "2.50"}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 5, 1, 1000), at(2026, 5, 1, 1500), at(2026, 5, 1, 1250)}},
    {"AnEntryOnTheFirstOfJanuaryFollowsTheOpeningBalance",
     {{"1/1/26", "1.00", ""}},
     2026,
     500,
     {at(2026, 1, 1, 500), at(2026, 1, 1, 600)}},
    {"AnUnreadableDateGivesNoPointButItsAmountStillCounts",
     {{"13/45/26", "10.00", ""}, {"", "3.00", ""}, {"5/1/26", "1.00", ""}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 5, 1, 1400)}},
    {"AnEntryDatedInAnotherYearGivesNoPoint",
     {{"12/31/25", "20.00", ""}, {"1/2/26", "", "5.00"}, {"1/1/27", "1.00", ""}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 1, 2, 1500)}},
    {"RowsOutOfDateOrderDrawForwardsWithTheRegistersBalances",
     {{"6/1/26", "10.00", ""}, {"2/1/26", "5.00", ""}, {"6/1/26", "1.00", ""}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 2, 1, 1500), at(2026, 6, 1, 1000), at(2026, 6, 1, 1600)}},
    {"APaymentBeyondTheBalanceIsACredit",
     {{"2/1/26", "", "20.00"}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 2, 1, -2000)}},
    {"ANegativeOpeningBalanceIsACredit",
     {{"2/1/26", "5.00", ""}},
     2026,
     -1000,
     {at(2026, 1, 1, -1000), at(2026, 2, 1, -500)}},
    {"ARowWithNeitherAmountMovesNothing",
     {{"3/1/26", "", ""}, {"3/2/26", "1.00", ""}},
     2026,
     700,
     {at(2026, 1, 1, 700), at(2026, 3, 1, 700), at(2026, 3, 2, 800)}},
    {"ARowWithBothAmountsIsACharge",
     {{"3/1/26", "4.00", "9.00"}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 3, 1, 400)}},
    {"AnAmountThatIsNoAmountMovesNothing",
     {{"3/1/26", "12x.50", ""}, {"3/2/26", "", "1.00"}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 3, 1, 0), at(2026, 3, 2, -100)}},
    {"AnAmountWithSeparatorsIsReadAsTheArithmeticReadsIt",
     {{"3/1/26", "1,234.56", ""}, {"3/2/26", "", "$12"}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 3, 1, 123456), at(2026, 3, 2, 122256)}},
    {"OnlyTheCountedRowsAreEntries",
     {{"3/1/26", "1.00", ""}, {"3/2/26", "2.00", ""}},
     2026,
     0,
     {at(2026, 1, 1, 0), at(2026, 3, 1, 100)},
     1},
    {"TheTwentyNinthOfFebruaryOfALeapYear",
     {{"2/29/28", "1.00", ""}, {"2/29/27", "2.00", ""}},
     2028,
     0,
     {at(2028, 1, 1, 0), at(2028, 2, 29, 100)}},
    {"ABalanceBeyondSixtyFourBitsEndsThePoints",
     {{"3/1/26", "1.00", ""}, {"3/2/26", "", "1.00"}},
     2026,
     most - 50,
     {at(2026, 1, 1, most - 50)}},
};

INSTANTIATE_TEST_SUITE_P(Ledgers, BalancePoints, testing::ValuesIn(pointsCases),
                         [](const testing::TestParamInfo<PointsCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(BalancePointsOfADayFirstFormat, ReadTheDatesInTheFormatInForce)
{
    ShortDate::setFormat(QStringLiteral("dd.MM.yyyy"));
    TextGrid ledger(7, TGrid::lastRow + 1, 1);
    ledger.setCell(TGrid::Date, 1, QStringLiteral("05.03.2026"));
    ledger.setCell(TGrid::Charges, 1, QStringLiteral("1.00"));
    ledger.setCell(TGrid::Date, 2, QStringLiteral("3/6/26"));
    ledger.setCell(TGrid::Charges, 2, QStringLiteral("2.00"));
    const std::vector<ChartPoint> points = balancePoints(ledger, 2, 2026, 0, TccMath());
    ShortDate::setFormat(QString());
    EXPECT_EQ(points, (std::vector<ChartPoint>{at(2026, 1, 1, 0), at(2026, 3, 5, 100)}));
}

// "Visa Gold" added on 8 December 2026 with a limit of 900.00 and an
// opening balance of 10.00, open in the register.
class BalanceChartOfOpenCard : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00"),
                                  QStringLiteral("10.00")));
        clickCard(1);
        p().tc.OpenCard();
        ASSERT_TRUE(p().reg.shown);
    }
};

TEST_F(BalanceChartOfOpenCard, NamesTheCardAndTheYearOnView)
{
    const BalanceChart chart = balanceChartOf(p());
    EXPECT_EQ(chart.cardName, QStringLiteral("Visa Gold"));
    EXPECT_EQ(chart.year, 2026);
    EXPECT_EQ(chartTitle(chart), QStringLiteral("Visa Gold, 2026"));
}

TEST_F(BalanceChartOfOpenCard, DrawsTheLimitFlatAcrossTheYear)
{
    EXPECT_EQ(balanceChartOf(p()).limit,
              (std::vector<ChartPoint>{at(2026, 1, 1, 90000), at(2026, 12, 31, 90000)}));
}

TEST_F(BalanceChartOfOpenCard, AgreesWithTheRegistersBalanceColumn)
{
    addCharge(QStringLiteral("Groceries"), QStringLiteral("42.35"));
    addPayment(QStringLiteral("Payment"), QStringLiteral("60.00"));
    // The year's opening balance is 0.00: the card's own opening balance of
    // 10.00 is its first entry, dated with the introductory rate's expiry
    // (6/30/27). That date is not in 2026, so the entry gives no point, but
    // its 10.00 is in every later balance, as in the Balance column.
    EXPECT_EQ(p().ledger.cell(TGrid::Date, 1), QStringLiteral("6/30/27"));
    EXPECT_EQ(
        balanceChartOf(p()).balance,
        (std::vector<ChartPoint>{at(2026, 1, 1, 0), at(2026, 12, 1, 5235), at(2026, 12, 1, -765)}));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 2), QStringLiteral("52.35"));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 3), QStringLiteral("-7.65"));
}

TEST_F(BalanceChartOfOpenCard, AnEmptyLimitIsDrawnAtZero)
{
    p().reg.E5.clear();
    EXPECT_EQ(balanceChartOf(p()).limit,
              (std::vector<ChartPoint>{at(2026, 1, 1, 0), at(2026, 12, 31, 0)}));
}

TEST_F(BalanceChartOfOpenCard, ALimitThatIsNoAmountDrawsNoLimitLine)
{
    p().reg.E5 = QStringLiteral("lots");
    EXPECT_TRUE(balanceChartOf(p()).limit.empty());
}

TEST_F(BalanceChartOfOpenCard, AnotherYearOnViewIsThatCalendarYear)
{
    p().main.SelectedYr = QStringLiteral("25");
    const BalanceChart chart = balanceChartOf(p());
    EXPECT_EQ(chart.year, 2025);
    // The ledger's entries are dated in 2026 and give no point in 2025.
    EXPECT_EQ(chart.balance, (std::vector<ChartPoint>{at(2025, 1, 1, 0)}));
    EXPECT_EQ(chart.limit.back(), at(2025, 12, 31, 90000));
}

} // namespace
