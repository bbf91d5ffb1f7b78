#include "core/platform/data_file.h"
#include "core/program/card_form.h"
#include "support/program_fixture.h"

namespace {

constexpr CardMode addMode = CardMode::Add;
constexpr CardMode editMode = CardMode::Edit;

// One card, "Visa" with limit 1000.00, already listed.
class CardFormTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("1000.00")));
        ASSERT_TRUE(messages.shown().isEmpty());
    }

    // OK as the dialog runs it: the checks, then the card sequence when accepted.
    FormCheck ok(CardMode mode, CardValues& values)
    {
        CardForm form(p());
        const FormCheck check = form.check(mode, values);
        if (check.accepted())
            form.post(mode, values);
        return check;
    }

    // The card dialog opened from "Edit Selected Card" on the first card.
    CardValues editFirstCard()
    {
        clickCard(1);
        EXPECT_TRUE(mainWindow().B4Click());
        return CardForm(p()).fromRegister();
    }
};

struct Refusal
{
    const char* label;
    const char* name;
    const char* limit;
    const char* opening;
    const char* message;
    const char* focus;
    const char* limitShown; // E5 after the check
};

class RefusedNewCard : public CardFormTest, public testing::WithParamInterface<Refusal>
{};

TEST_P(RefusedNewCard, ShowsTheFirstFailingCheckAndWritesNothing)
{
    const Refusal& c = GetParam();
    const auto files = folderSnapshot();
    CardValues card = sampleCard(QString::fromLatin1(c.name), QString::fromLatin1(c.limit),
                                 QString::fromLatin1(c.opening));

    const FormCheck check = ok(addMode, card);

    EXPECT_EQ(check.message, QString::fromLatin1(c.message)) << c.label;
    EXPECT_EQ(check.focus, QString::fromLatin1(c.focus)) << c.label;
    EXPECT_EQ(card.creditLimit, QString::fromLatin1(c.limitShown)) << c.label;
    EXPECT_EQ(folderSnapshot(), files) << c.label;
    EXPECT_EQ(p().cardList.cardCount(), 1) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusedNewCard,
    testing::Values(Refusal{"no name", "", "500", "", "Name required", "E1", "500"},
                    Refusal{"no name and no limit", "", "", "", "Name required", "E1", ""},
                    Refusal{"the name of a listed card", "Visa", "500", "",
                            "You already have a card by this name. Select another name. ", "E1",
                            "500"},
                    Refusal{"no credit limit", "Store", "", "", "Credit Limit required.", "E5", ""},
                    Refusal{"a limit with one decimal", "Store", "2500.5", "",
                            "Faulty entry for Credit Limit", "E5", "2500.5"},
                    Refusal{"a limit in words", "Store", "lots", "",
                            "Faulty entry for Credit Limit", "E5", "lots.00"},
                    Refusal{"a fourteen-digit limit", "Store", "10000000000000", "",
                            "Faulty entry for Credit Limit", "E5", "10000000000000.00"},
                    Refusal{"a balance with one decimal", "Store", "500", "12.5",
                            "Invalid entry for Balance Due", "E6", "500.00"},
                    Refusal{"a balance in words", "Store", "500", "none",
                            "Invalid entry for Balance Due", "E6", "500.00"},
                    // Regression: IsValidAmount locates only the first point.
                    Refusal{"a limit with two points", "Store", "1..2", "",
                            "Faulty entry for Credit Limit", "E5", "1..2"},
                    Refusal{"a balance with two points", "Store", "500", "1.2.",
                            "Invalid entry for Balance Due", "E6", "500.00"}));

TEST_F(CardFormTest, AnOpeningBalanceOfZeroTypedAsTwoZerosMakesNoOpeningRow)
{
    CardValues card = sampleCard(QStringLiteral("Store"), QStringLiteral("500"));
    card.openingBalance = QStringLiteral("00");
    ASSERT_TRUE(ok(addMode, card).accepted());
    EXPECT_EQ(bytesOf(QStringLiteral("226.dat")), QByteArray("0\r\n"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("2bb.dat")));
    EXPECT_EQ(p().reg.E6, QStringLiteral("0.00"));
}

