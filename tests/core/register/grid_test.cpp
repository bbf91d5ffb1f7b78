#include "core/platform/data_file.h"
#include "core/platform/user_error.h"
#include "support/program_fixture.h"

#include <ostream>
#include <string>
#include <vector>

namespace {

// One ledger row as columns 1 to 6: date, description, charge, payment,
// cleared mark, running balance.
using Row = QStringList;

Row row(const char* date, const char* description, const char* charge, const char* payment,
        const char* cleared, const char* balance)
{
    return {QString::fromUtf8(date),    QString::fromUtf8(description), QString::fromUtf8(charge),
            QString::fromUtf8(payment), QString::fromUtf8(cleared),     QString::fromUtf8(balance)};
}

const Row emptyRow = row("", "", "", "", "", "");

// Card 3 in year 26, the ledger and the opening balances empty.
class LedgerTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().reg.cardKey = QStringLiteral("3");
        p().main.CurrentYr = QStringLiteral("26");
        p().main.SelectedYr = QStringLiteral("26");
        p().beginBal.TakeCurrentYear();
        p().beginBal.TakeSelectedYear();
    }

    void putRow(int r, const Row& cells)
    {
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            p().ledger.setCell(column, r, cells[column - 1]);
    }

    Row rowAt(int r)
    {
        Row cells;
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            cells.append(p().ledger.cell(column, r));
        return cells;
    }

    // Three entries in rows 1 to 3, counted.
    void fillThree()
    {
        putRow(1, first);
        putRow(2, second);
        putRow(3, third);
        p().grid.setEntryCount(3);
    }

    // The user puts the cursor on a row and the grid takes it as the row to work on.
    void workOn(int r)
    {
        p().ledger.setCurrentRow(r);
        p().grid.CaptureSelectedRow();
    }

    QStringList headers()
    {
        QStringList texts;
        for (int column = 0; column < p().ledger.columnCount(); ++column)
            texts.append(p().ledger.cell(column, 0));
        return texts;
    }

    const Row first = row("12/1/26", "Groceries", "40.00", "", "X", "40.00");
    const Row second = row("12/2/26", "Payment", "", "15.00", "", "25.00");
    const Row third = row("12/3/26", "Fuel", "30.00", "", "", "55.00");
    const QStringList ledgerHeaders = {"",         "Date", "Description", "Charges",
                                       "Payments", "X",    "Bal. Owed"};
};

// --- Picking the row and counting ---

using LedgerRows = LedgerTest;

TEST_F(LedgerRows, CaptureSelectedRowTakesTheCursorRow)
{
    p().ledger.setCurrentRow(7);
    p().grid.CaptureSelectedRow();
    EXPECT_EQ(p().grid.selectedRow(), 7);
}

TEST_F(LedgerRows, SelectRowAfterLastPutsTheCursorBelowTheEntries)
{
    fillThree();
    p().grid.SelectRowAfterLast();
    EXPECT_EQ(p().ledger.currentRow(), 4);
    EXPECT_EQ(p().grid.selectedRow(), 0) << "only CaptureSelectedRow sets the selected row";
}

TEST_F(LedgerRows, SelectRowAfterLastOnAnEmptyYearPicksRowOne)
{
    p().ledger.setCurrentRow(9);
    p().grid.SelectRowAfterLast();
    EXPECT_EQ(p().ledger.currentRow(), 1);
}

TEST_F(LedgerRows, AFullYearRefusesTheRowAfterTheLastAndKeepsTheCursor)
{
    p().grid.setEntryCount(1000);
    p().ledger.setCurrentRow(5);
    try {
        p().grid.SelectRowAfterLast();
        FAIL() << "row 1001 was accepted";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Grid index out of range");
    }
    EXPECT_EQ(p().ledger.currentRow(), 5);
}

TEST_F(LedgerRows, NineHundredNinetyNineEntriesStillLeaveRoomForOneMore)
{
    p().grid.setEntryCount(999);
    p().grid.SelectRowAfterLast();
    EXPECT_EQ(p().ledger.currentRow(), 1000);
}

