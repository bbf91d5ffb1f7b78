#include "core/platform/data_file.h"
#include "support/program_fixture.h"

namespace {

const QString selectRow = QStringLiteral("A row must first be selected.");
const QString neither = QStringLiteral("OOPS! Neither a charge nor a payment.");

// The register open on a card with limit 900.00 and an empty ledger.
class RegisterButtons : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        clickCard(1);
        mainWindow().B1Click();
        ASSERT_TRUE(p().reg.shown);
    }
};

TEST_F(RegisterButtons, InAnEmptyLedgerOnlyAddWorks)
{
    EXPECT_FALSE(registerWindow().bb4Click());
    EXPECT_FALSE(registerWindow().bb6Click());
    registerWindow().bb7Click();
    registerWindow().bb5Click();
    EXPECT_EQ(messages.shown(), (QStringList{selectRow, selectRow, selectRow, selectRow}));
    EXPECT_TRUE(registerWindow().bb3Click());
    EXPECT_EQ(p().grid.selectedRow(), 1);
}

TEST_F(RegisterButtons, DeleteWithoutAnEntryStillRewritesItsFiveFiles)
{
    const QStringList five{"126.dat", "1info.dat", "1bb.dat", "CardList.dat", "summary.dat"};
    for (const QString& name : five)
        putBytes(name, "old\r\n");
    registerWindow().bb5Click();
    for (const QString& name : five)
        EXPECT_NE(bytesOf(name), QByteArray("old\r\n")) << name.toStdString();
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), QByteArray("0\r\n"));
}

TEST_F(RegisterButtons, TogglingAClearedPaymentMovesTheReconciledBalanceBothWays)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("50.00"), true);
    addPayment(QStringLiteral("Payment"), QStringLiteral("20.00"), true);
    ASSERT_EQ(p().reg.E8, QStringLiteral("30.00"));
    const QString owed = p().reg.E6;
    const QByteArray balances = bytesOf(QStringLiteral("1bb.dat"));

    clickEntry(2);
    registerWindow().bb7Click();
    EXPECT_EQ(p().reg.E8, QStringLiteral("50.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 2), QString());
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1info.dat")).value(9), QStringLiteral("50.00"));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("126.dat")),
              (QStringList{"2", "1 1 12/1/26", "2 1 Books", "3 1 50.00", "5 1 X", "6 1 50.00",
                           "1 2 12/1/26", "2 2 Payment", "4 2 20.00", "6 2 30.00"}));

    registerWindow().bb7Click();
    EXPECT_EQ(p().reg.E8, QStringLiteral("30.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 2), QStringLiteral("X"));
    // Clearing moves neither the balance owed nor the later years.
    EXPECT_EQ(p().reg.E6, owed);
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")), balances);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(RegisterButtons, ARowWithNeitherAmountIsReportedAndNotRemoved)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("50.00"));
    p().ledger.setCell(TGrid::Charges, 1, QString());
    clickEntry(1);

    registerWindow().bb7Click();
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 1), QStringLiteral("X"));
    registerWindow().bb5Click();
    EXPECT_EQ(messages.shown(), (QStringList{neither, neither}));
    EXPECT_EQ(p().grid.entryCount(), 1);
    EXPECT_EQ(p().reg.E8, QStringLiteral("0.00"));
}

TEST_F(RegisterButtons, DeletingTheOnlyEntryLeavesAnEmptyLedger)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("50.00"), true);
    clickEntry(1);
    registerWindow().bb5Click();
    EXPECT_EQ(p().grid.entryCount(), 0);
    EXPECT_EQ(p().reg.E6, QStringLiteral("0.00"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("0.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), QByteArray("0\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")), QByteArray("0 27 T\r\n1 27 0.00\r\n"));
}

TEST_F(RegisterButtons, DeletingTheLastEntryLeavesTheRowsAboveAlone)
{
    addCharge(QStringLiteral("One"), QStringLiteral("1.00"));
    addCharge(QStringLiteral("Two"), QStringLiteral("2.00"));
    addCharge(QStringLiteral("Three"), QStringLiteral("3.00"));
    clickEntry(3);
    registerWindow().bb5Click();
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 2), QStringLiteral("Two"));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 2), QStringLiteral("3.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 3), QString());
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 3), QString());
}

TEST_F(RegisterButtons, TheYearButtonNeedsAnotherYear)
{
    EXPECT_FALSE(registerWindow().bb8Click());
    EXPECT_EQ(messages.shown(),
              QStringList{QStringLiteral("No records available for other years.")});
    p().years.items.prepend(QStringLiteral("25"));
    EXPECT_TRUE(registerWindow().bb8Click());
}

TEST_F(RegisterButtons, AddingToAFullYearIsRefusedBeforeAnythingChanges)
{
    for (int row = 1; row <= 1000; ++row) {
        p().ledger.setCell(TGrid::Date, row, QStringLiteral("1/1/26"));
        p().ledger.setCell(TGrid::Charges, row, QStringLiteral(".01"));
    }
    p().grid.setEntryCount(1000);
    clickEntry(7);
    try {
        registerWindow().bb3Click();
        FAIL() << "a 1001st row was offered";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Grid index out of range");
    }
    EXPECT_EQ(p().ledger.currentRow(), 7);
    EXPECT_EQ(p().grid.entryCount(), 1000);
}

TEST_F(ProgramTest, ABalanceOneCentOverTheLimitShowsOverdrawnWhenOpened)
{
    p().tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("100.00"), QStringLiteral("100.01")));
    clickCard(1);
    mainWindow().B1Click();
    EXPECT_TRUE(p().reg.overdrawn);

    p().tc.AddCard(
        sampleCard(QStringLiteral("Store"), QStringLiteral("100.00"), QStringLiteral("100.00")));
    clickCard(2);
    mainWindow().B1Click();
    EXPECT_FALSE(p().reg.overdrawn);
}

TEST_F(ProgramTest, LargeBalancesAreComparedToTheCent)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Black"), QStringLiteral("9999999999999.98"),
                              QStringLiteral("9999999999999.99")));
    clickCard(1);
    mainWindow().B1Click();
    EXPECT_TRUE(p().reg.overdrawn);
    EXPECT_EQ(p().reg.E7, QStringLiteral("0.00"));
}

} // namespace
