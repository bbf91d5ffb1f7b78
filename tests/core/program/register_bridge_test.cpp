#include "core/platform/data_file.h"
#include "support/program_fixture.h"

#include <QDir>

#include <map>

namespace {

using CardSequences = ProgramTest;

TEST_F(CardSequences, ANewCardWithAnOpeningBalanceWritesAllItsFiles)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00"),
                              QStringLiteral("250.00")));

    const std::map<QString, QByteArray> expected{
        {QStringLiteral("summary.dat"), crlf({"900.00", "250.00", "650.00"})},
        {QStringLiteral("CardList.dat"),
         crlf({"1", "1", "0 1 1. Visa Gold", "1 1 10/31/27", "2 1 0", "3 1 18.9", "4 1 900.00",
               "5 1 250.00", "6 1 650.00", "7 1 6/30/27"})},
        {QStringLiteral("1info.dat"), crlf({"Visa Gold", "10/31/27", "18.9", "0", "6/30/27", "15",
                                            "900.00", "250.00", "650.00", "250.00"})},
        // Dated with the introductory rate's expiry, cleared, balance 250.00.
        {QStringLiteral("126.dat"),
         crlf({"1", "1 1 6/30/27", "2 1 Opening Bal", "3 1 250.00", "5 1 X", "6 1 250.00"})},
        {QStringLiteral("1bb.dat"), crlf({"0 27 T", "1 27 250.00"})},
        {QStringLiteral("1yl.dat"), crlf({"26"})}};
    EXPECT_EQ(folderSnapshot(), expected);
    EXPECT_EQ(p().cardList.selectedKey(), QStringLiteral("1"));
    EXPECT_EQ(p().sg1.currentRow(), 1);
    EXPECT_FALSE(p().reg.shown);
}

class NoOpeningBalance : public ProgramTest, public testing::WithParamInterface<const char*>
{};

TEST_P(NoOpeningBalance, GivesNoOpeningRowAndNoBalanceFile)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Store Card"), QStringLiteral("1500.00"),
                              QString::fromLatin1(GetParam())));

    const std::map<QString, QByteArray> expected{
        {QStringLiteral("summary.dat"), crlf({"1500.00", "0.00", "1500.00"})},
        {QStringLiteral("CardList.dat"),
         crlf({"1", "1", "0 1 1. Store Card", "1 1 10/31/27", "2 1 0", "3 1 18.9", "4 1 1500.00",
               "5 1 0.00", "6 1 1500.00", "7 1 6/30/27"})},
        {QStringLiteral("1info.dat"), crlf({"Store Card", "10/31/27", "18.9", "0", "6/30/27", "15",
                                            "1500.00", "0.00", "1500.00", "0.00"})},
        {QStringLiteral("126.dat"), crlf({"0"})},
        {QStringLiteral("1yl.dat"), crlf({"26"})}};
    EXPECT_EQ(folderSnapshot(), expected);
}

INSTANTIATE_TEST_SUITE_P(EmptyOrZero, NoOpeningBalance, testing::Values("", "0", "0.00"));

TEST_F(CardSequences, ANewCardDoesNotInheritTheOpeningBalancesOfTheCardOpenedBefore)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
    clickCard(1);
    p().tc.OpenCard();
    addCharge(QStringLiteral("Books"), QStringLiteral("40.00"));
    ASSERT_EQ(p().beginBalGrid.cell(1, 27), QStringLiteral("40.00"));

    p().tc.AddCard(
        sampleCard(QStringLiteral("Store"), QStringLiteral("500.00"), QStringLiteral("125.40")));
    EXPECT_EQ(bytesOf(QStringLiteral("226.dat")),
              crlf({"1", "1 1 6/30/27", "2 1 Opening Bal", "3 1 125.40", "5 1 X", "6 1 125.40"}));
    EXPECT_EQ(bytesOf(QStringLiteral("2bb.dat")), crlf({"0 27 T", "1 27 125.40"}));
}

// A card with limit 900.00 opened in the register, nothing posted yet.
class OpenCardTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00")));
        clickCard(1);
        p().tc.OpenCard();
        ASSERT_TRUE(p().reg.shown);
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    }

    QStringList cardRow(int row) const
    {
        QStringList cells;
        for (int column = 0; column < 8; ++column)
            cells << m_pConst().sg1.cell(column, row);
        return cells;
    }

    QStringList totals() { return {p().main.E1, p().main.E2, p().main.E3}; }
    QStringList header() { return {p().reg.E5, p().reg.E6, p().reg.E7, p().reg.E8}; }

