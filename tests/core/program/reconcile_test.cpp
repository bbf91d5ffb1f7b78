#include "core/platform/data_file.h"
#include "core/program/reconcile.h"
#include "support/statement_card.h"

#include <cerrno>

// Reconciling the open card against a statement: the uncleared entries of
// every year up to the closing date, the difference as entries are ticked,
// and Finish, which marks them "X" and keeps the statement, as one action.
namespace {

constexpr EntryKind Charge = EntryKind::Charge;
constexpr EntryKind Payment = EntryKind::Payment;

// In 2025 a charge "Hotel" of 40.00 and a cleared charge "Gift" of 15.00; in
// 2026 a charge "Books" of 100.00, a payment "Thanks" of 30.00 and, after
// the statement's closing day 11/30/26, a charge "Late" of 7.00. The
// register shows 2026; the reconciled balance is 15.00.
class ReconcileTest : public TwoYearCardTest
{
protected:
    void SetUp() override
    {
        TwoYearCardTest::SetUp();
        showYear("25");
        addDated(Charge, "Hotel", "40.00", QDate(2025, 12, 28));
        addDated(Charge, "Gift", "15.00", QDate(2025, 12, 29), true);
        showYear("26");
        addDated(Charge, "Books", "100.00", QDate(2026, 11, 20));
        addDated(Payment, "Thanks", "30.00", QDate(2026, 11, 25));
        addDated(Charge, "Late", "7.00", QDate(2026, 12, 5));
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
        ASSERT_EQ(p().reg.E8, QStringLiteral("15.00"));
    }

    Reconcile reconcile() { return Reconcile(p()); }

    static LastStatement statement(const char* balance)
    {
        return {QDate(2026, 11, 30), QString::fromLatin1(balance)};
    }

    std::vector<ReconcileLine> allTicked()
    {
        std::vector<ReconcileLine> lines = reconcile().uncleared(QDate(2026, 11, 30));
        for (ReconcileLine& line : lines)
            line.ticked = true;
        return lines;
    }
};

TEST_F(ReconcileTest, OffersTheUnclearedEntriesUpToTheClosingDayOldestYearFirst)
{
    const std::vector<ReconcileLine> lines = reconcile().uncleared(QDate(2026, 11, 30));

    ASSERT_EQ(lines.size(), 3u);
    const std::vector<std::tuple<QString, int, QString, QDate, std::int64_t>> expected{
        {"25", 1, "Hotel", QDate(2025, 12, 28), 4000},
        {"26", 1, "Books", QDate(2026, 11, 20), 10000},
        {"26", 2, "Thanks", QDate(2026, 11, 25), -3000}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].yearText, std::get<0>(expected[i])) << i;
        EXPECT_EQ(lines[i].row, std::get<1>(expected[i])) << i;
        EXPECT_EQ(lines[i].entry.description, std::get<2>(expected[i])) << i;
        EXPECT_EQ(lines[i].date, std::get<3>(expected[i])) << i;
        EXPECT_EQ(lines[i].effect, std::get<4>(expected[i])) << i;
        EXPECT_FALSE(lines[i].ticked) << i;
    }
    // The register still shows 2026 as it did.
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ(p().grid.entryCount(), 3);
}

TEST_F(ReconcileTest, TheClosingDayItselfCounts)
{
    EXPECT_EQ(reconcile().uncleared(QDate(2026, 11, 20)).size(), 2u);
    EXPECT_EQ(reconcile().uncleared(QDate(2026, 11, 19)).size(), 1u);
    EXPECT_EQ(reconcile().uncleared(QDate(2025, 12, 27)).size(), 0u);
}

struct DifferenceCase
{
    const char* label;
    std::vector<bool> ticked;
    std::int64_t statementCents;
    std::int64_t difference;
};

void PrintTo(const DifferenceCase& c, std::ostream* os)
{
    *os << c.label;
}

class ReconcileDifference : public ReconcileTest, public testing::WithParamInterface<DifferenceCase>
{};

TEST_P(ReconcileDifference, IsTheStatementLessTheReconciledBalanceAndTheTickedEntries)
{
    const DifferenceCase& c = GetParam();
    std::vector<ReconcileLine> lines = reconcile().uncleared(QDate(2026, 11, 30));
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i].ticked = c.ticked[i];
    EXPECT_EQ(reconcile().difference(c.statementCents, lines), c.difference);
}

