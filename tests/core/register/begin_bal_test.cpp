#include "core/platform/data_file.h"
#include "core/platform/user_error.h"
#include "support/program_fixture.h"

#include <ostream>
#include <string>
#include <vector>

namespace {

// One row of the opening-balance table: year, stale flag, opening balance.
struct YearRow
{
    int year;
    const char* flag;
    const char* balance;
};

// The table as 100 texts "flag|balance", one per year, to compare whole.
using Table = std::vector<QString>;

// Card 3, this year 26, the table empty.
class OpeningBalanceTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().reg.cardKey = QStringLiteral("3");
        setYears("26", "26");
    }

    void setYears(const char* selected, const char* current)
    {
        p().main.SelectedYr = QString::fromUtf8(selected);
        p().main.CurrentYr = QString::fromUtf8(current);
        p().beginBal.TakeSelectedYear();
        p().beginBal.TakeCurrentYear();
    }

    void put(const std::vector<YearRow>& rows)
    {
        for (const YearRow& r : rows) {
            p().beginBalGrid.setCell(0, r.year, QString::fromUtf8(r.flag));
            p().beginBalGrid.setCell(1, r.year, QString::fromUtf8(r.balance));
        }
    }

    Table table()
    {
        Table texts;
        for (int year = 0; year < 100; ++year)
            texts.push_back(flag(year) + u'|' + balance(year));
        return texts;
    }

    static Table tableOf(const std::vector<YearRow>& rows)
    {
        Table texts(100, QStringLiteral("|"));
        for (const YearRow& r : rows)
            texts[std::size_t(r.year)] =
                QString::fromUtf8(r.flag) + u'|' + QString::fromUtf8(r.balance);
        return texts;
    }

    QString flag(int year) { return p().beginBalGrid.cell(0, year); }
    QString balance(int year) { return p().beginBalGrid.cell(1, year); }
};

// --- Which year is which row ---

using OpeningBalanceYearTaking = OpeningBalanceTest;
using OpeningBalanceStale = OpeningBalanceTest;

struct YearText
{
    const char* text;
    int number;
};

void PrintTo(const YearText& c, std::ostream* os)
{
    *os << c.text;
}

class OpeningBalanceYears : public OpeningBalanceTest, public testing::WithParamInterface<YearText>
{};