TEST_F(CardFormTest, ANameThatDiffersOnlyInCaseIsANewName)
{
    CardValues card = sampleCard(QStringLiteral("VISA"), QStringLiteral("500"));
    EXPECT_TRUE(ok(addMode, card).accepted());
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 2), QStringLiteral("2. VISA"));
}

struct PreparedLimit
{
    const char* typed;
    const char* stored;
};

class NewCardLimit : public CardFormTest, public testing::WithParamInterface<PreparedLimit>
{};

TEST_P(NewCardLimit, IsStoredPrepared)
{
    CardValues card = sampleCard(QStringLiteral("Store"), QString::fromLatin1(GetParam().typed));
    EXPECT_TRUE(ok(addMode, card).accepted());
    EXPECT_EQ(card.creditLimit, QString::fromLatin1(GetParam().stored));
    EXPECT_EQ(p().sg1.cell(TCardList::Limit, 2), QString::fromLatin1(GetParam().stored));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("2info.dat")).value(6),
              QString::fromLatin1(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Limits, NewCardLimit,
                         testing::Values(PreparedLimit{"$2,500", "2500.00"},
                                         PreparedLimit{"-500", "500.00"},
                                         PreparedLimit{"0", "0.00"},
                                         PreparedLimit{"9999999999999", "9999999999999.00"}));

TEST_F(CardFormTest, ANewCardWithoutABalanceGetsNoOpeningRow)
{
    for (const char* opening : {"", "0"}) {
        const QString name = QStringLiteral("Store ") + QString::fromLatin1(opening);
        CardValues card = sampleCard(name, QStringLiteral("500"), QString::fromLatin1(opening));
        ASSERT_TRUE(ok(addMode, card).accepted()) << opening;
        EXPECT_EQ(card.openingBalance, QString::fromLatin1(opening));
        EXPECT_EQ(p().grid.entryCount(), 0) << opening;
        EXPECT_EQ(p().ledger.cell(TGrid::Description, 1), QString()) << opening;
    }
}

TEST_F(CardFormTest, ANewCardWithABalanceGetsAnOpeningRowDatedWithTheIntroExpiry)
{
    CardValues card =
        sampleCard(QStringLiteral("Store"), QStringLiteral("500"), QStringLiteral("$125.40"));
    card.introExpiry = QDate(2027, 3, 4);
    ASSERT_TRUE(ok(addMode, card).accepted());

    EXPECT_EQ(card.openingBalance, QStringLiteral("125.40"));
    EXPECT_EQ(bytesOf(QStringLiteral("226.dat")),
              QByteArray("1\r\n1 1 3/4/27\r\n2 1 Opening Bal\r\n3 1 125.40\r\n5 1 X\r\n"
                         "6 1 125.40\r\n"));
}

TEST_F(CardFormTest, EditingOpensWithTheRegistersParticulars)
{
    const CardValues card = editFirstCard();

    EXPECT_EQ(card.name, QStringLiteral("Visa"));
    EXPECT_EQ(card.rate, QStringLiteral("18.9"));
    EXPECT_EQ(card.introRate, QStringLiteral("0"));
    EXPECT_EQ(card.introExpiry, QDate(2027, 6, 30));
    EXPECT_EQ(card.cardExpiry, QDate(2027, 10, 31));
    EXPECT_EQ(card.dueDay, QStringLiteral("15"));
    EXPECT_EQ(card.creditLimit, QStringLiteral("1000.00"));
    EXPECT_FALSE(card.nameModified || card.rateModified || card.introRateModified ||
                 card.dueDayModified || card.creditLimitModified);
    EXPECT_FALSE(card.introExpiryChanged || card.cardExpiryChanged);
}

TEST_F(CardFormTest, EditingOpensOnTodayWhereTheRegisterHoldsNoDate)
{
    editFirstCard();
    p().reg.E3 = QStringLiteral("soon");
    p().reg.Edit1.clear();
    const CardValues card = CardForm(p()).fromRegister();
    EXPECT_EQ(card.introExpiry, QDate(2026, 12, 8));
    EXPECT_EQ(card.cardExpiry, QDate(2026, 12, 8));
}