TEST_F(LedgerRows, CountOperationsResetIncrementAndDecrement)
{
    p().grid.setEntryCount(4);
    p().grid.IncrementEntryCount();
    EXPECT_EQ(p().grid.entryCount(), 5);
    p().grid.DecrementEntryCount();
    p().grid.DecrementEntryCount();
    EXPECT_EQ(p().grid.entryCount(), 3);
    p().grid.ResetEntryCount();
    EXPECT_EQ(p().grid.entryCount(), 0);
}

// --- Writing one row ---

struct CellSetter
{
    const char* label;
    void (TGrid::*set)(const QString&);
    int column;
};

void PrintTo(const CellSetter& c, std::ostream* os)
{
    *os << c.label;
}

class LedgerCellSetters : public LedgerTest, public testing::WithParamInterface<CellSetter>
{};

TEST_P(LedgerCellSetters, WriteOnlyTheirColumnOfTheSelectedRow)
{
    fillThree();
    workOn(2);
    const QString text = QStringLiteral("new  text");
    (p().grid.*GetParam().set)(text);
    Row expected = second;
    expected[GetParam().column - 1] = text;
    EXPECT_EQ(rowAt(2), expected);
    EXPECT_EQ(rowAt(1), first);
    EXPECT_EQ(rowAt(3), third);
    EXPECT_EQ(p().grid.entryCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    EachColumn, LedgerCellSetters,
    testing::Values(CellSetter{"Date", &TGrid::SetDate, TGrid::Date},
                    CellSetter{"Description", &TGrid::SetDescription, TGrid::Description},
                    CellSetter{"Charge", &TGrid::SetCharge, TGrid::Charges},
                    CellSetter{"Payment", &TGrid::SetPayment, TGrid::Payments}),
    [](const testing::TestParamInfo<CellSetter>& info) { return std::string(info.param.label); });

TEST_F(LedgerRows, ClearSelectedRowEmptiesColumnsOneToSixAndKeepsTheRowNumber)
{
    fillThree();
    workOn(2);
    p().grid.ClearSelectedRow();
    EXPECT_EQ(rowAt(2), emptyRow);
    EXPECT_EQ(p().ledger.cell(TGrid::Number, 2), QStringLiteral("2"));
    EXPECT_EQ(rowAt(1), first);
    EXPECT_EQ(rowAt(3), third);
}

TEST_F(LedgerRows, ClearLedgerEmptiesEveryRowButKeepsHeadersRowNumbersAndCount)
{
    fillThree();
    putRow(1000, third);
    p().grid.ClearLedger();
    for (int r = 1; r <= 1000; ++r) {
        ASSERT_EQ(rowAt(r), emptyRow) << "row " << r;
        ASSERT_EQ(p().ledger.cell(TGrid::Number, r), QString::number(r));
    }
    EXPECT_EQ(headers(), ledgerHeaders);
    EXPECT_EQ(p().grid.entryCount(), 3);
}

TEST_F(LedgerRows, ToggleClearedTwiceLeavesAnEmptyCell)
{
    fillThree();
    workOn(3);
    p().grid.ToggleCleared();
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 3), QStringLiteral("X"));
    p().grid.ToggleCleared();
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 3), QString());
    EXPECT_EQ(rowAt(3), third);
}

TEST_F(LedgerRows, ToggleClearedTurnsAnyOtherMarkIntoX)
{
    fillThree();
    workOn(2);
    p().ledger.setCell(TGrid::Cleared, 2, QStringLiteral("x"));
    p().grid.ToggleCleared();
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 2), QStringLiteral("X"));
}

// --- Opening and closing gaps ---