private:
    const Pursewise& m_pConst() const { return const_cast<OpenCardTest*>(this)->p(); }
};

TEST_F(OpenCardTest, AClearedChargeReachesEveryTotalAndEveryFile)
{
    addCharge(QStringLiteral("Groceries"), QStringLiteral("100.00"), true);

    EXPECT_EQ(header(), (QStringList{"900.00", "100.00", "800.00", "100.00"}));
    EXPECT_EQ(totals(), (QStringList{"900.00", "100.00", "800.00"}));
    const std::map<QString, QByteArray> expected{
        {QStringLiteral("summary.dat"), crlf({"900.00", "100.00", "800.00"})},
        {QStringLiteral("CardList.dat"),
         crlf({"1", "1", "0 1 1. Visa Gold", "1 1 10/31/27", "2 1 0", "3 1 18.9", "4 1 900.00",
               "5 1 100.00", "6 1 800.00", "7 1 6/30/27"})},
        {QStringLiteral("1info.dat"), crlf({"Visa Gold", "10/31/27", "18.9", "0", "6/30/27", "15",
                                            "900.00", "100.00", "800.00", "100.00"})},
        {QStringLiteral("126.dat"),
         crlf({"1", "1 1 12/1/26", "2 1 Groceries", "3 1 100.00", "5 1 X", "6 1 100.00"})},
        {QStringLiteral("1bb.dat"), crlf({"0 27 T", "1 27 100.00"})},
        {QStringLiteral("1yl.dat"), crlf({"26"})}};
    EXPECT_EQ(folderSnapshot(), expected);
}

// Each save of an added entry is made to fail in turn by a folder standing in
// the file's place: the files saved before it are new, the ones after old.
class EntrySaveOrder : public OpenCardTest, public testing::WithParamInterface<int>
{};

TEST_P(EntrySaveOrder, SummaryListInfoLedgerBalancesYearList)
{
    const QStringList order{"summary.dat", "CardList.dat", "1info.dat",
                            "126.dat",     "1bb.dat",      "1yl.dat"};
    const int failing = GetParam();
    // Every file holds a marker that any save replaces.
    for (const QString& name : order)
        putBytes(name, "old\r\n");
    ASSERT_TRUE(QFile::remove(order[failing]));
    ASSERT_TRUE(QDir().mkdir(order[failing]));

    ASSERT_TRUE(registerWindow().bb3Click());
    EXPECT_THROW(p().tc.AddCharge(entry(QStringLiteral("Fuel"), QStringLiteral("30.00"), false)),
                 UserError);

    for (int i = 0; i < order.size(); ++i) {
        if (i != failing) {
            EXPECT_EQ(bytesOf(order[i]) != "old\r\n", i < failing) << order[i].toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachFile, EntrySaveOrder, testing::Range(0, 6));

TEST_F(OpenCardTest, APaymentLargerThanTheBalanceLeavesACredit)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("100.00"));
    addPayment(QStringLiteral("Payment"), QStringLiteral("120.00"));

    EXPECT_EQ(header(), (QStringList{"900.00", "-20.00", "900.00", "0.00"}));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("-20.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Available, 1), QStringLiteral("900.00"));
    // The credit is left out of the total owed, not subtracted from it.
    EXPECT_EQ(totals(), (QStringList{"900.00", "0.00", "900.00"}));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 2), QStringLiteral("-20.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")), crlf({"0 27 T", "1 27 -20.00"}));
    EXPECT_FALSE(p().reg.overdrawn);
}

TEST_F(OpenCardTest, EditingAChargeIntoAPaymentLowersTheBalanceByTwiceTheAmount)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("100.00"));
    addCharge(QStringLiteral("Gift"), QStringLiteral("25.00"));
    ASSERT_EQ(p().reg.E6, QStringLiteral("125.00"));

    // The entry dialog's edit: remove the old entry, reopen its row, add anew.
    clickEntry(1);
    ASSERT_TRUE(registerWindow().bb6Click());
    p().tc.DeleteCharge();
    ASSERT_LE(p().grid.selectedRow(), p().grid.entryCount());
    p().grid.OpenGapAtSelectedRow();
    p().tc.AddPayment(entry(QStringLiteral("Refund"), QStringLiteral("100.00"), false));

    EXPECT_EQ(p().reg.E6, QStringLiteral("-75.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")),
              crlf({"2", "1 1 12/1/26", "2 1 Refund", "4 1 100.00", "6 1 -100.00", "1 2 12/1/26",
                    "2 2 Gift", "3 2 25.00", "6 2 -75.00"}));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")), crlf({"0 27 T", "1 27 -75.00"}));
}