INSTANTIATE_TEST_SUITE_P(
    TickedEntries, ReconcileDifference,
    testing::Values(DifferenceCase{"NoneTicked", {false, false, false}, 12500, 11000},
                    DifferenceCase{"AllTickedBalances", {true, true, true}, 12500, 0},
                    DifferenceCase{"APaymentLowersTheBalance", {false, false, true}, 0, 1500},
                    DifferenceCase{"StatementBelow", {true, true, true}, 12000, -500}),
    [](const testing::TestParamInfo<DifferenceCase>& info) { return info.param.label; });

TEST_F(ReconcileTest, FinishMarksTheEntriesOfEveryYearAndKeepsTheStatement)
{
    const auto before = folderSnapshot();

    reconcile().finish(statement("125.00"), allTicked());

    auto expected = before;
    expected[QStringLiteral("125.dat")] =
        crlf({"2", "1 1 12/28/25", "2 1 Hotel", "3 1 40.00", "5 1 X", "6 1 40.00", "1 2 12/29/25",
              "2 2 Gift", "3 2 15.00", "5 2 X", "6 2 55.00"});
    expected[QStringLiteral("126.dat")] =
        crlf({"3", "1 1 11/20/26", "2 1 Books", "3 1 100.00", "5 1 X", "6 1 155.00", "1 2 11/25/26",
              "2 2 Thanks", "4 2 30.00", "5 2 X", "6 2 125.00", "1 3 12/5/26", "2 3 Late",
              "3 3 7.00", "6 3 132.00"});
    expected[QStringLiteral("1info.dat")] = crlf(
        {"Visa", "10/31/27", "18.9", "0", "6/30/27", "15", "900.00", "132.00", "768.00", "125.00"});
    expected[QStringLiteral("1rc.dat")] = crlf({"11/30/26", "125.00"});
    EXPECT_EQ(folderSnapshot(), expected);

    EXPECT_EQ(p().reg.E8, QStringLiteral("125.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 1), QStringLiteral("X"));
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 2), QStringLiteral("X"));
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 3), QString());
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_TRUE(reconcile().uncleared(QDate(2026, 11, 30)).empty());
}