TEST_F(LedgerRows, InsertingAtRowOneMovesThreeEntriesDownAndEmptiesRowOne)
{
    fillThree();
    workOn(1);
    p().grid.OpenGapAtSelectedRow();
    EXPECT_EQ(rowAt(1), emptyRow);
    EXPECT_EQ(rowAt(2), first);
    EXPECT_EQ(rowAt(3), second);
    EXPECT_EQ(rowAt(4), third);
    EXPECT_EQ(rowAt(5), emptyRow);
    EXPECT_EQ(p().grid.entryCount(), 3) << "the caller counts the new entry";
    EXPECT_EQ(p().ledger.currentRow(), 4) << "the cursor is left below the old entries";
    EXPECT_EQ(p().ledger.cell(TGrid::Number, 1), QStringLiteral("1"));
}

TEST_F(LedgerRows, InsertingInTheMiddleLeavesTheRowsAboveInPlace)
{
    fillThree();
    workOn(3);
    p().grid.OpenGapAtSelectedRow();
    EXPECT_EQ(rowAt(1), first);
    EXPECT_EQ(rowAt(2), second);
    EXPECT_EQ(rowAt(3), emptyRow);
    EXPECT_EQ(rowAt(4), third);
}

TEST_F(LedgerRows, OpeningAGapBelowTheLastEntryMovesNothing)
{
    fillThree();
    workOn(4);
    p().grid.OpenGapAtSelectedRow();
    EXPECT_EQ(rowAt(1), first);
    EXPECT_EQ(rowAt(2), second);
    EXPECT_EQ(rowAt(3), third);
    EXPECT_EQ(rowAt(4), emptyRow);
    EXPECT_EQ(rowAt(5), emptyRow);
}

TEST_F(LedgerRows, ClosingTheGapAtRowOneMovesTheRestUpAndEmptiesTheLastRow)
{
    fillThree();
    workOn(1);
    p().grid.ClearSelectedRow();
    p().grid.CloseGapAtSelectedRow();
    EXPECT_EQ(rowAt(1), second);
    EXPECT_EQ(rowAt(2), third);
    EXPECT_EQ(rowAt(3), emptyRow);
    EXPECT_EQ(p().grid.entryCount(), 3) << "the caller uncounts the entry";
}

TEST_F(LedgerRows, DeletingTheLastEntryEmptiesItsRowAndLeavesTheRowsAbove)
{
    fillThree();
    workOn(3);
    p().grid.ClearSelectedRow();
    p().grid.CloseGapAtSelectedRow();
    p().grid.DecrementEntryCount();
    EXPECT_EQ(rowAt(1), first);
    EXPECT_EQ(rowAt(2), second);
    EXPECT_EQ(rowAt(3), emptyRow);
    EXPECT_EQ(p().grid.entryCount(), 2);
}

TEST_F(LedgerRows, ClosingAGapInAnEmptyYearNeverClearsTheHeaderRow)
{
    workOn(1);
    p().grid.CloseGapAtSelectedRow();
    EXPECT_EQ(headers(), ledgerHeaders);
}

// --- Running balance ---

using LedgerOpeningBalance = LedgerTest;

struct BalanceCase
{
    const char* label;
    const char* opening; // year 26's opening-balance cell, "" for none
    std::vector<std::pair<const char*, const char*>> amounts; // charge, payment per row
    std::vector<const char*> balances;                        // column 6 afterwards
};

void PrintTo(const BalanceCase& c, std::ostream* os)
{
    *os << c.label;
}

class LedgerRunningBalance : public LedgerTest, public testing::WithParamInterface<BalanceCase>
{};

