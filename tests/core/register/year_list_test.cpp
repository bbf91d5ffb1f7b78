#include "core/platform/data_file.h"
#include "support/program_fixture.h"

#include <ostream>
#include <string>

namespace {

// Card 3 in year 26, its year list empty.
class YearListTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().reg.cardKey = QStringLiteral("3");
        p().main.CurrentYr = QStringLiteral("26");
        p().yrList.ClearYears();
    }

    QStringList items() { return p().years.items; }
};

using YearListItems = YearListTest;
using YearListFile = YearListTest;

TEST_F(YearListItems, ClearYearsEmptiesTheList)
{
    p().years.items = {QStringLiteral("25"), QStringLiteral("26")};
    p().yrList.ClearYears();
    EXPECT_EQ(items(), QStringList());
}

TEST_F(YearListItems, AddCurrentYearAppendsTheCurrentYearText)
{
    p().years.items = {QStringLiteral("27")};
    p().yrList.AddCurrentYear();
    EXPECT_EQ(items(), QStringList({"27", "26"})) << "the list is not sorted";
}

TEST_F(YearListFile, AnEmptyListIsAnEmptyFile)
{
    p().yrList.SaveYears();
    EXPECT_TRUE(DataFile::exists(QStringLiteral("3yl.dat")));
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat")), QByteArray());
}

TEST_F(YearListFile, TwoYearsAreTwoLinesEachEndedByCrLf)
{
    p().years.items = {QStringLiteral("26"), QStringLiteral("27")};
    p().yrList.SaveYears();
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat")), QByteArray("26\r\n27\r\n"));
}

TEST_F(YearListFile, SaveYearsRewritesTheWholeFileOfTheSelectedCard)
{
    putBytes(QStringLiteral("3yl.dat"), "20\r\n21\r\n22\r\n23\r\n");
    putBytes(QStringLiteral("12yl.dat"), "24\r\n");
    p().years.items = {QStringLiteral("05")};
    p().yrList.SaveYears();
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat")), QByteArray("05\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("12yl.dat")), QByteArray("24\r\n"));
}

TEST_F(YearListFile, EachCardHasItsOwnFile)
{
    p().reg.cardKey = QStringLiteral("12");
    EXPECT_EQ(p().yrList.fileName(), QStringLiteral("12yl.dat"));
    putBytes(QStringLiteral("3yl.dat"), "25\r\n");
    putBytes(QStringLiteral("12yl.dat"), "24\r\n26\r\n");
    p().yrList.LoadYears();
    EXPECT_EQ(items(), QStringList({"24", "26"}));
}

struct LoadCase
{
    const char* label;
    QByteArray bytes;
    QStringList items;
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.label;
}

class YearListLoads : public YearListTest, public testing::WithParamInterface<LoadCase>
{};

TEST_P(YearListLoads, ReplaceTheListWithTheFilesLines)
{
    p().years.items = {QStringLiteral("99"), QStringLiteral("98"), QStringLiteral("97"),
                       QStringLiteral("96")};
    putBytes(QStringLiteral("3yl.dat"), GetParam().bytes);
    p().yrList.LoadYears();
    EXPECT_EQ(items(), GetParam().items) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Files, YearListLoads,
    testing::Values(LoadCase{"CR LF", "26\r\n27\r\n", {"26", "27"}},
                    LoadCase{"LF only", "26\n27\n", {"26", "27"}},
                    LoadCase{"lone CR", "26\r27\r", {"26", "27"}},
                    LoadCase{"no break after the last line", "26\r\n27", {"26", "27"}},
                    LoadCase{"an empty line between breaks is an empty item",
                             "26\r\n\r\n27\r\n",
                             {"26", "", "27"}},
                    LoadCase{"items are not checked", "2026\r\nxx\r\n", {"2026", "xx"}},
                    LoadCase{"an empty file is an empty list", "", {}}),
    [](const testing::TestParamInfo<LoadCase>& info) {
        return "Case" + std::to_string(info.index);
    });