TEST_F(OpenCardTest, DeletingAClearedPaymentRaisesOwedAndReconciledAndCarriesForward)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("200.00"), true);
    addPayment(QStringLiteral("Payment"), QStringLiteral("50.00"), true);
    ASSERT_EQ(header(), (QStringList{"900.00", "150.00", "750.00", "150.00"}));

    clickEntry(2);
    registerWindow().bb5Click();

    EXPECT_EQ(header(), (QStringList{"900.00", "200.00", "700.00", "200.00"}));
    EXPECT_EQ(p().grid.entryCount(), 1);
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")),
              crlf({"1", "1 1 12/1/26", "2 1 Books", "3 1 200.00", "5 1 X", "6 1 200.00"}));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")), crlf({"0 27 T", "1 27 200.00"}));
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), crlf({"900.00", "200.00", "700.00"}));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("200.00"));
}

TEST_F(OpenCardTest, AChargeInAPastYearIsCarriedThroughNextYearAndRecomputedWhenShown)
{
    addCharge(QStringLiteral("Books"), QStringLiteral("10.00"));

    p().tc.SelectYear(QStringLiteral("24"));
    p().tc.ChangeYear();
    EXPECT_EQ(p().reg.EYr, QStringLiteral("24"));
    addCharge(QStringLiteral("Old debt"), QStringLiteral("50.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")),
              crlf({"0 25 T", "1 25 50.00", "0 26 T", "1 26 50.00", "0 27 T", "1 27 60.00"}));
    EXPECT_EQ(bytesOf(QStringLiteral("124.dat")),
              crlf({"1", "1 1 12/1/26", "2 1 Old debt", "3 1 50.00", "6 1 50.00"}));
    EXPECT_EQ(p().reg.E6, QStringLiteral("60.00"));

    p().tc.SelectYear(QStringLiteral("26"));
    p().tc.ChangeYear();
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("60.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")),
              crlf({"1", "1 1 12/1/26", "2 1 Books", "3 1 10.00", "6 1 60.00"}));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")),
              crlf({"0 25 T", "1 25 50.00", "0 26 F", "1 26 50.00", "0 27 T", "1 27 60.00"}));

    // Shown again, a fresh year is not recomputed or saved.
    const auto before = folderSnapshot();
    p().tc.SelectYear(QStringLiteral("26"));
    p().tc.ChangeYear();
    EXPECT_EQ(folderSnapshot(), before);
}

TEST_F(OpenCardTest, BalancesStayRightAcrossThreeYearsOfUse)
{
    // Used in 2024 (current year then), 2025 and 2026, a charge each year.
    p().main.CurrentYr = QStringLiteral("24");
    p().tc.SelectYear(QStringLiteral("24"));
    p().tc.ChangeYear();
    p().beginBal.TakeCurrentYear();
    addCharge(QStringLiteral("First"), QStringLiteral("100.00"));

    p().main.CurrentYr = QStringLiteral("25");
    p().tc.SelectYear(QStringLiteral("25"));
    p().tc.ChangeYear();
    p().beginBal.TakeCurrentYear();
    EXPECT_EQ(p().beginBal.openingBalance(25), QStringLiteral("100.00"));
    addCharge(QStringLiteral("Second"), QStringLiteral("20.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("120.00"));

    p().main.CurrentYr = QStringLiteral("26");
    p().tc.SelectYear(QStringLiteral("26"));
    p().tc.ChangeYear();
    p().beginBal.TakeCurrentYear();
    addCharge(QStringLiteral("Third"), QStringLiteral("3.00"));
    // The third year's ledger continues from the first two years' 120.00.
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("123.00"));
    EXPECT_EQ(p().reg.E6, QStringLiteral("123.00"));
    EXPECT_EQ(p().beginBal.openingBalance(27), QStringLiteral("123.00"));
}

TEST_F(CardSequences, DeletingACardRemovesEveryFileOfItsYears)
{
    for (const char* name : {"One", "Two", "Three"})
        p().tc.AddCard(sampleCard(QString::fromLatin1(name), QStringLiteral("100.00")));
    putBytes(QStringLiteral("3yl.dat"), "25\r\n26\r\n");
    putBytes(QStringLiteral("325.dat"), "0\r\n");
    putBytes(QStringLiteral("3bb.dat"), "0 26 F\r\n");
    putBytes(QStringLiteral("3rc.dat"), "11/30/26\r\n0.00\r\n");
    putBytes(QStringLiteral("2rc.dat"), "11/30/26\r\n0.00\r\n");
    QFile::remove(QStringLiteral("326.dat"));

    clickCard(3);
    mainWindow().B3Click();

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    for (const char* gone : {"325.dat", "326.dat", "3info.dat", "3bb.dat", "3yl.dat", "3rc.dat"})
        EXPECT_FALSE(QFile::exists(QString::fromLatin1(gone))) << gone;
    for (const char* kept : {"1info.dat", "126.dat", "2info.dat", "226.dat", "2yl.dat", "2rc.dat"})
        EXPECT_TRUE(QFile::exists(QString::fromLatin1(kept))) << kept;
    EXPECT_EQ(p().cardList.cardCount(), 2);
    EXPECT_TRUE(p().cardList.selectedKey().isEmpty());
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), crlf({"200.00", "0.00", "200.00"}));
}