TEST_P(LedgerRunningBalance, RunsFromTheOpeningBalanceDownTheEntries)
{
    const BalanceCase& c = GetParam();
    p().beginBalGrid.setCell(1, 26, QString::fromUtf8(c.opening));
    int r = 1;
    for (const auto& [charge, payment] : c.amounts) {
        p().ledger.setCell(TGrid::Description, r, QStringLiteral("entry"));
        p().ledger.setCell(TGrid::Charges, r, QString::fromUtf8(charge));
        p().ledger.setCell(TGrid::Payments, r, QString::fromUtf8(payment));
        p().ledger.setCell(TGrid::Balance, r, QStringLiteral("999.99"));
        ++r;
    }
    p().grid.RecomputeBalances();
    for (std::size_t i = 0; i < c.balances.size(); ++i)
        EXPECT_EQ(p().ledger.cell(TGrid::Balance, int(i) + 1), QString::fromUtf8(c.balances[i]))
            << c.label << ", row " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LedgerRunningBalance,
    testing::Values(BalanceCase{"charges add and payments subtract",
                                "100.00",
                                {{"30.00", ""}, {"", "50.00"}, {"1.05", ""}},
                                {"130.00", "80.00", "81.05"}},
                    BalanceCase{
                        "an empty opening balance starts at 0.00", "", {{"12.34", ""}}, {"12.34"}},
                    BalanceCase{"payments beyond the balance go negative and the balance runs on",
                                "",
                                {{"10.00", ""}, {"", "25.00"}, {"5.00", ""}, {"", "5.00"}},
                                {"10.00", "-15.00", "-10.00", "-15.00"}},
                    BalanceCase{"cents below one unit have no leading zero",
                                "0.00",
                                {{"", ".05"}, {".10", ""}},
                                {"-.05", ".05"}},
                    BalanceCase{"a row holding both amounts uses the charge only",
                                "100.00",
                                {{"10.00", "3.00"}},
                                {"110.00"}},
                    BalanceCase{"a first row without any amount computes no balance at all",
                                "100.00",
                                {{"", ""}, {"20.00", ""}},
                                {"999.99", "999.99"}},
                    BalanceCase{"the first row without any amount stops the run",
                                "0.00",
                                {{"20.00", ""}, {"", ""}, {"5.00", ""}},
                                {"20.00", "999.99", "999.99"}},
                    BalanceCase{"a negative opening balance is a credit to start from",
                                "-40.00",
                                {{"15.00", ""}},
                                {"-25.00"}}),
    [](const testing::TestParamInfo<BalanceCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(LedgerOpeningBalance, AnEmptyOpeningBalanceStandsForTheNearestEarlierYearThatHasOne)
{
    p().beginBalGrid.setCell(1, 25, QStringLiteral("100.00"));
    workOn(1);
    p().grid.SetCharge(QStringLiteral("30.00"));
    p().grid.RecomputeBalances();
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("130.00"));
}

TEST_F(LedgerOpeningBalance, TheSelectedYearsOwnOpeningBalanceWinsOverEarlierYears)
{
    p().beginBalGrid.setCell(1, 25, QStringLiteral("100.00"));
    p().beginBalGrid.setCell(1, 26, QStringLiteral("40.00"));
    workOn(1);
    p().grid.SetCharge(QStringLiteral("30.00"));
    p().grid.RecomputeBalances();
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("70.00"));
}

TEST_F(LedgerOpeningBalance, LaterYearsDoNotLendTheirOpeningBalanceToAnEarlierOne)
{
    p().beginBalGrid.setCell(1, 27, QStringLiteral("100.00"));
    workOn(1);
    p().grid.SetCharge(QStringLiteral("30.00"));
    p().grid.RecomputeBalances();
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("30.00"));
}

TEST_F(LedgerOpeningBalance, TheRunningBalanceUsesTheYearLastTakenNotTheYearText)
{
    p().beginBalGrid.setCell(1, 26, QStringLiteral("10.00"));
    p().beginBalGrid.setCell(1, 24, QStringLiteral("500.00"));
    p().main.SelectedYr = QStringLiteral("24");
    workOn(1);
    p().grid.SetCharge(QStringLiteral("1.00"));
    p().grid.RecomputeBalances();
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("11.00"));
}

// --- The year ledger file ---

using LedgerFile = LedgerTest;

TEST_F(LedgerFile, SaveYearWritesTheCountThenOneLinePerNonEmptyCell)
{
    putRow(1, row("12/1/26", "Groceries", "40.00", "", "X", "40.00"));
    putRow(2, row("12/3/26", "Pay  it   off ", "", "15.00", "", "25.00"));
    p().grid.setEntryCount(2);
    p().grid.SaveYear();
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat")), QByteArray("2\r\n"
                                                             "1 1 12/1/26\r\n"
                                                             "2 1 Groceries\r\n"
                                                             "3 1 40.00\r\n"
                                                             "5 1 X\r\n"
                                                             "6 1 40.00\r\n"
                                                             "1 2 12/3/26\r\n"
                                                             "2 2 Pay  it   off \r\n"
                                                             "4 2 15.00\r\n"
                                                             "6 2 25.00\r\n"));
}

