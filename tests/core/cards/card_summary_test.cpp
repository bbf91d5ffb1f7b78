#include "core/amounts/cc_math.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"
#include "core/cards/card_list.h"
#include "core/cards/card_summary.h"
#include "core/cards/main_fields.h"
#include "support/temp_dir.h"

#include <QDir>

#include <string>
#include <vector>

namespace {

const QString summaryFile = QStringLiteral("summary.dat");

// The three money cells of one card row that the totals read.
struct CardAmounts
{
    const char* limit;
    const char* owed;
    const char* available;
};

// A card list with its totals, in an empty data folder.
class SummaryTest : public InTempDir
{
protected:
    void addCard(const CardAmounts& amounts)
    {
        list.NextKey();
        list.SelectNewRow();
        list.PutNameCell(QString::number(list.lastKey()) + QStringLiteral(". Card"));
        list.PutExpiresCell(QStringLiteral("10/31/27"));
        list.PutIntroCell(QStringLiteral("0"));
        list.PutRateCell(QStringLiteral("18.9"));
        list.PutLimitCell(QString::fromUtf8(amounts.limit));
        list.PutOwedCell(QString::fromUtf8(amounts.owed));
        list.PutAvailableCell(QString::fromUtf8(amounts.available));
        list.PutIntroExpiryCell(QStringLiteral("6/30/27"));
        list.IncrementCount();
    }

    void setFields(const char* e1, const char* e2, const char* e3)
    {
        fields.E1 = QString::fromUtf8(e1);
        fields.E2 = QString::fromUtf8(e2);
        fields.E3 = QString::fromUtf8(e3);
    }

    QStringList totals() const { return {fields.E1, fields.E2, fields.E3}; }

