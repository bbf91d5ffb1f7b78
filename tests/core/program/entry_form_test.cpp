#include "core/platform/data_file.h"
#include "core/program/entry_form.h"
#include "support/program_fixture.h"

#include <utility>

namespace {

// ---- Accepting a typed amount ---------------------------------------------

struct AmountCase
{
    const char* label;
    const char* typed;
    const char* shown; // the box after preparation
    bool acceptable;
};

class TypedEntryAmount : public testing::TestWithParam<AmountCase>
{};

TEST_P(TypedEntryAmount, IsPreparedThenTakenOrRefused)
{
    const AmountCase& c = GetParam();
    const TypedAmount amount = acceptEntryAmount(TccMath(), QString::fromLatin1(c.typed));
    EXPECT_EQ(amount.text, QString::fromLatin1(c.shown)) << c.label;
    EXPECT_EQ(amount.acceptable, c.acceptable) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, TypedEntryAmount,
    testing::Values(AmountCase{"whole units get cents", "25", "25.00", true},
                    AmountCase{"dollar sign and comma go", "$1,200", "1200.00", true},
                    AmountCase{"cents only", ".05", ".05", true},
                    AmountCase{"one decimal", "12.5", "12.5", false},
                    AmountCase{"three decimals", "12.345", "12.345", false},
                    AmountCase{"a minus stays and is refused", "-5", "-5.00", false},
                    AmountCase{"a blank inside", "1 2", "1 2.00", false},
                    AmountCase{"letters", "abc", "abc.00", false},
                    AmountCase{"empty stays empty", "", "", false},
                    AmountCase{"zero", "0", "0.00", false},
                    AmountCase{"zero dollars", "$0", "0.00", false},
                    AmountCase{"zero typed with cents", "0.00", "0.00", false},
                    // Regression: these are zero too, though their text is not "0.00".
                    AmountCase{"two zeros", "00", "00.00", false},
                    AmountCase{"zero with leading zeros", "000.00", "000.00", false},
                    AmountCase{"zero cents only", ".00", ".00", false},
                    // Regression: passes IsValidAmount but is no number at all.
                    AmountCase{"points only", "...", "...", false},
                    // Regression: IsValidAmount locates only the first point.
                    AmountCase{"two points", "1..2", "1..2", false},
                    AmountCase{"a point after the cents", "1.2.", "1.2.", false},
                    AmountCase{"thirteen digits", "9999999999999", "9999999999999.00", true},
                    AmountCase{"thirteen digits with cents and commas", "9,999,999,999,999.99",
                               "9999999999999.99", true},
                    AmountCase{"fourteen digits", "10000000000000", "10000000000000.00", false}));

// ---- The dialog's OK over a card open in the register ----------------------

constexpr EntryMode addMode = EntryMode::Add;
constexpr EntryMode insertMode = EntryMode::Insert;
constexpr EntryMode editMode = EntryMode::Edit;
constexpr EntryKind payment = EntryKind::Payment;
constexpr EntryKind charge = EntryKind::Charge;

// A card with limit 900.00 open in the register, with three charges:
// Books 10.00, Fuel 20.00 (cleared) and Food 30.00.
class EntryFormTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        clickCard(1);
        p().tc.OpenCard();
        addCharge(QStringLiteral("Books"), QStringLiteral("10.00"));
        addCharge(QStringLiteral("Fuel"), QStringLiteral("20.00"), true);
        addCharge(QStringLiteral("Food"), QStringLiteral("30.00"));
        ASSERT_TRUE(messages.shown().isEmpty());
    }

    // The register's button for `mode` with the ledger cursor on `row`.
    void openOn(EntryMode mode, int row = 0)
    {
        if (mode == addMode) {
            ASSERT_TRUE(registerWindow().bb3Click());
            return;
        }
        clickEntry(row);
        ASSERT_TRUE(mode == insertMode ? registerWindow().bb4Click() : registerWindow().bb6Click());
    }

    static EntryFields typed(EntryMode mode, EntryKind kind, const QString& amount,
                             const QString& description = QStringLiteral("New"),
                             bool cleared = false)
    {
        EntryFields fields;
        fields.mode = mode;
        fields.kind = kind;
        fields.entry.date = QDate(2026, 12, 5);
        fields.entry.description = description;
        (kind == charge ? fields.entry.charge : fields.entry.payment) = amount;
        fields.entry.cleared = cleared;
        return fields;
    }

    // OK as the dialog runs it: the check, then the posting when accepted.
    FormCheck ok(EntryFields& fields)
    {
        EntryForm form(p());
        const FormCheck check = form.check(fields);
        if (check.accepted())
            form.post(fields);
        return check;
    }

    // Date, description, charge, payment, cleared and balance of a row.
    QStringList row(int r)
    {
        QStringList cells;
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            cells << p().ledger.cell(column, r);
        return cells;
    }

    QStringList ledgerRows()
    {
        QStringList rows;
        for (int r = 1; r <= p().grid.entryCount() + 1; ++r)
            rows << row(r).join(u'|');
        return rows;
    }
};