TEST_F(LedgerFile, AnUnclearedEntryHasNoColumnFiveLine)
{
    putRow(1, row("12/2/26", "Payment", "", "15.00", "", "-15.00"));
    p().grid.setEntryCount(1);
    p().grid.SaveYear();
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat")),
              QByteArray("1\r\n1 1 12/2/26\r\n2 1 Payment\r\n4 1 15.00\r\n6 1 -15.00\r\n"));
}

TEST_F(LedgerFile, AnEmptyYearIsSavedAsItsCountAlone)
{
    p().grid.SaveYear();
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat")), QByteArray("0\r\n"));
}

TEST_F(LedgerFile, TheLastRowIsSavedToo)
{
    putRow(1000, row("", "last", "", "", "", ""));
    p().grid.setEntryCount(1000);
    p().grid.SaveYear();
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat")), QByteArray("1000\r\n2 1000 last\r\n"));
}

TEST_F(LedgerFile, SaveYearRewritesTheWholeFile)
{
    putBytes(QStringLiteral("326.dat"), "3\r\n1 1 a\r\n1 2 b\r\n1 3 c\r\n");
    putRow(1, row("", "only", "", "", "", ""));
    p().grid.setEntryCount(1);
    p().grid.SaveYear();
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat")), QByteArray("1\r\n2 1 only\r\n"));
}

TEST_F(LedgerFile, YearSixOfCardTwelveIsStoredInTwelveOhSixDat)
{
    p().reg.cardKey = QStringLiteral("12");
    p().main.SelectedYr = QStringLiteral("06");
    EXPECT_EQ(p().grid.fileName(), QStringLiteral("1206.dat"));
    p().grid.SaveYear();
    EXPECT_EQ(bytesOf(QStringLiteral("1206.dat")), QByteArray("0\r\n"));
    EXPECT_FALSE(DataFile::exists(QStringLiteral("126.dat")));
}

TEST_F(LedgerFile, SavedAndLoadedAgainEveryCellComesBackUnchanged)
{
    const Row blanks = row("12/4/26", "  two   blanks   and trailing  ", "7.25", "", "X", "62.25");
    fillThree();
    putRow(4, blanks);
    p().grid.setEntryCount(4);
    p().grid.SaveYear();

    p().grid.ClearLedger();
    p().grid.ResetEntryCount();
    p().grid.LoadYear();
    EXPECT_EQ(p().grid.entryCount(), 4);
    EXPECT_EQ(rowAt(1), first);
    EXPECT_EQ(rowAt(2), second);
    EXPECT_EQ(rowAt(3), third);
    EXPECT_EQ(rowAt(4), blanks);
    EXPECT_EQ(rowAt(5), emptyRow);
}

TEST_F(LedgerFile, LoadYearPutsEachLineIntoItsCellAndTakesTheCountFromLineOne)
{
    putBytes(QStringLiteral("326.dat"), "2\r\n2 1 A  B \r\n4 2 9.99\r\n6 2 -9.99\r\n");
    p().grid.LoadYear();
    EXPECT_EQ(p().grid.entryCount(), 2);
    EXPECT_EQ(rowAt(1), row("", "A  B ", "", "", "", ""));
    EXPECT_EQ(rowAt(2), row("", "", "", "9.99", "", "-9.99"));
}

TEST_F(LedgerFile, LoadYearAcceptsAFullYear)
{
    QByteArray file = "1000\r\n";
    for (int r = 1; r <= 1000; ++r)
        file += "2 " + QByteArray::number(r) + " entry\r\n";
    putBytes(QStringLiteral("326.dat"), file);
    p().grid.LoadYear();
    EXPECT_EQ(p().grid.entryCount(), 1000);
}

