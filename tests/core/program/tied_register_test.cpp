#include "core/platform/data_file.h"
#include "support/program_fixture.h"

namespace {

// Two cards; the register is open on card 1 ("Visa") with one charge.
class TiedRegister : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        p().tc.AddCard(sampleCard(QStringLiteral("Store"), QStringLiteral("500.00")));
        clickCard(1);
        mainWindow().B1Click();
        ASSERT_TRUE(p().reg.shown);
        addCharge(QStringLiteral("Books"), QStringLiteral("40.00"));
        m_cardTwo = cardTwoFiles();
    }

    std::map<QString, QByteArray> cardTwoFiles() const
    {
        std::map<QString, QByteArray> files;
        for (const auto& [name, bytes] : folderSnapshot())
            if (name.startsWith(u'2'))
                files[name] = bytes;
        return files;
    }

    QStringList rowOf(int row)
    {
        QStringList cells;
        for (int column = 0; column < 8; ++column)
            cells << p().sg1.cell(column, row);
        return cells;
    }

    std::map<QString, QByteArray> m_cardTwo;
};

TEST_F(TiedRegister, PostingsAfterClickingAnotherRowStillWriteTheOpenCard)
{
    const QStringList storeRow = rowOf(2);
    clickCard(2);
    addCharge(QStringLiteral("Fuel"), QStringLiteral("60.00"), true);

    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("100.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Available, 1), QStringLiteral("800.00"));
    EXPECT_EQ(rowOf(2), storeRow);
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1info.dat")).mid(6),
              (QStringList{"900.00", "100.00", "800.00", "60.00"}));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("126.dat")).value(0), QStringLiteral("2"));
    EXPECT_EQ(cardTwoFiles(), m_cardTwo);
    // The main list keeps the row the user clicked.
    EXPECT_EQ(p().sg1.currentRow(), 2);
    EXPECT_EQ(p().cardList.selectedKey(), QStringLiteral("2"));
}