TEST_F(CardSequences, KeysAreNeverReused)
{
    for (const char* name : {"One", "Two", "Three"})
        p().tc.AddCard(sampleCard(QString::fromLatin1(name), QStringLiteral("100.00")));
    clickCard(2);
    mainWindow().B3Click();
    p().tc.AddCard(sampleCard(QStringLiteral("Four"), QStringLiteral("100.00")));

    EXPECT_EQ(p().sg1.cell(TCardList::Name, 3), QStringLiteral("4. Four"));
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 2), QStringLiteral("3. Three"));
    const QStringList lines = DataFile::readLines(QStringLiteral("CardList.dat"));
    EXPECT_EQ(lines.mid(0, 2), (QStringList{"4", "3"}));

    restart();
    p().tc.AddCard(sampleCard(QStringLiteral("Five"), QStringLiteral("100.00")));
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 4), QStringLiteral("5. Five"));
}

TEST_F(CardSequences, ACardWithABalanceOrACreditIsNotDeleted)
{
    p().tc.AddCard(
        sampleCard(QStringLiteral("One"), QStringLiteral("100.00"), QStringLiteral("5")));
    p().tc.AddCard(sampleCard(QStringLiteral("Two"), QStringLiteral("100.00")));
    clickCard(2);
    p().tc.OpenCard();
    addPayment(QStringLiteral("Refund"), QStringLiteral("12.50"));
    const auto before = folderSnapshot();

    for (int row : {1, 2}) {
        messages.clear();
        clickCard(row);
        mainWindow().B3Click();
        EXPECT_EQ(messages.shown(),
                  QStringList{QStringLiteral(
                      "This card can not be deleted because it carries a balance. A payment must "
                      "first be entered to pay off the balance.")});
    }
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(p().cardList.cardCount(), 2);
}

TEST_F(OpenCardTest, LoweringTheLimitBelowTheBalanceLeavesNothingAvailableAndOverdraws)
{
    addCharge(QStringLiteral("Fuel"), QStringLiteral("500.00"));
    CardValues edit;
    edit.creditLimit = QStringLiteral("400.00");
    edit.creditLimitModified = true;
    p().tc.EditCard(edit);

    EXPECT_EQ(header(), (QStringList{"400.00", "500.00", "0.00", "0.00"}));
    EXPECT_TRUE(p().reg.overdrawn);
    EXPECT_EQ(p().sg1.cell(TCardList::Limit, 1), QStringLiteral("400.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Available, 1), QStringLiteral("0.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), crlf({"400.00", "500.00", "0.00"}));

    // Raised back to the balance exactly: not overdrawn.
    edit.creditLimit = QStringLiteral("500.00");
    p().tc.EditCard(edit);
    EXPECT_FALSE(p().reg.overdrawn);
    EXPECT_EQ(p().reg.E7, QStringLiteral("0.00"));
}