TEST_F(EntryFormTest, AddPutsAPreparedChargeOnTheRowAfterTheLast)
{
    openOn(addMode);
    EntryFields fields = typed(addMode, charge, QStringLiteral("25"));

    EXPECT_TRUE(ok(fields).accepted());
    EXPECT_EQ(fields.entry.charge, QStringLiteral("25.00"));
    EXPECT_EQ(row(4), (QStringList{"12/5/26", "New", "25.00", "", "", "85.00"}));
    EXPECT_EQ(p().grid.entryCount(), 4);
    EXPECT_EQ(p().reg.E6, QStringLiteral("85.00"));
}

TEST_F(EntryFormTest, AddTakesAPaymentWithDollarsAndCommas)
{
    openOn(addMode);
    EntryFields fields =
        typed(addMode, payment, QStringLiteral("$1,200"), QStringLiteral("Pay"), true);

    EXPECT_TRUE(ok(fields).accepted());
    EXPECT_EQ(fields.entry.payment, QStringLiteral("1200.00"));
    EXPECT_EQ(row(4), (QStringList{"12/5/26", "Pay", "", "1200.00", "X", "-1140.00"}));
    EXPECT_EQ(p().reg.E8, QStringLiteral("-1180.00"));
}

struct Refusal
{
    const char* label;
    EntryMode mode;
    EntryKind kind;
    const char* typed;
    const char* message;
    const char* focus;
};

class RefusedEntry : public EntryFormTest, public testing::WithParamInterface<Refusal>
{};

TEST_P(RefusedEntry, ShowsItsMessageFocusesItsBoxAndChangesNothing)
{
    const Refusal& c = GetParam();
    openOn(c.mode, 2);
    const QStringList before = ledgerRows();
    const auto files = folderSnapshot();
    EntryFields fields = typed(c.mode, c.kind, QString::fromLatin1(c.typed));
    fields.originalKind = c.mode == editMode ? charge : EntryKind::None;

    const FormCheck check = ok(fields);

    EXPECT_EQ(check.message, QString::fromLatin1(c.message)) << c.label;
    EXPECT_EQ(check.focus, QString::fromLatin1(c.focus)) << c.label;
    EXPECT_EQ(ledgerRows(), before) << c.label;
    EXPECT_EQ(folderSnapshot(), files) << c.label;
    EXPECT_EQ(p().grid.entryCount(), 3) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, RefusedEntry,
    testing::Values(
        Refusal{"add, empty charge", addMode, charge, "", "Invalid entry for charge.", "E2"},
        Refusal{"add, charge of 0", addMode, charge, "0", "Invalid entry for charge.", "E2"},
        Refusal{"add, charge of $0", addMode, charge, "$0", "Invalid entry for charge.", "E2"},
        Refusal{"add, charge of 00", addMode, charge, "00", "Invalid entry for charge.", "E2"},
        Refusal{"add, charge of 000.00", addMode, charge, "000.00", "Invalid entry for charge.",
                "E2"},
        Refusal{"add, charge of 12.5", addMode, charge, "12.5", "Invalid entry for charge.", "E2"},
        Refusal{"add, payment of -5", addMode, payment, "-5", "Invalid entry for payment.", "E3"},
        Refusal{"add, fourteen-digit payment", addMode, payment, "12345678901234",
                "Invalid entry for payment.", "E3"},
        Refusal{"insert, empty payment", insertMode, payment, "", "Invalid entry for payment.",
                "E3"},
        Refusal{"insert, charge of 12.345", insertMode, charge, "12.345",
                "Invalid entry for charge.", "E2"},
        Refusal{"edit, charge of .00", editMode, charge, ".00", "Invalid entry for charge.", "E2"},
        Refusal{"edit, payment of 0", editMode, payment, "0", "Invalid entry for payment.", "E3"}));