TEST_F(LedgerFile, AMissingFileIsAnEmptyYearAndLeavesTheGridAlone)
{
    p().grid.setEntryCount(3);
    putRow(1, first);
    p().grid.LoadYear();
    EXPECT_EQ(p().grid.entryCount(), 0);
    EXPECT_EQ(rowAt(1), first);
    EXPECT_FALSE(DataFile::exists(QStringLiteral("326.dat")));
}

TEST_F(LedgerFile, LoadYearReadsTheFileOfTheSelectedYear)
{
    putBytes(QStringLiteral("325.dat"), "1\r\n2 1 last year\r\n");
    putBytes(QStringLiteral("326.dat"), "1\r\n2 1 this year\r\n");
    p().main.SelectedYr = QStringLiteral("25");
    p().grid.LoadYear();
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 1), QStringLiteral("last year"));
}

// --- A damaged year ledger file ---

struct DamagedLedger
{
    const char* label;
    QByteArray bytes;
    const char* message;
    int entryCount;            // what the count is afterwards
    std::vector<Row> rowsKept; // rows 1.. as they are afterwards
};

void PrintTo(const DamagedLedger& c, std::ostream* os)
{
    *os << c.label;
}

class LedgerDamagedFile : public LedgerTest, public testing::WithParamInterface<DamagedLedger>
{};