TEST_F(ReconcileTest, FinishWithOnlySomeEntriesTickedMarksOnlyThose)
{
    std::vector<ReconcileLine> lines = reconcile().uncleared(QDate(2026, 11, 30));
    lines[0].ticked = true; // Hotel, 2025: 15.00 + 40.00

    reconcile().finish(statement("55.00"), lines);

    EXPECT_EQ(p().reg.E8, QStringLiteral("55.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Cleared, 1), QString());
    EXPECT_EQ(DataFile::readLines(QStringLiteral("125.dat")).mid(3, 2),
              (QStringList{"3 1 40.00", "5 1 X"}));
    EXPECT_EQ(bytesOf(QStringLiteral("1rc.dat")), crlf({"11/30/26", "55.00"}));
}

struct UnbalancedCase
{
    const char* label;
    const char* balance;
    const char* message;
};

void PrintTo(const UnbalancedCase& c, std::ostream* os)
{
    *os << c.label;
}

class ReconcileUnbalanced : public ReconcileTest, public testing::WithParamInterface<UnbalancedCase>
{};

TEST_P(ReconcileUnbalanced, IsRefusedWithTheDifferenceAndChangesNothing)
{
    const UnbalancedCase& c = GetParam();
    const auto before = folderSnapshot();
    const QStringList shown = shownState();

    guarded([&] { reconcile().finish(statement(c.balance), allTicked()); });

    EXPECT_EQ(messages.shown(), QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(shownState(), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, ReconcileUnbalanced,
    testing::Values(UnbalancedCase{"Above", "137.34",
                                   "The statement does not balance: the difference is 12.34."},
                    UnbalancedCase{"Below", "120.00",
                                   "The statement does not balance: the difference is -5.00."},
                    UnbalancedCase{"ByACent", "125.01",
                                   "The statement does not balance: the difference is .01."}),
    [](const testing::TestParamInfo<UnbalancedCase>& info) { return info.param.label; });

TEST_F(ReconcileTest, AnEntryChangedSinceTheListingIsNotMarked)
{
    std::vector<ReconcileLine> lines = allTicked();
    // The user marks Books in the register meanwhile: the reconciled
    // balance is 115.00 now, and the lines still count Books.
    clickEntry(1);
    registerWindow().bb7Click();
    const auto before = folderSnapshot();
    const QStringList shown = shownState();

    guarded([&] { reconcile().finish(statement("225.00"), lines); });

    EXPECT_EQ(messages.shown(),
              QStringList{"Entry 1 of year 26 changed since the statement was opened; open it "
                          "again."});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(shownState(), shown);
}

// --- The last statement file -------------------------------------------------

TEST_F(ReconcileTest, ACardWithoutAStatementFileHasNoLastStatement)
{
    const LastStatement last = reconcile().lastStatement();
    EXPECT_FALSE(last.date.isValid());
    EXPECT_TRUE(last.balance.isEmpty());
}

TEST_F(ReconcileTest, TheLastStatementIsReadBackAfterARestart)
{
    reconcile().finish(statement("125.00"), allTicked());
    restart();
    clickCard(1);
    mainWindow().B1Click();

    const LastStatement last = reconcile().lastStatement();
    EXPECT_EQ(last.date, QDate(2026, 11, 30));
    EXPECT_EQ(last.balance, QStringLiteral("125.00"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("125.00"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
}

struct DamagedCase
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

void PrintTo(const DamagedCase& c, std::ostream* os)
{
    *os << c.label;
}

class DamagedStatementFile : public ReconcileTest, public testing::WithParamInterface<DamagedCase>
{};

TEST_P(DamagedStatementFile, IsReportedAndKeptAsItWas)
{
    const DamagedCase& c = GetParam();
    putBytes(QStringLiteral("1rc.dat"), c.bytes);

    guarded([&] { reconcile().lastStatement(); });

    EXPECT_EQ(messages.shown(),
              (QStringList{QString::fromLatin1(c.message),
                           "1rc.dat could not be read completely; its original content was kept "
                           "as 1rc.dat.damaged."}));
    EXPECT_EQ(bytesOf(QStringLiteral("1rc.dat")), c.bytes);
    EXPECT_EQ(bytesOf(QStringLiteral("1rc.dat.damaged")), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedStatementFile,
    testing::Values(
        DamagedCase{"NoDate", crlf({"11/31/26", "125.00"}),
                    "'11/31/26' is not a valid date and time (line 1 of 1rc.dat)"},
        DamagedCase{"NoAmount", crlf({"11/30/26", "12x.50"}),
                    "'12x.50' is not a valid floating point value (line 2 of 1rc.dat)"},
        DamagedCase{"NoBalanceLine", crlf({"11/30/26"}),
                    "'' is not a valid floating point value (line 2 of 1rc.dat)"},
        DamagedCase{"ALineTooMany", crlf({"11/30/26", "125.00", "7.00"}),
                    "1rc.dat holds 3 lines, where a statement has 2: its date and its balance."},
        DamagedCase{"NulByte", QByteArray("11/30/26\r\n12\0.00\r\n", 18),
                    "Line 2 of 1rc.dat holds a NUL byte."}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return info.param.label; });

// --- A failed save -------------------------------------------------------------

class ReconcileFailedSave : public ReconcileTest, public testing::WithParamInterface<const char*>
{
protected:
    void TearDown() override
    {
        DataFile::failNextWrite(QString::fromLatin1(GetParam()), 0);
        ReconcileTest::TearDown();
    }
};

TEST_P(ReconcileFailedSave, LeavesEveryFileAndWhatTheProgramShowsAsTheyWere)
{
    const QString failing = QString::fromLatin1(GetParam());
    const std::vector<ReconcileLine> lines = allTicked();
    const auto before = folderSnapshot();
    const QStringList shown = shownState();

    DataFile::failNextWrite(failing, ENOSPC);
    guarded([&] { reconcile().finish(statement("125.00"), lines); });

    EXPECT_EQ(
        messages.shown(),
        QStringList{QStringLiteral("Could not save \"%1\": No space left on device").arg(failing)});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(shownState(), shown);

    messages.clear();
    guarded([&] { reconcile().finish(statement("125.00"), lines); });
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(p().reg.E8, QStringLiteral("125.00"));
}

INSTANTIATE_TEST_SUITE_P(EverySave, ReconcileFailedSave,
                         testing::Values("125.dat", "126.dat", "1info.dat", "1rc.dat"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             QString name = QString::fromLatin1(info.param);
                             return name.replace(u'.', u'_').toStdString();
                         });

} // namespace