    TextGrid sg1{8, 25, 1};
    TCardList list{sg1};
    MainFields fields;
    TccMath math;
    TS summary{sg1, list, fields, math};
};

using CardSummary = SummaryTest;

// Computing -----------------------------------------------------------------

struct TotalsCase
{
    const char* label;
    std::vector<CardAmounts> cards;
    QStringList totals; // credit limit, balance owed, available
};

class SummaryTotals : public SummaryTest, public testing::WithParamInterface<TotalsCase>
{};

TEST_P(SummaryTotals, SumTheListedCardsAndLeaveCreditsOutOfTheOwedTotal)
{
    for (const CardAmounts& card : GetParam().cards)
        addCard(card);
    setFields("stale", "stale", "stale");
    summary.ComputeTotals();
    EXPECT_EQ(totals(), GetParam().totals) << GetParam().label;
    EXPECT_FALSE(QFile::exists(summaryFile)) << "computing writes no file";
}

INSTANTIATE_TEST_SUITE_P(
    Cards, SummaryTotals,
    testing::Values(
        TotalsCase{"no cards", {}, {"0.00", "0.00", "0.00"}},
        TotalsCase{"one card", {{"900.00", "250.00", "650.00"}}, {"900.00", "250.00", "650.00"}},
        TotalsCase{"a credit is left out of the owed total only",
                   {{"900.00", "250.00", "650.00"}, {"500.00", "-40.00", "540.00"}},
                   {"1400.00", "250.00", "1190.00"}},
        TotalsCase{"a zero balance adds nothing",
                   {{"1000.00", "0.00", "1000.00"}, {"300.00", "120.50", "179.50"}},
                   {"1300.00", "120.50", "1179.50"}},
        TotalsCase{"a small credit below one unit",
                   {{"100.00", "-.05", "100.05"}},
                   {"100.00", "0.00", "100.05"}},
        TotalsCase{"cents carry into units",
                   {{".05", ".05", ".60"}, {".95", ".95", ".45"}},
                   {"1.00", "1.00", "1.05"}},
        TotalsCase{"only credits owed",
                   {{"200.00", "-10.00", "210.00"}, {"50.00", "-1.00", "51.00"}},
                   {"250.00", "0.00", "261.00"}},
        TotalsCase{"a card over its limit",
                   {{"500.00", "612.34", "-112.34"}, {"2500.00", "100.00", "2400.00"}},
                   {"3000.00", "712.34", "2287.66"}}));

TEST_F(CardSummary, TotalsCountOnlyTheRowsUpToTheCardCount)
{
    addCard({"900.00", "250.00", "650.00"});
    addCard({"500.00", "40.00", "460.00"});
    // A leftover row below the listed cards is not a card.
    sg1.setCell(TCardList::Limit, 3, QStringLiteral("7000.00"));
    sg1.setCell(TCardList::Owed, 3, QStringLiteral("7000.00"));
    sg1.setCell(TCardList::Available, 3, QStringLiteral("7000.00"));
    summary.ComputeTotals();
    EXPECT_EQ(totals(), (QStringList{"1400.00", "290.00", "1110.00"}));
}

TEST_F(CardSummary, TotalsAfterDeletingEveryCardAreZeroAndSaveAsZero)
{
    addCard({"900.00", "250.00", "650.00"});
    addCard({"500.00", "-40.00", "540.00"});
    summary.ComputeTotals();
    ASSERT_EQ(fields.E1, QStringLiteral("1400.00"));
    for (int n = 0; n < 2; ++n) {
        sg1.setCurrentRow(1);
        list.RemoveSelectedRow();
    }
    summary.ComputeTotals();
    EXPECT_EQ(totals(), (QStringList{"0.00", "0.00", "0.00"}));
    summary.SaveSummary();
    EXPECT_EQ(bytesOf(summaryFile), QByteArray("0.00\r\n0.00\r\n0.00\r\n"));
}

TEST_F(CardSummary, TotalsLeaveTheYearTextsAlone)
{
    fields.CurrentYr = QStringLiteral("26");
    fields.SelectedYr = QStringLiteral("25");
    addCard({"900.00", "250.00", "650.00"});
    summary.ComputeTotals();
    EXPECT_EQ(fields.CurrentYr, QStringLiteral("26"));
    EXPECT_EQ(fields.SelectedYr, QStringLiteral("25"));
}

// Saving --------------------------------------------------------------------

TEST_F(CardSummary, SaveWritesTheThreeTotalsAsShown)
{
    addCard({"900.00", "250.00", "650.00"});
    addCard({"500.00", "-40.00", "540.00"});
    summary.ComputeTotals();
    summary.SaveSummary();
    EXPECT_EQ(bytesOf(summaryFile), QByteArray("1400.00\r\n250.00\r\n1190.00\r\n"));
}

TEST_F(CardSummary, SaveWritesWhateverTheBoxesHoldEvenEmptyText)
{
    summary.SaveSummary();
    EXPECT_EQ(bytesOf(summaryFile), QByteArray("\r\n\r\n\r\n"));
    setFields(".05", "", "-1.00");
    summary.SaveSummary();
    EXPECT_EQ(bytesOf(summaryFile), QByteArray(".05\r\n\r\n-1.00\r\n"));
}

TEST_F(CardSummary, SaveRewritesTheWholeFile)
{
    putBytes(summaryFile, "11111.00\r\n22222.00\r\n33333.00\r\nextra line\r\n");
    setFields("1.00", "2.00", "3.00");
    summary.SaveSummary();
    EXPECT_EQ(bytesOf(summaryFile), QByteArray("1.00\r\n2.00\r\n3.00\r\n"));
}

TEST_F(CardSummary, AFailedSaveIsReportedAndKeepsTheBoxes)
{
    ASSERT_TRUE(QDir().mkdir(summaryFile));
    ASSERT_TRUE(QDir().mkdir(summaryFile + QStringLiteral("/keep")));
    setFields("1.00", "2.00", "3.00");
    try {
        summary.SaveSummary();
        ADD_FAILURE() << "a folder was replaced by the summary";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Could not save \"summary.dat\": ", 0), 0u)
            << error.what();
    }
    EXPECT_EQ(totals(), (QStringList{"1.00", "2.00", "3.00"}));
}