TEST_F(OpenCardTest, ALimitLoweredByAllButFortyCentsBecomesZero)
{
    CardValues edit;
    edit.creditLimit = QStringLiteral("400.40");
    edit.creditLimitModified = true;
    p().tc.EditCard(edit);
    ASSERT_EQ(p().reg.E5, QStringLiteral("400.40"));

    edit.creditLimit = QStringLiteral(".40");
    p().tc.EditCard(edit);
    EXPECT_EQ(p().reg.E5, QStringLiteral("0.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Limit, 1), QStringLiteral("0.00"));
}

TEST_F(OpenCardTest, EditingOnlyThePaymentDayKeepsTheListButRewritesIt)
{
    ASSERT_TRUE(QFile::remove(QStringLiteral("CardList.dat")));
    ASSERT_TRUE(QFile::remove(QStringLiteral("summary.dat")));
    CardValues edit;
    edit.dueDay = QStringLiteral("3");
    edit.dueDayModified = true;
    edit.name = QStringLiteral("ignored");
    edit.rate = QStringLiteral("ignored");
    p().tc.EditCard(edit);

    EXPECT_EQ(p().reg.E4, QStringLiteral("3"));
    EXPECT_EQ(p().reg.L7, QStringLiteral("Visa Gold"));
    EXPECT_EQ(p().reg.E1, QStringLiteral("18.9"));
    EXPECT_TRUE(QFile::exists(QStringLiteral("CardList.dat")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("summary.dat")));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1info.dat")).value(5), QStringLiteral("3"));
}

TEST_F(OpenCardTest, EditingEveryFieldUpdatesTheRegisterAndTheListRow)
{
    CardValues edit = sampleCard(QStringLiteral("Visa Platinum"), QStringLiteral("1500"));
    edit.creditLimit = QStringLiteral("1500.00");
    edit.cardExpiry = QDate(2029, 1, 31);
    edit.rate = QStringLiteral("21.5");
    edit.introRate = QStringLiteral("1.9");
    edit.introExpiry = QDate(2027, 3, 1);
    edit.dueDay = QStringLiteral("20");
    edit.nameModified = edit.cardExpiryChanged = edit.rateModified = edit.introRateModified =
        edit.introExpiryChanged = edit.dueDayModified = edit.creditLimitModified = true;
    p().tc.EditCard(edit);

    EXPECT_EQ(cardRow(1), (QStringList{"1. Visa Platinum", "1/31/29", "1.9", "21.5", "1500.00",
                                       "0.00", "1500.00", "3/1/27"}));
    EXPECT_EQ(bytesOf(QStringLiteral("1info.dat")),
              crlf({"Visa Platinum", "1/31/29", "21.5", "1.9", "3/1/27", "20", "1500.00", "0.00",
                    "1500.00", "0.00"}));
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), crlf({"1500.00", "0.00", "1500.00"}));
}

TEST_F(CardSequences, OpeningACardInANewYearAddsTheYearToItsList)
{
    p().tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("10")));
    Clock::fix(QDateTime(QDate(2027, 1, 2), QTime(9, 0)));
    restart();
    clickCard(1);
    p().tc.OpenCard();

    EXPECT_EQ(bytesOf(QStringLiteral("1yl.dat")), QByteArray("26\r\n27\r\n"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("27"));
    EXPECT_EQ(p().grid.entryCount(), 0);
    // Year 27 opened stale with the carried 10.00, so it was saved fresh.
    EXPECT_EQ(bytesOf(QStringLiteral("127.dat")), QByteArray("0\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")), crlf({"0 27 F", "1 27 10.00"}));

    restart();
    clickCard(1);
    p().tc.OpenCard();
    EXPECT_EQ(bytesOf(QStringLiteral("1yl.dat")), QByteArray("26\r\n27\r\n"));
}

// --- The turn of a century: year 99 is followed by year 00 ---

// A card used over the turn from year 99 to year 00 of a century, run with
// the clock on a day of each year in turn.
class CenturyTurn : public ProgramTest, public testing::WithParamInterface<int>
{
protected:
    // The program started on 8 December of year `twoDigits` of the century
    // (100 is year 00 of the next one).
    void startIn(int twoDigits)
    {
        Clock::fix(QDateTime(QDate(GetParam() + twoDigits, 12, 8), QTime(12, 0)));
        restart();
    }

    void openTheCard()
    {
        clickCard(1);
        p().tc.OpenCard();
        ASSERT_TRUE(p().reg.shown);
    }

    void showYear(const char* year)
    {
        p().tc.SelectYear(QString::fromLatin1(year));
        p().tc.ChangeYear();
    }

    QString balanceOfRow(int row) { return p().ledger.cell(TGrid::Balance, row); }
};