TEST_P(LedgerDamagedFile, StopsAtTheBadLineKeepsWhatWasReadAndSavesACopy)
{
    const DamagedLedger& c = GetParam();
    putBytes(QStringLiteral("326.dat"), c.bytes);
    p().grid.setEntryCount(7);
    try {
        p().grid.LoadYear();
        FAIL() << c.label << ": the load did not stop";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), c.message) << c.label;
        EXPECT_EQ(error.followUp(), "326.dat could not be read completely; its original content "
                                    "was kept as 326.dat.damaged.")
            << c.label;
    }
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat.damaged")), c.bytes) << c.label;
    EXPECT_EQ(bytesOf(QStringLiteral("326.dat")), c.bytes) << c.label;
    EXPECT_EQ(p().grid.entryCount(), c.entryCount) << c.label;
    for (std::size_t i = 0; i < c.rowsKept.size(); ++i)
        EXPECT_EQ(rowAt(int(i) + 1), c.rowsKept[i]) << c.label << ", row " << i + 1;
    // Rows after the entries hold nothing, not even what was read after a
    // gap: the damaged copy keeps that, and no save may write it back.
    for (int r = int(c.rowsKept.size()) + 1; r <= int(c.rowsKept.size()) + 3; ++r)
        EXPECT_EQ(rowAt(r), emptyRow) << c.label << ", row " << r;
    EXPECT_EQ(headers(), ledgerHeaders) << c.label;
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(p().ledger.cell(TGrid::Number, r), QString::number(r)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LedgerDamagedFile,
    testing::Values(
        DamagedLedger{"count is not a number",
                      "x\r\n2 1 kept?\r\n",
                      "'x' is not a valid integer value",
                      0,
                      {}},
        DamagedLedger{"count above 1000",
                      "1001\r\n2 1 kept?\r\n",
                      "Line 1 of 326.dat lies outside the table.",
                      0,
                      {}},
        DamagedLedger{"negative count",
                      "-1\r\n2 1 kept?\r\n",
                      "Line 1 of 326.dat lies outside the table.",
                      0,
                      {}},
        DamagedLedger{"empty file", "", "'' is not a valid integer value", 0, {}},
        DamagedLedger{"row is not a number",
                      "2\r\n2 1 first\r\n4 1 5.00\r\n2 x second\r\n",
                      "'x' is not a valid integer value",
                      1,
                      {row("", "first", "", "5.00", "", "")}},
        DamagedLedger{"line without any blank",
                      "2\r\n2 1 first\r\ngarbage\r\n",
                      "'garbage' is not a valid integer value",
                      1,
                      {row("", "first", "", "", "", "")}},
        DamagedLedger{"empty line between cells",
                      "2\r\n2 1 first\r\n\r\n2 2 second\r\n",
                      "'' is not a valid integer value",
                      1,
                      {row("", "first", "", "", "", "")}},
        DamagedLedger{"column 0 would overwrite a row number",
                      "2\r\n2 1 first\r\n2 2 second\r\n0 1 99\r\n",
                      "Line 4 of 326.dat lies outside the table.",
                      2,
                      {row("", "first", "", "", "", ""), row("", "second", "", "", "", "")}},
        DamagedLedger{"column 7",
                      "1\r\n2 1 first\r\n7 1 extra\r\n",
                      "Line 3 of 326.dat lies outside the table.",
                      1,
                      {row("", "first", "", "", "", "")}},
        DamagedLedger{"row 0 would overwrite the headers",
                      "1\r\n1 0 Today\r\n",
                      "Line 2 of 326.dat lies outside the table.",
                      0,
                      {}},
        DamagedLedger{"row 1001",
                      "1\r\n2 1 first\r\n2 1001 beyond\r\n",
                      "Line 3 of 326.dat lies outside the table.",
                      1,
                      {row("", "first", "", "", "", "")}},
        DamagedLedger{
            "entries read after a gap are not counted",
            "3\r\n2 1 first\r\n2 3 third\r\n9 9 bad\r\n",
            "Line 4 of 326.dat lies outside the table.",
            1,
            {row("", "first", "", "", "", "")}},
        // A count that disagrees with the rows holding entries:
        // the next Add would overwrite entry 3.
        DamagedLedger{"count below the entries",
                      "2\r\n2 1 a\r\n2 2 b\r\n2 3 c\r\n2 4 d\r\n2 5 e\r\n",
                      "Line 1 of 326.dat counts 2 entries, but the ledger holds 5.",
                      5,
                      {row("", "a", "", "", "", ""), row("", "b", "", "", "", ""),
                       row("", "c", "", "", "", ""), row("", "d", "", "", "", ""),
                       row("", "e", "", "", "", "")}},
        DamagedLedger{"a ledger cut short after its first entry",
                      "3\r\n1 1 12/1/26\r\n2 1 a\r\n3 1 5.00\r\n6 1 5.00\r\n",
                      "Line 1 of 326.dat counts 3 entries, but the ledger holds 1.",
                      1,
                      {row("12/1/26", "a", "5.00", "", "", "5.00")}},
        DamagedLedger{"one entry counted and none there",
                      "1\r\n",
                      "Line 1 of 326.dat counts 1 entry, but the ledger holds 0.",
                      0,
                      {}},
        DamagedLedger{"a gap between the entries",
                      "2\r\n2 1 a\r\n2 3 c\r\n",
                      "Row 2 of 326.dat is empty, but a later row holds an entry.",
                      1,
                      {row("", "a", "", "", "", "")}},
        // Zeros from a power cut end nothing silently.
        DamagedLedger{"zeros in the middle of an entry",
                      QByteArray("1\r\n2 1 Bo\0\0\0\0\r\n", 15),
                      "Line 2 of 326.dat holds a NUL byte.",
                      0,
                      {}},
        // An amount the running balance cannot add names its
        // place in the file.
        DamagedLedger{"a charge that is no amount",
                      "2\r\n2 1 a\r\n3 1 5.00\r\n2 2 b\r\n3 2 12x.50\r\n",
                      "'12x.50' is not a valid floating point value "
                      "(line 5 of 326.dat)",
                      2,
                      {row("", "a", "5.00", "", "", ""), row("", "b", "", "", "", "")}},
        DamagedLedger{"a payment that is no amount",
                      "1\r\n2 1 a\r\n4 1 abc\r\n",
                      "'abc' is not a valid floating point value (line 3 of 326.dat)",
                      1,
                      {row("", "a", "", "", "", "")}}),
    [](const testing::TestParamInfo<DamagedLedger>& info) {
        return "Case" + std::to_string(info.index);
    });

} // namespace