// Loading -------------------------------------------------------------------

TEST_F(CardSummary, LoadWithoutAFileLeavesTheBoxesAsTheyAre)
{
    summary.LoadSummary();
    EXPECT_EQ(totals(), (QStringList{"", "", ""}));
    setFields("1.00", "2.00", "3.00");
    summary.LoadSummary();
    EXPECT_EQ(totals(), (QStringList{"1.00", "2.00", "3.00"}));
    EXPECT_TRUE(QDir().entryList(QDir::Files).isEmpty()) << "a load writes nothing";
}

struct LoadCase
{
    const char* label;
    QByteArray bytes;
    QStringList totals;
};

class SummaryLoad : public SummaryTest, public testing::WithParamInterface<LoadCase>
{};

TEST_P(SummaryLoad, FillsTheBoxesLineByLine)
{
    putBytes(summaryFile, GetParam().bytes);
    setFields("old 1", "old 2", "old 3");
    summary.LoadSummary();
    EXPECT_EQ(totals(), GetParam().totals) << GetParam().label;
    EXPECT_EQ(bytesOf(summaryFile), GetParam().bytes) << "a load never rewrites the file";
}

INSTANTIATE_TEST_SUITE_P(
    Files, SummaryLoad,
    testing::Values(
        LoadCase{
            "three lines", "1400.00\r\n250.00\r\n1190.00\r\n", {"1400.00", "250.00", "1190.00"}},
        LoadCase{"a fourth line is ignored",
                 "1400.00\r\n250.00\r\n1190.00\r\n9999.99\r\n",
                 {"1400.00", "250.00", "1190.00"}},
        LoadCase{"even more lines are ignored",
                 "1.00\r\n2.00\r\n3.00\r\n4.00\r\n5.00\r\n",
                 {"1.00", "2.00", "3.00"}},
        LoadCase{"two lines leave the third box empty",
                 "900.00\r\n250.00\r\n",
                 {"900.00", "250.00", ""}},
        LoadCase{"one line leaves two boxes empty", "900.00\r\n", {"900.00", "", ""}},
        LoadCase{"an empty file empties all three", "", {"", "", ""}},
        LoadCase{"no break after the last line",
                 "900.00\r\n250.00\r\n650.00",
                 {"900.00", "250.00", "650.00"}},
        LoadCase{"LF only", "900.00\n250.00\n650.00\n", {"900.00", "250.00", "650.00"}},
        LoadCase{"CR only", "900.00\r250.00\r650.00\r", {"900.00", "250.00", "650.00"}},
        LoadCase{"empty middle line", "900.00\r\n\r\n650.00\r\n", {"900.00", "", "650.00"}},
        // The file is a cache of what was shown: it is taken as it is, unchecked.
        LoadCase{"text that is no amount", "n/a\r\n 1.00 \r\n-0\r\n", {"n/a", " 1.00 ", "-0"}}));

TEST_F(CardSummary, SaveAndLoadGiveBackTheSameTotals)
{
    addCard({"1234.56", "-.99", "1235.55"});
    addCard({".10", ".10", "0.00"});
    summary.ComputeTotals();
    const QStringList computed = totals();
    summary.SaveSummary();

    MainFields later;
    TS reloaded(sg1, list, later, math);
    reloaded.LoadSummary();
    EXPECT_EQ((QStringList{later.E1, later.E2, later.E3}), computed);
}

TEST_F(CardSummary, LoadTakesTheFileEvenWhenTheCardsSaySomethingElse)
{
    addCard({"900.00", "250.00", "650.00"});
    putBytes(summaryFile, "1.00\r\n2.00\r\n3.00\r\n");
    summary.LoadSummary();
    EXPECT_EQ(totals(), (QStringList{"1.00", "2.00", "3.00"}));
}

} // namespace