TEST_P(CenturyTurn, TheDebtOfYear99IsCarriedIntoYear00)
{
    startIn(99);
    p().tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("100.00")));
    openTheCard();
    addCharge(QStringLiteral("Books"), QStringLiteral("20.00"));
    ASSERT_EQ(p().reg.E6, QStringLiteral("120.00"));

    startIn(100);
    openTheCard();
    EXPECT_EQ(p().reg.EYr, QStringLiteral("00"));
    EXPECT_EQ(bytesOf(QStringLiteral("1yl.dat")), crlf({"99", "00"}));
    EXPECT_EQ(p().beginBal.openingBalance(0), QStringLiteral("120.00"));
    addCharge(QStringLiteral("Lamp"), QStringLiteral("5.00"));
    // Year 00 goes on from the 120.00 owed at the end of year 99.
    EXPECT_EQ(balanceOfRow(1), QStringLiteral("125.00"));
    EXPECT_EQ(p().reg.E6, QStringLiteral("125.00"));
    EXPECT_EQ(p().beginBal.openingBalance(1), QStringLiteral("125.00"));
}

TEST_P(CenturyTurn, AnEntryInYear99MadeInYear00StartsFrom99sOwnOpeningAndReaches00)
{
    startIn(98);
    p().tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("100.00")));
    startIn(99);
    openTheCard();
    addCharge(QStringLiteral("Books"), QStringLiteral("20.00"));
    startIn(100);
    openTheCard();
    addCharge(QStringLiteral("Lamp"), QStringLiteral("5.00"));
    ASSERT_EQ(p().reg.E6, QStringLiteral("125.00"));

    showYear("99");
    EXPECT_EQ(balanceOfRow(1), QStringLiteral("120.00"));
    addPayment(QStringLiteral("Late payment"), QStringLiteral("30.00"));
    // Year 99 opened at the 100.00 of year 98: 100 + 20 - 30.
    EXPECT_EQ(balanceOfRow(1), QStringLiteral("120.00"));
    EXPECT_EQ(balanceOfRow(2), QStringLiteral("90.00"));
    EXPECT_EQ(p().reg.E6, QStringLiteral("95.00"));
    EXPECT_EQ(p().beginBal.openingBalance(99), QStringLiteral("100.00"));

    // The payment reached year 00, which is recomputed when shown.
    showYear("00");
    EXPECT_EQ(balanceOfRow(1), QStringLiteral("95.00"));
    EXPECT_EQ(p().beginBal.openingBalance(1), QStringLiteral("95.00"));
    restart();
    openTheCard();
    EXPECT_EQ(balanceOfRow(1), QStringLiteral("95.00"));
}

TEST_P(CenturyTurn, AnEntryInYear98MadeInYear00ReachesEveryYearUpToNextYear)
{
    startIn(98);
    p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
    startIn(100);
    openTheCard();
    ASSERT_EQ(bytesOf(QStringLiteral("1yl.dat")), crlf({"98", "00"}));

    showYear("98");
    addCharge(QStringLiteral("Forgotten"), QStringLiteral("40.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")),
              crlf({"0 0 T", "1 0 40.00", "0 1 T", "1 1 40.00", "0 99 T", "1 99 40.00"}));
    showYear("00");
    EXPECT_EQ(p().beginBal.openingBalance(0), QStringLiteral("40.00"));
}

INSTANTIATE_TEST_SUITE_P(Centuries, CenturyTurn, testing::Values(1900, 2000),
                         [](const testing::TestParamInfo<int>& info) {
                             return "From" + std::to_string(info.param + 99) + "To" +
                                    std::to_string(info.param + 100);
                         });

TEST_F(CardSequences, StartingUpShowsTheSavedStateAndMarksExpiredRates)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
    CardValues expiring = sampleCard(QStringLiteral("Store"), QStringLiteral("300.00"));
    expiring.introExpiry = QDate(2026, 12, 8);
    p().tc.AddCard(expiring);
    const auto saved = folderSnapshot();

    restart();
    EXPECT_EQ(p().main.CurrentYr, QStringLiteral("26"));
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ((QStringList{p().main.E1, p().main.E2, p().main.E3}),
              (QStringList{"1200.00", "0.00", "1200.00"}));
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 1), QStringLiteral("0"));
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 2), QStringLiteral("Expired"));
    EXPECT_EQ(folderSnapshot(), saved);
}

} // namespace