TEST_F(EntryFormTest, ARefusedAmountStaysInTheBoxAsPrepared)
{
    openOn(addMode);
    EntryFields fields = typed(addMode, charge, QStringLiteral("$12.5"));
    ok(fields);
    EXPECT_EQ(fields.entry.charge, QStringLiteral("12.5"));
}

TEST_F(EntryFormTest, WithNoKindChosenAddAndInsertCloseWritingNothing)
{
    const auto files = folderSnapshot();
    for (const auto& [mode, label] : {std::pair{addMode, "add"}, std::pair{insertMode, "insert"}}) {
        openOn(mode, 2);
        const QStringList before = ledgerRows();
        EntryFields fields = typed(mode, EntryKind::None, QString());
        EXPECT_TRUE(ok(fields).accepted()) << label;
        EXPECT_EQ(ledgerRows(), before) << label;
    }
    EXPECT_EQ(folderSnapshot(), files);
}

TEST_F(EntryFormTest, InsertPutsTheEntryOnTheSelectedRowAndMovesTheRestDown)
{
    openOn(insertMode, 2);
    EntryFields fields = typed(insertMode, charge, QStringLiteral("5"));

    EXPECT_TRUE(ok(fields).accepted());
    EXPECT_EQ(row(1), (QStringList{"12/1/26", "Books", "10.00", "", "", "10.00"}));
    EXPECT_EQ(row(2), (QStringList{"12/5/26", "New", "5.00", "", "", "15.00"}));
    EXPECT_EQ(row(3), (QStringList{"12/1/26", "Fuel", "20.00", "", "X", "35.00"}));
    EXPECT_EQ(row(4), (QStringList{"12/1/26", "Food", "30.00", "", "", "65.00"}));
    EXPECT_EQ(p().grid.entryCount(), 4);
}

TEST_F(EntryFormTest, InsertWithARefusedAmountOpensNoGap)
{
    openOn(insertMode, 2);
    const QStringList before = ledgerRows();
    EntryFields fields = typed(insertMode, charge, QStringLiteral("12.5"));

    EXPECT_FALSE(ok(fields).accepted());
    EXPECT_EQ(ledgerRows(), before);
    EXPECT_EQ(row(2), (QStringList{"12/1/26", "Fuel", "20.00", "", "X", "30.00"}));
}