TEST_F(TiedRegister, DeleteAndToggleAfterClickingAnotherRowWriteTheOpenCard)
{
    addPayment(QStringLiteral("Payment"), QStringLiteral("10.00"));
    clickCard(2);

    clickEntry(1);
    registerWindow().bb7Click();
    EXPECT_EQ(p().reg.E8, QStringLiteral("40.00"));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1info.dat")).value(9), QStringLiteral("40.00"));

    clickEntry(2);
    registerWindow().bb5Click();
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("40.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 2), QStringLiteral("0.00"));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("126.dat")).value(0), QStringLiteral("1"));
    EXPECT_EQ(cardTwoFiles(), m_cardTwo);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(TiedRegister, AYearSwitchAfterClickingAnotherRowReadsAndWritesTheOpenCard)
{
    clickCard(2);
    p().tc.SelectYear(QStringLiteral("25"));
    p().tc.ChangeYear();
    addCharge(QStringLiteral("Old"), QStringLiteral("5.00"));

    EXPECT_TRUE(QFile::exists(QStringLiteral("125.dat")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("225.dat")));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("45.00"));
    EXPECT_EQ(cardTwoFiles(), m_cardTwo);
}

TEST_F(TiedRegister, PostingsFollowTheOpenCardWhenAnotherCardAboveItIsDeleted)
{
    // Card 3 is opened; card 1 above it is then deleted from the main list.
    p().tc.AddCard(sampleCard(QStringLiteral("Third"), QStringLiteral("300.00")));
    clickCard(1);
    mainWindow().B1Click();
    addPayment(QStringLiteral("Pay off"), QStringLiteral("40.00"));
    clickCard(3);
    mainWindow().B1Click();
    ASSERT_EQ(p().reg.cardKey, QStringLiteral("3"));
    clickCard(1);
    mainWindow().B3Click();
    ASSERT_EQ(p().cardList.cardCount(), 2);
    // Loading card 1 to delete it took the register away from card 3.
    EXPECT_FALSE(p().reg.shown);

    clickCard(2);
    mainWindow().B1Click();
    addCharge(QStringLiteral("Shoes"), QStringLiteral("70.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 2), QStringLiteral("3. Third"));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 2), QStringLiteral("70.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("0.00"));
}

TEST_F(TiedRegister, AddingACardClosesTheRegisterInsteadOfShowingTheNewCardUnderTheOldOne)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Third"), QStringLiteral("300.00")));
    EXPECT_FALSE(p().reg.shown);
    EXPECT_EQ(p().reg.cardKey, QStringLiteral("3"));
    EXPECT_EQ(p().reg.L7, QStringLiteral("Third"));
}

TEST_F(TiedRegister, DeletingTheCardTheRegisterShowsClosesIt)
{
    addPayment(QStringLiteral("Pay off"), QStringLiteral("40.00"));
    clickCard(1);
    mainWindow().B3Click();
    EXPECT_FALSE(p().reg.shown);
    EXPECT_FALSE(QFile::exists(QStringLiteral("1info.dat")));
    EXPECT_EQ(p().cardList.cardCount(), 1);
}

TEST_F(TiedRegister, ClosingTheRegisterClearsTheSelection)
{
    registerWindow().FormClose();
    EXPECT_FALSE(p().reg.shown);
    mainWindow().B1Click();
    EXPECT_EQ(messages.shown(),
              QStringList{QStringLiteral("A card must first be selected from the Card list.")});
    EXPECT_FALSE(p().reg.shown);
}

TEST_F(ProgramTest, ATwentyFifthCardIsRefusedBeforeAnythingChanges)
{
    for (int n = 1; n <= 24; ++n)
        p().tc.AddCard(sampleCard(QStringLiteral("Card %1").arg(n), QStringLiteral("100.00")));
    clickCard(5);
    mainWindow().B1Click();
    const auto files = folderSnapshot();
    const RegisterFields header = p().reg;

    try {
        p().tc.AddCard(sampleCard(QStringLiteral("One too many"), QStringLiteral("100.00"),
                                  QStringLiteral("50.00")));
        FAIL() << "a 25th card was added";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Grid index out of range");
    }
    EXPECT_EQ(p().cardList.lastKey(), 24);
    EXPECT_EQ(p().cardList.cardCount(), 24);
    EXPECT_EQ(p().cardList.selectedKey(), QStringLiteral("5"));
    EXPECT_EQ(p().reg.L7, header.L7);
    EXPECT_EQ(p().reg.E5, header.E5);
    EXPECT_TRUE(p().reg.shown);
    EXPECT_EQ(folderSnapshot(), files);
}

TEST_F(ProgramTest, ANewCardStartsInTheCurrentYearWhateverYearWasLastViewed)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
    clickCard(1);
    mainWindow().B1Click();
    p().tc.SelectYear(QStringLiteral("24"));
    p().tc.ChangeYear();

    p().tc.AddCard(
        sampleCard(QStringLiteral("Store"), QStringLiteral("500.00"), QStringLiteral("80")));
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_TRUE(QFile::exists(QStringLiteral("226.dat")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("224.dat")));
    // The opening balance is carried from this year into the next only.
    EXPECT_EQ(DataFile::readLines(QStringLiteral("2bb.dat")),
              (QStringList{"0 27 T", "1 27 80.00"}));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("2yl.dat")), QStringList{"26"});
}

TEST_F(ProgramTest, ADamagedCardListIsKeptAndNoKeyIsHandedOutTwice)
{
    const QByteArray damaged("2\r\n3\r\n0 1 1. Visa\r\n4 1 900.00\r\n5 1 0.00\r\n6 1 900.00\r\n"
                             "0 2 7. Store\r\nfive 2 500.00\r\n0 3 8. Lost\r\n");
    putBytes(QStringLiteral("CardList.dat"), damaged);
    messages.clear();
    restart();

    EXPECT_EQ(messages.shown(),
              (QStringList{QStringLiteral("'five' is not a valid integer value"),
                           QStringLiteral("CardList.dat could not be read completely; its original "
                                          "content was kept as CardList.dat.damaged.")}));
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), damaged);
    EXPECT_EQ(p().cardList.cardCount(), 2);
    EXPECT_EQ(p().main.CurrentYr, QStringLiteral("26"));

    p().tc.AddCard(sampleCard(QStringLiteral("New"), QStringLiteral("100.00")));
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 3), QStringLiteral("8. New"));
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), damaged);
}

TEST_F(ProgramTest, ALedgerLineOutsideTheTableStopsTheLoadAndLeavesTheRegisterClosed)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
    const QByteArray damaged("1\r\n1 1 12/1/26\r\n3 1 5.00\r\n6 1 5.00\r\n7 1 oops\r\n");
    putBytes(QStringLiteral("126.dat"), damaged);
    clickCard(1);
    guarded([&] { mainWindow().B1Click(); });

    EXPECT_EQ(messages.shown(),
              (QStringList{QStringLiteral("Line 5 of 126.dat lies outside the table."),
                           QStringLiteral("126.dat could not be read completely; its original "
                                          "content was kept as 126.dat.damaged.")}));
    EXPECT_FALSE(p().reg.shown);
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat.damaged")), damaged);
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), damaged);
}

} // namespace
