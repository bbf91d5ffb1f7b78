#include "core/register/ledger_entry.h"
#include "support/program_fixture.h"

namespace {

// Card 3's year 26 as the file holds it: a charge, a cleared payment, a row
// a hand edit left with no amount, and a row holding both amounts.
class LedgerEntryTest : public ProgramTest
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
        putBytes(QStringLiteral("326.dat"), "4\r\n"
                                            "1 1 12/1/26\r\n2 1 Books\r\n3 1 10.00\r\n6 1 10.00\r\n"
                                            "1 2 12/2/26\r\n2 2 Pay\r\n4 2 4.00\r\n5 2 X\r\n"
                                            "6 2 6.00\r\n"
                                            "1 3 12/3/26\r\n2 3 Note\r\n"
                                            "2 4 Both\r\n3 4 1.00\r\n4 4 2.00\r\n");
        p().grid.LoadYear();
    }

    LedgerEntry at(int row) { return entryAt(p().ledger, row); }
};

TEST_F(LedgerEntryTest, AChargeRowGivesEveryCellAndTheChargeKind)
{
    const LedgerEntry entry = at(1);
    EXPECT_EQ(entry.date, QStringLiteral("12/1/26"));
    EXPECT_EQ(entry.description, QStringLiteral("Books"));
    EXPECT_EQ(entry.charge, QStringLiteral("10.00"));
    EXPECT_TRUE(entry.payment.isEmpty());
    EXPECT_FALSE(entry.cleared);
    EXPECT_EQ(entry.balance, QStringLiteral("10.00"));
    EXPECT_EQ(entry.kind(), EntryKind::Charge);
    EXPECT_EQ(entry.amount(), QStringLiteral("10.00"));
}

TEST_F(LedgerEntryTest, AClearedPaymentRowIsAPaymentMarkedCleared)
{
    const LedgerEntry entry = at(2);
    EXPECT_EQ(entry.description, QStringLiteral("Pay"));
    EXPECT_TRUE(entry.charge.isEmpty());
    EXPECT_EQ(entry.payment, QStringLiteral("4.00"));
    EXPECT_TRUE(entry.cleared);
    EXPECT_EQ(entry.balance, QStringLiteral("6.00"));
    EXPECT_EQ(entry.kind(), EntryKind::Payment);
    EXPECT_EQ(entry.amount(), QStringLiteral("4.00"));
}

TEST_F(LedgerEntryTest, ARowWithNoAmountIsNeitherAndHasNoAmount)
{
    const LedgerEntry entry = at(3);
    EXPECT_EQ(entry.date, QStringLiteral("12/3/26"));
    EXPECT_EQ(entry.kind(), EntryKind::None);
    EXPECT_TRUE(entry.amount().isEmpty());
}

TEST_F(LedgerEntryTest, ARowHoldingBothAmountsCountsAsACharge)
{
    const LedgerEntry entry = at(4);
    EXPECT_EQ(entry.kind(), EntryKind::Charge);
    EXPECT_EQ(entry.amount(), QStringLiteral("1.00"));
    EXPECT_EQ(entry.payment, QStringLiteral("2.00"));
}

TEST_F(LedgerEntryTest, TheRowAfterTheLastEntryIsEmpty)
{
    const LedgerEntry entry = at(5);
    EXPECT_TRUE(entry.date.isEmpty());
    EXPECT_TRUE(entry.description.isEmpty());
    EXPECT_TRUE(entry.balance.isEmpty());
    EXPECT_FALSE(entry.cleared);
    EXPECT_EQ(entry.kind(), EntryKind::None);
}

TEST_F(LedgerEntryTest, OnlyAnXInTheClearedCellMarksTheEntryCleared)
{
    p().ledger.setCell(TGrid::Cleared, 1, QStringLiteral("x"));
    EXPECT_FALSE(at(1).cleared);
    p().ledger.setCell(TGrid::Cleared, 1, QStringLiteral("X"));
    EXPECT_TRUE(at(1).cleared);
}

} // namespace