TEST_F(EntryFormTest, EditOfAMiddleEntryKeepsItsRow)
{
    openOn(editMode, 2);
    EntryFields fields = EntryForm(p()).fromSelectedRow();
    fields.entry.description = QStringLiteral("Fuel and oil");
    fields.entry.charge = QStringLiteral("25");

    EXPECT_TRUE(ok(fields).accepted());
    EXPECT_EQ(row(2), (QStringList{"12/1/26", "Fuel and oil", "25.00", "", "X", "35.00"}));
    EXPECT_EQ(row(3), (QStringList{"12/1/26", "Food", "30.00", "", "", "65.00"}));
    EXPECT_EQ(p().grid.entryCount(), 3);
    EXPECT_EQ(p().reg.E6, QStringLiteral("65.00"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("25.00"));
}

TEST_F(EntryFormTest, EditOfTheLastEntryWritesItBackIntoItsOwnRow)
{
    openOn(editMode, 3);
    EntryFields fields = EntryForm(p()).fromSelectedRow();
    fields.entry.charge = QStringLiteral("31.00");

    EXPECT_TRUE(ok(fields).accepted());
    EXPECT_EQ(row(3), (QStringList{"12/1/26", "Food", "31.00", "", "", "61.00"}));
    EXPECT_EQ(row(4), (QStringList{"", "", "", "", "", ""}));
    EXPECT_EQ(p().grid.entryCount(), 3);
    EXPECT_EQ(DataFile::readLines(QStringLiteral("126.dat")).value(0), QStringLiteral("3"));
}

TEST_F(EntryFormTest, EditOfAChargeIntoAPaymentUndoesTheChargeAndPostsThePayment)
{
    openOn(editMode, 1);
    EntryFields fields = EntryForm(p()).fromSelectedRow();
    fields.kind = payment;
    fields.entry.charge.clear();
    fields.entry.payment = QStringLiteral("10");

    EXPECT_TRUE(ok(fields).accepted());
    EXPECT_EQ(row(1), (QStringList{"12/1/26", "Books", "", "10.00", "", "-10.00"}));
    EXPECT_EQ(row(2), (QStringList{"12/1/26", "Fuel", "20.00", "", "X", "10.00"}));
    // Owed was 60.00: the charge of 10.00 undone and a payment of 10.00 made.
    EXPECT_EQ(p().reg.E6, QStringLiteral("40.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("40.00"));
    EXPECT_EQ(p().grid.entryCount(), 3);
}

TEST_F(EntryFormTest, EditWithARefusedAmountChangesNothing)
{
    openOn(editMode, 1);
    const QStringList before = ledgerRows();
    const auto files = folderSnapshot();
    EntryFields fields = EntryForm(p()).fromSelectedRow();
    fields.entry.charge = QStringLiteral("0");

    EXPECT_EQ(ok(fields).message, QStringLiteral("Invalid entry for charge."));
    EXPECT_EQ(ledgerRows(), before);
    EXPECT_EQ(folderSnapshot(), files);
    EXPECT_EQ(p().reg.E6, QStringLiteral("60.00"));
}

// ---- What the dialog shows when it opens on a row --------------------------

TEST_F(EntryFormTest, ARowOfAClearedChargeOpensAsThatCharge)
{
    openOn(editMode, 2);
    const EntryFields fields = EntryForm(p()).fromSelectedRow();

    EXPECT_EQ(fields.mode, editMode);
    EXPECT_EQ(fields.kind, charge);
    EXPECT_EQ(fields.originalKind, charge);
    EXPECT_EQ(fields.entry.date, QDate(2026, 12, 1));
    EXPECT_EQ(fields.entry.description, QStringLiteral("Fuel"));
    EXPECT_EQ(fields.entry.charge, QStringLiteral("20.00"));
    EXPECT_TRUE(fields.entry.payment.isEmpty());
    EXPECT_TRUE(fields.entry.cleared);
}

TEST_F(EntryFormTest, ARowOfAPaymentOpensAsThatPayment)
{
    addPayment(QStringLiteral("Thanks"), QStringLiteral("15.00"));
    openOn(editMode, 4);
    const EntryFields fields = EntryForm(p()).fromSelectedRow();

    EXPECT_EQ(fields.kind, payment);
    EXPECT_EQ(fields.originalKind, payment);
    EXPECT_EQ(fields.entry.payment, QStringLiteral("15.00"));
    EXPECT_TRUE(fields.entry.charge.isEmpty());
    EXPECT_FALSE(fields.entry.cleared);
}

TEST_F(EntryFormTest, OnlyAClearedCellOfExactlyXTicksTheBox)
{
    for (const char* mark : {"x", "X ", "XX", ""}) {
        p().ledger.setCell(TGrid::Cleared, 1, QString::fromLatin1(mark));
        openOn(editMode, 1);
        EXPECT_FALSE(EntryForm(p()).fromSelectedRow().entry.cleared) << mark;
    }
}

TEST_F(EntryFormTest, ADateCellThatIsNoDateOpensOnToday)
{
    p().ledger.setCell(TGrid::Date, 1, QStringLiteral("31/31/26"));
    openOn(editMode, 1);
    EXPECT_EQ(EntryForm(p()).fromSelectedRow().entry.date, QDate(2026, 12, 8));
}

} // namespace