// A power cut can leave zeros where the years were: the list is not read,
// the original bytes are kept, and the next save cannot drop a year.
TEST_F(YearListFile, ANulByteIsDamageNotTheEndOfTheList)
{
    p().years.items = {QStringLiteral("25")};
    const QByteArray bytes("26\r\n2\0"
                           "7\r\n",
                           8);
    putBytes(QStringLiteral("3yl.dat"), bytes);
    try {
        p().yrList.LoadYears();
        FAIL() << "the list loaded without a message";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Line 2 of 3yl.dat holds a NUL byte.");
        EXPECT_EQ(error.followUp(), "3yl.dat could not be read completely; its original content "
                                    "was kept as 3yl.dat.damaged.");
    }
    EXPECT_EQ(items(), QStringList{"25"});
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat.damaged")), bytes);
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat")), bytes);
}

TEST_F(YearListFile, LfOnlyLinesLoadTheSameItemsAsCrLf)
{
    putBytes(QStringLiteral("3yl.dat"), "24\r\n25\r\n26\r\n");
    p().yrList.LoadYears();
    const QStringList fromCrLf = items();
    putBytes(QStringLiteral("3yl.dat"), "24\n25\n26\n");
    p().yrList.LoadYears();
    EXPECT_EQ(items(), fromCrLf);
    EXPECT_EQ(items().size(), 3);
}

TEST_F(YearListFile, AMissingFileLeavesTheListUnchanged)
{
    p().years.items = {QStringLiteral("25"), QStringLiteral("26")};
    p().yrList.LoadYears();
    EXPECT_EQ(items(), QStringList({"25", "26"}));
    EXPECT_FALSE(DataFile::exists(QStringLiteral("3yl.dat")));
}

struct LastYearCase
{
    const char* label;
    QStringList items;
    const char* current;
    bool notCurrent;
};

void PrintTo(const LastYearCase& c, std::ostream* os)
{
    *os << c.label;
}

class YearListLastYear : public YearListTest, public testing::WithParamInterface<LastYearCase>
{};

TEST_P(YearListLastYear, ComparesOnlyTheLastItemExactly)
{
    p().years.items = GetParam().items;
    p().main.CurrentYr = QString::fromUtf8(GetParam().current);
    EXPECT_EQ(p().yrList.LastYearIsNotCurrent(), GetParam().notCurrent) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, YearListLastYear,
    testing::Values(LastYearCase{"empty list", {}, "26", true},
                    LastYearCase{"only item is this year", {"26"}, "26", false},
                    LastYearCase{"last item is this year", {"25", "26"}, "26", false},
                    LastYearCase{"this year only earlier in the list", {"26", "27"}, "26", true},
                    LastYearCase{"an unsorted list ending in this year", {"27", "26"}, "26", false},
                    LastYearCase{"a trailing blank differs", {"26 "}, "26", true},
                    LastYearCase{"a missing leading zero differs", {"6"}, "06", true},
                    LastYearCase{"an empty last item differs", {"26", ""}, "26", true}),
    [](const testing::TestParamInfo<LastYearCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(YearListFile, ACardAddedIn26AndOpenedIn27ListsBothYears)
{
    p().yrList.AddCurrentYear();
    p().yrList.SaveYears();

    p().main.CurrentYr = QStringLiteral("27");
    p().yrList.ClearYears();
    p().yrList.LoadYears();
    ASSERT_TRUE(p().yrList.LastYearIsNotCurrent());
    p().yrList.AddCurrentYear();
    p().yrList.SaveYears();
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat")), QByteArray("26\r\n27\r\n"));

    p().yrList.ClearYears();
    p().yrList.LoadYears();
    EXPECT_EQ(items(), QStringList({"26", "27"}));
    EXPECT_FALSE(p().yrList.LastYearIsNotCurrent()) << "opening again in 27 adds nothing";
}

TEST_F(YearListFile, AClockSetBackToAnEarlierListedYearAppendsItAgain)
{
    putBytes(QStringLiteral("3yl.dat"), "26\r\n27\r\n");
    p().yrList.LoadYears();
    ASSERT_TRUE(p().yrList.LastYearIsNotCurrent());
    p().yrList.AddCurrentYear();
    p().yrList.SaveYears();
    EXPECT_EQ(bytesOf(QStringLiteral("3yl.dat")), QByteArray("26\r\n27\r\n26\r\n"));
}

} // namespace