TEST_P(OpeningBalanceYears, TheYearTextSelectsItsRow)
{
    p().main.SelectedYr = QString::fromUtf8(GetParam().text);
    p().main.CurrentYr = QString::fromUtf8(GetParam().text);
    p().beginBal.TakeSelectedYear();
    EXPECT_EQ(p().beginBal.selectedYear(), GetParam().number);
    p().beginBal.TakeCurrentYear();
    EXPECT_EQ(p().beginBal.currentYear(), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Texts, OpeningBalanceYears,
                         testing::Values(YearText{"06", 6}, YearText{"10", 10}, YearText{"00", 0},
                                         YearText{"26", 26}, YearText{"99", 99}, YearText{"01", 1}),
                         [](const testing::TestParamInfo<YearText>& info) {
                             return "Year" + std::string(info.param.text);
                         });

TEST(OpeningBalanceYearTakingAlone, BothYearsAreZeroUntilTaken)
{
    TextGrid table(2, 100, 0);
    YearTexts years{QStringLiteral("26"), QStringLiteral("24")};
    RegisterFields card;
    TccMath math;
    TBeginBal beginBal(table, years, card, math);
    EXPECT_EQ(beginBal.selectedYear(), 0);
    EXPECT_EQ(beginBal.currentYear(), 0);
}

TEST_F(OpeningBalanceYearTaking, TakingTheSelectedYearLeavesTheCurrentYearAlone)
{
    p().main.SelectedYr = QStringLiteral("24");
    p().main.CurrentYr = QStringLiteral("30");
    p().beginBal.TakeSelectedYear();
    EXPECT_EQ(p().beginBal.selectedYear(), 24);
    EXPECT_EQ(p().beginBal.currentYear(), 26);
}

// --- The stale flag ---

struct StaleCase
{
    const char* flag;
    bool stale;
};

void PrintTo(const StaleCase& c, std::ostream* os)
{
    *os << "'" << c.flag << "'";
}

class OpeningBalanceStaleFlag : public OpeningBalanceTest,
                                public testing::WithParamInterface<StaleCase>
{};

TEST_P(OpeningBalanceStaleFlag, OnlyAnExactTMarksTheSelectedYearStale)
{
    put({{26, GetParam().flag, "10.00"}});
    EXPECT_EQ(p().beginBal.IsStale(), GetParam().stale) << "flag '" << GetParam().flag << "'";
}

INSTANTIATE_TEST_SUITE_P(Flags, OpeningBalanceStaleFlag,
                         testing::Values(StaleCase{"T", true}, StaleCase{"F", false},
                                         StaleCase{"", false}, StaleCase{"t", false},
                                         StaleCase{"TT", false}, StaleCase{"T ", false}),
                         [](const testing::TestParamInfo<StaleCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST_F(OpeningBalanceStale, OtherYearsFlagsDoNotMakeTheSelectedYearStale)
{
    put({{25, "T", "1.00"}, {27, "T", "1.00"}});
    EXPECT_FALSE(p().beginBal.IsStale());
}

TEST_F(OpeningBalanceStale, MarkFreshWritesFIntoTheSelectedYearOnly)
{
    put({{25, "T", "1.00"}, {26, "T", "2.00"}, {27, "T", "3.00"}});
    p().beginBal.MarkFresh();
    EXPECT_FALSE(p().beginBal.IsStale());
    EXPECT_EQ(table(), tableOf({{25, "T", "1.00"}, {26, "F", "2.00"}, {27, "T", "3.00"}}));
}

// --- Carrying a change forward ---

enum class Carry
{
    Charge,
    Payment
};

struct CarryCase
{
    const char* label;
    const char* selected;
    const char* current;
    std::vector<YearRow> before;
    Carry kind;
    const char* amount;
    std::vector<YearRow> after; // the whole table afterwards
};

void PrintTo(const CarryCase& c, std::ostream* os)
{
    *os << c.label;
}

class OpeningBalanceCarry : public OpeningBalanceTest, public testing::WithParamInterface<CarryCase>
{};

TEST_P(OpeningBalanceCarry, ChangesTheLaterYearsUpToNextYear)
{
    const CarryCase& c = GetParam();
    setYears(c.selected, c.current);
    put(c.before);
    if (c.kind == Carry::Charge)
        p().beginBal.CarryCharge(QString::fromUtf8(c.amount));
    else
        p().beginBal.CarryPayment(QString::fromUtf8(c.amount));
    const Table expected = tableOf(c.after);
    const Table actual = table();
    for (int year = 0; year < 100; ++year)
        EXPECT_EQ(actual[std::size_t(year)], expected[std::size_t(year)])
            << c.label << ", year " << year;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpeningBalanceCarry,
    testing::Values(
        CarryCase{"a charge two years back reaches the next three years",
                  "24",
                  "26",
                  {{24, "F", "10.00"},
                   {25, "F", "100.00"},
                   {26, "F", "100.00"},
                   {27, "", "100.00"},
                   {28, "", "100.00"}},
                  Carry::Charge,
                  "50.00",
                  {{24, "F", "10.00"},
                   {25, "T", "150.00"},
                   {26, "T", "150.00"},
                   {27, "T", "150.00"},
                   {28, "", "100.00"}}},
        CarryCase{"a payment in this year changes next year only",
                  "26",
                  "26",
                  {{25, "F", "150.00"}, {26, "F", "150.00"}, {27, "F", "150.00"}},
                  Carry::Payment,
                  "20.00",
                  {{25, "F", "150.00"}, {26, "F", "150.00"}, {27, "T", "130.00"}}},
        CarryCase{"a charge while the current year is the selected one never reaches two years on",
                  "24",
                  "24",
                  {{25, "", "10.00"}, {26, "", "10.00"}},
                  Carry::Charge,
                  "5.00",
                  {{25, "T", "15.00"}, {26, "", "10.00"}}},
        CarryCase{"a year after this one carries nothing",
                  "27",
                  "26",
                  {{27, "F", "10.00"}, {28, "", "10.00"}},
                  Carry::Charge,
                  "5.00",
                  {{27, "F", "10.00"}, {28, "", "10.00"}}},
        CarryCase{"an empty cell receiving 12.34 holds 12.34",
                  "26",
                  "26",
                  {},
                  Carry::Charge,
                  "12.34",
                  {{27, "T", "12.34"}}},
        CarryCase{"a payment into an empty cell with nothing before gives a credit",
                  "26",
                  "26",
                  {},
                  Carry::Payment,
                  "5.00",
                  {{27, "T", "-5.00"}}},
        CarryCase{"a payment larger than the balance gives a credit",
                  "26",
                  "26",
                  {{27, "F", "10.00"}},
                  Carry::Payment,
                  "25.00",
                  {{27, "T", "-15.00"}}},
        CarryCase{"an empty next year starts from the nearest earlier balance",
                  "26",
                  "26",
                  {{25, "F", "100.00"}},
                  Carry::Charge,
                  "30.00",
                  {{25, "F", "100.00"}, {27, "T", "130.00"}}},
        CarryCase{"empty years all start from the balance as it was before this carry",
                  "24",
                  "26",
                  {{24, "F", "50.00"}},
                  Carry::Charge,
                  "30.00",
                  {{24, "F", "50.00"}, {25, "T", "80.00"}, {26, "T", "80.00"}, {27, "T", "80.00"}}},
        CarryCase{"a filled year between empty ones lends them its old balance",
                  "23",
                  "26",
                  {{23, "F", "50.00"}, {25, "F", "70.00"}},
                  Carry::Payment,
                  "10.00",
                  {{23, "F", "50.00"},
                   {24, "T", "40.00"},
                   {25, "T", "60.00"},
                   {26, "T", "60.00"},
                   {27, "T", "60.00"}}},
        CarryCase{"year 00 carries into 01 and 02",
                  "00",
                  "01",
                  {{0, "", "1.00"}},
                  Carry::Charge,
                  ".05",
                  {{0, "", "1.00"}, {1, "T", "1.05"}, {2, "T", "1.05"}}},
        CarryCase{"in year 99 the carry from 98 reaches 99 and then 00",
                  "98",
                  "99",
                  {{99, "F", "1.00"}},
                  Carry::Charge,
                  "2.00",
                  {{0, "T", "3.00"}, {99, "T", "3.00"}}},
        CarryCase{"in year 99 a change in 99 reaches 00, the year after",
                  "99",
                  "99",
                  {{99, "F", "1.00"}},
                  Carry::Payment,
                  "2.00",
                  {{0, "T", "-1.00"}, {99, "F", "1.00"}}},
        CarryCase{"in year 00 a change in 99 reaches 00 and 01",
                  "99",
                  "00",
                  {{99, "F", "1.00"}},
                  Carry::Charge,
                  "2.00",
                  {{0, "T", "3.00"}, {1, "T", "3.00"}, {99, "F", "1.00"}}},
        CarryCase{"in year 01 a change in 98 runs through 99 and 00 to 02",
                  "98",
                  "01",
                  {{98, "F", "5.00"}},
                  Carry::Payment,
                  "1.00",
                  {{0, "T", "4.00"},
                   {1, "T", "4.00"},
                   {2, "T", "4.00"},
                   {98, "F", "5.00"},
                   {99, "T", "4.00"}}},
        CarryCase{"a year ten years on, from a clock that ran ahead, carries nothing",
                  "36",
                  "26",
                  {{36, "F", "10.00"}},
                  Carry::Charge,
                  "5.00",
                  {{36, "F", "10.00"}}},
        CarryCase{"in year 95 a year ten years on is 05 of the next century and carries nothing",
                  "05",
                  "95",
                  {{5, "F", "10.00"}},
                  Carry::Charge,
                  "5.00",
                  {{5, "F", "10.00"}}}),
    [](const testing::TestParamInfo<CarryCase>& info) {
        return "Case" + std::to_string(info.index);
    });

// --- The opening balance a year stands for ---

struct OpeningCase
{
    const char* label;
    std::vector<YearRow> rows;
    int year;
    const char* opening;
    const char* current = "26";
};

void PrintTo(const OpeningCase& c, std::ostream* os)
{
    *os << c.label;
}

class OpeningBalanceOfAYear : public OpeningBalanceTest,
                              public testing::WithParamInterface<OpeningCase>
{};

TEST_P(OpeningBalanceOfAYear, IsItsOwnCellOrTheNearestEarlierFilledOne)
{
    setYears(GetParam().current, GetParam().current);
    put(GetParam().rows);
    EXPECT_EQ(p().beginBal.openingBalance(GetParam().year), QString::fromUtf8(GetParam().opening))
        << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpeningBalanceOfAYear,
    testing::Values(
        OpeningCase{"an empty table", {}, 26, "0.00"},
        OpeningCase{"its own cell", {{26, "", "12.34"}}, 26, "12.34"},
        OpeningCase{
            "own cell before earlier ones", {{25, "", "100.00"}, {26, "", "40.00"}}, 26, "40.00"},
        OpeningCase{"two years back", {{24, "T", "-.05"}}, 26, "-.05"},
        OpeningCase{"the nearest of several", {{20, "", "1.00"}, {23, "", "2.00"}}, 26, "2.00"},
        OpeningCase{"never a later year", {{27, "", "9.00"}}, 26, "0.00"},
        OpeningCase{"year 00 counts", {{0, "", "3.00"}}, 5, "3.00"},
        OpeningCase{"a stale flag alone is no balance", {{25, "T", ""}}, 26, "0.00"},
        OpeningCase{"year 00 after 99 looks back to 99", {{99, "", "7.00"}}, 0, "7.00", "00"},
        OpeningCase{"back through the turn to 97", {{97, "", "4.00"}}, 2, "4.00", "01"},
        OpeningCase{"in year 99, 00 is next year and never an earlier one",
                    {{0, "", "9.00"}},
                    99,
                    "0.00",
                    "99"},
        OpeningCase{"in year 26, 99 is 1999 and earlier than 00",
                    {{99, "", "2.00"}},
                    0,
                    "2.00"}),
    [](const testing::TestParamInfo<OpeningCase>& info) {
        return "Case" + std::to_string(info.index);
    });

// --- Clearing, saving and loading ---

using OpeningBalanceFile = OpeningBalanceTest;

TEST_F(OpeningBalanceFile, ClearBalancesEmptiesEveryYearIncludingYearZero)
{
    put({{0, "T", "1.00"}, {1, "F", "2.00"}, {50, "T", ""}, {99, "", "4.00"}});
    p().beginBal.ClearBalances();
    EXPECT_EQ(table(), tableOf({}));
}

TEST_F(OpeningBalanceFile, SaveBalancesWritesEveryNonEmptyCellOfEveryYear)
{
    put({{0, "T", "1.00"},
         {6, "T", "12.34"},
         {25, "", "100.00"},
         {26, "F", ""},
         {99, "T", "-.05"}});
    p().beginBal.SaveBalances();
    EXPECT_EQ(bytesOf(QStringLiteral("3bb.dat")), QByteArray("0 0 T\r\n"
                                                             "1 0 1.00\r\n"
                                                             "0 6 T\r\n"
                                                             "1 6 12.34\r\n"
                                                             "1 25 100.00\r\n"
                                                             "0 26 F\r\n"
                                                             "0 99 T\r\n"
                                                             "1 99 -.05\r\n"));
}

TEST_F(OpeningBalanceFile, AnEmptyTableIsSavedAsAnEmptyFile)
{
    p().beginBal.SaveBalances();
    EXPECT_TRUE(DataFile::exists(QStringLiteral("3bb.dat")));
    EXPECT_EQ(bytesOf(QStringLiteral("3bb.dat")), QByteArray());
}

TEST_F(OpeningBalanceFile, SaveBalancesRewritesTheWholeFile)
{
    putBytes(QStringLiteral("3bb.dat"), "0 20 T\r\n1 20 5.00\r\n0 21 T\r\n1 21 5.00\r\n");
    put({{27, "T", "1.00"}});
    p().beginBal.SaveBalances();
    EXPECT_EQ(bytesOf(QStringLiteral("3bb.dat")), QByteArray("0 27 T\r\n1 27 1.00\r\n"));
}

TEST_F(OpeningBalanceFile, EachCardHasItsOwnFile)
{
    p().reg.cardKey = QStringLiteral("12");
    put({{27, "T", "1.00"}});
    p().beginBal.SaveBalances();
    EXPECT_EQ(bytesOf(QStringLiteral("12bb.dat")), QByteArray("0 27 T\r\n1 27 1.00\r\n"));
    EXPECT_FALSE(DataFile::exists(QStringLiteral("3bb.dat")));
}

TEST_F(OpeningBalanceFile, SavedAndLoadedAgainTheTableComesBackWhole)
{
    const std::vector<YearRow> rows = {{0, "T", "9.00"},     {1, "F", "0.00"}, {6, "T", "12.34"},
                                       {26, "", "-7.50"},    {27, "T", ""},    {99, "F", "1.00"}};
    put(rows);
    p().beginBal.SaveBalances();
    p().beginBal.ClearBalances();
    p().beginBal.LoadBalances();
    EXPECT_EQ(table(), tableOf(rows));
}

TEST_F(OpeningBalanceFile, LoadBalancesReadsAnyYearOfTheTableYearZeroIncluded)
{
    putBytes(QStringLiteral("3bb.dat"), "0 0 T\r\n1 0 5.00\r\n1 42 -.10\r\n");
    p().beginBal.LoadBalances();
    EXPECT_EQ(table(), tableOf({{0, "T", "5.00"}, {42, "", "-.10"}}));
}

TEST_F(OpeningBalanceFile, LoadBalancesReadsLfOnlyLinesTheSame)
{
    putBytes(QStringLiteral("3bb.dat"), "0 26 T\n1 26 5.00\n");
    p().beginBal.LoadBalances();
    EXPECT_EQ(table(), tableOf({{26, "T", "5.00"}}));
}

TEST_F(OpeningBalanceFile, AMissingFileLeavesTheTableAsItWas)
{
    put({{26, "T", "3.00"}});
    p().beginBal.LoadBalances();
    EXPECT_EQ(table(), tableOf({{26, "T", "3.00"}}));
    EXPECT_FALSE(DataFile::exists(QStringLiteral("3bb.dat")));
}

// --- A damaged beginning balance file ---

struct DamagedBalances
{
    const char* label;
    QByteArray bytes;
    const char* message;
    std::vector<YearRow> kept;
};

void PrintTo(const DamagedBalances& c, std::ostream* os)
{
    *os << c.label;
}

class OpeningBalanceDamagedFile : public OpeningBalanceTest,
                                  public testing::WithParamInterface<DamagedBalances>
{};

TEST_P(OpeningBalanceDamagedFile, StopsAtTheBadLineKeepsWhatWasReadAndSavesACopy)
{
    const DamagedBalances& c = GetParam();
    putBytes(QStringLiteral("3bb.dat"), c.bytes);
    try {
        p().beginBal.LoadBalances();
        FAIL() << c.label << ": the load did not stop";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), c.message) << c.label;
        EXPECT_EQ(error.followUp(), "3bb.dat could not be read completely; its original content "
                                    "was kept as 3bb.dat.damaged.")
            << c.label;
    }
    EXPECT_EQ(bytesOf(QStringLiteral("3bb.dat.damaged")), c.bytes) << c.label;
    EXPECT_EQ(bytesOf(QStringLiteral("3bb.dat")), c.bytes) << c.label;
    EXPECT_EQ(table(), tableOf(c.kept)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpeningBalanceDamagedFile,
    testing::Values(
        DamagedBalances{"row is not a number",
                        "0 26 T\r\n1 x 5.00\r\n1 27 6.00\r\n",
                        "'x' is not a valid integer value",
                        {{26, "T", ""}}},
        DamagedBalances{"column is not a number",
                        "0 26 T\r\nT 26 5.00\r\n",
                        "'T' is not a valid integer value",
                        {{26, "T", ""}}},
        DamagedBalances{"line without any blank",
                        "1 26 5.00\r\nabc\r\n",
                        "'abc' is not a valid integer value",
                        {{26, "", "5.00"}}},
        DamagedBalances{"column 2",
                        "0 26 T\r\n2 26 5.00\r\n",
                        "Line 2 of 3bb.dat lies outside the table.",
                        {{26, "T", ""}}},
        DamagedBalances{"negative column",
                        "1 26 5.00\r\n1 27 6.00\r\n-1 5 T\r\n",
                        "Line 3 of 3bb.dat lies outside the table.",
                        {{26, "", "5.00"}, {27, "", "6.00"}}},
        DamagedBalances{
            "year 100", "1 100 5.00\r\n", "Line 1 of 3bb.dat lies outside the table.", {}},
        DamagedBalances{"negative year",
                        "0 1 F\r\n1 -1 5.00\r\n",
                        "Line 2 of 3bb.dat lies outside the table.",
                        {{1, "F", ""}}},
        DamagedBalances{"an opening balance that is no amount",
                        "0 26 T\r\n1 26 5.0O\r\n",
                        "'5.0O' is not a valid floating point value (line 2 of 3bb.dat)",
                        {{26, "T", ""}}},
        DamagedBalances{"zeros after the first year",
                        QByteArray("1 26 5.00\r\n\0\0", 13),
                        "Line 2 of 3bb.dat holds a NUL byte.",
                        {}}),
    [](const testing::TestParamInfo<DamagedBalances>& info) {
        return "Case" + std::to_string(info.index);
    });

} // namespace