TEST_F(CardFormTest, EditingKeepsTheCardsOwnName)
{
    CardValues card = editFirstCard();
    card.nameModified = true;
    EXPECT_TRUE(ok(editMode, card).accepted());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardFormTest, EditingRefusesAnotherCardsName)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Store"), QStringLiteral("500.00")));
    CardValues card = editFirstCard();
    const auto files = folderSnapshot();
    card.name = QStringLiteral("Store");
    card.nameModified = true;

    const FormCheck check = ok(editMode, card);
    EXPECT_EQ(check.message,
              QStringLiteral("You already have a card by this name. Select another name. "));
    EXPECT_EQ(check.focus, QStringLiteral("E1"));
    EXPECT_EQ(folderSnapshot(), files);
}

struct EditRefusal
{
    const char* label;
    const char* name;
    const char* limit;
    const char* message;
    const char* focus;
};

class RefusedEdit : public CardFormTest, public testing::WithParamInterface<EditRefusal>
{};

TEST_P(RefusedEdit, ShowsItsMessageAndWritesNothing)
{
    const EditRefusal& c = GetParam();
    CardValues card = editFirstCard();
    const auto files = folderSnapshot();
    card.name = QString::fromLatin1(c.name);
    card.nameModified = true;
    card.creditLimit = QString::fromLatin1(c.limit);
    card.creditLimitModified = true;

    const FormCheck check = ok(editMode, card);
    EXPECT_EQ(check.message, QString::fromLatin1(c.message)) << c.label;
    EXPECT_EQ(check.focus, QString::fromLatin1(c.focus)) << c.label;
    EXPECT_EQ(folderSnapshot(), files) << c.label;
    EXPECT_EQ(p().reg.E5, QStringLiteral("1000.00")) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusedEdit,
    testing::Values(EditRefusal{"no name", "", "1500", "Name required", "E1"},
                    EditRefusal{"no limit", "Visa", "", "Credit Limit required.", "E5"},
                    EditRefusal{"a limit with one decimal", "Visa", "1500.5",
                                "Invalid entry for Credit Limit", "E5"},
                    EditRefusal{"a fourteen-digit limit", "Visa", "10000000000000",
                                "Invalid entry for Credit Limit", "E5"}));

TEST_F(CardFormTest, AnUnchangedLimitIsNeitherCheckedNorPrepared)
{
    CardValues card = editFirstCard();
    card.creditLimit = QStringLiteral("1000.0");
    card.dueDay = QStringLiteral("20");
    card.dueDayModified = true;

    EXPECT_TRUE(ok(editMode, card).accepted());
    EXPECT_EQ(card.creditLimit, QStringLiteral("1000.0"));
    EXPECT_EQ(p().reg.E5, QStringLiteral("1000.00"));
}

TEST_F(CardFormTest, EditingTheLimitStoresItPrepared)
{
    CardValues card = editFirstCard();
    card.creditLimit = QStringLiteral("1500");
    card.creditLimitModified = true;

    EXPECT_TRUE(ok(editMode, card).accepted());
    EXPECT_EQ(card.creditLimit, QStringLiteral("1500.00"));
    EXPECT_EQ(p().reg.E5, QStringLiteral("1500.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Limit, 1), QStringLiteral("1500.00"));
    EXPECT_EQ(p().main.E1, QStringLiteral("1500.00"));
}

TEST_F(CardFormTest, EditingOnlyTheDueDayRewritesOnlyTheDueDay)
{
    CardValues card = editFirstCard();
    const QStringList info = DataFile::readLines(QStringLiteral("1info.dat"));
    card.name = QStringLiteral("Renamed");
    card.rate = QStringLiteral("9.9");
    card.introExpiry = QDate(2030, 1, 1);
    card.creditLimit = QStringLiteral("5");
    card.dueDay = QStringLiteral("28");
    card.dueDayModified = true;

    EXPECT_TRUE(ok(editMode, card).accepted());
    QStringList expected = info;
    expected[5] = QStringLiteral("28");
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1info.dat")), expected);
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 1), QStringLiteral("1. Visa"));
}

} // namespace
