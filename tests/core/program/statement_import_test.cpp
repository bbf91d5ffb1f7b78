#include "core/platform/data_file.h"
#include "core/program/statement_import.h"
#include "support/statement_card.h"

#include <cerrno>

// The import of a statement into the open card: the preview's sorting of the
// entries, and the posting of the ticked ones into the ledger of each one's
// year as one action, with the files it leaves byte for byte.
namespace {

constexpr EntryKind Charge = EntryKind::Charge;
constexpr EntryKind Payment = EntryKind::Payment;

class StatementImportTest : public TwoYearCardTest
{
protected:
    StatementImport import() { return StatementImport(p()); }
};

// --- Preview ---------------------------------------------------------------

struct PreviewCase
{
    const char* label;
    StatementEntry entry;
    ImportStatus status;
    const char* yearText;
    const char* note;
};

void PrintTo(const PreviewCase& c, std::ostream* os)
{
    *os << c.label;
}

StatementEntry withProblem(const char* problem)
{
    StatementEntry entry;
    entry.line = 7;
    entry.problem = QString::fromLatin1(problem);
    return entry;
}

class ImportPreview : public StatementImportTest, public testing::WithParamInterface<PreviewCase>
{};

// Year 26 holds a charge "Corner  Shop" of 12.50 on 12/1/26 and year 25 a
// payment "Thanks" of 20.00 on 12/29/25, the register back on 26.
TEST_P(ImportPreview, SortsAnEntryByWhatTheLedgersHold)
{
    const PreviewCase& c = GetParam();
    addDated(Charge, "Corner  Shop", "12.50", QDate(2026, 12, 1));
    showYear("25");
    addDated(Payment, "Thanks", "20.00", QDate(2025, 12, 29));
    showYear("26");
    const auto before = folderSnapshot();

    const std::vector<ImportLine> lines = import().preview(statementOf({c.entry}));

    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].status, c.status);
    EXPECT_EQ(lines[0].yearText, QString::fromLatin1(c.yearText));
    EXPECT_EQ(lines[0].note, QString::fromLatin1(c.note));
    EXPECT_EQ(lines[0].ticked, c.status == ImportStatus::Ready);
    EXPECT_EQ(lines[0].canTick(),
              c.status == ImportStatus::Ready || c.status == ImportStatus::Duplicate);
    EXPECT_EQ(lines[0].entry.line, c.entry.line);
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ(p().grid.entryCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfEntry, ImportPreview,
    testing::Values(
        PreviewCase{"NewCharge", statementEntry({2026, 12, 2}, Charge, "Books", 300),
                    ImportStatus::Ready, "26", ""},
        PreviewCase{"NewEntryOfTheYearNotOnView",
                    statementEntry({2025, 12, 30}, Charge, "Hotel", 4000), ImportStatus::Ready,
                    "25", ""},
        PreviewCase{"SameEntry", statementEntry({2026, 12, 1}, Charge, "Corner  Shop", 1250),
                    ImportStatus::Duplicate, "26", "already in the ledger"},
        PreviewCase{"SameEntryOtherCaseAndBlanks",
                    statementEntry({2026, 12, 1}, Charge, "CORNER shop", 1250),
                    ImportStatus::Duplicate, "26", "already in the ledger"},
        PreviewCase{"SameEntryInTheYearNotOnView",
                    statementEntry({2025, 12, 29}, Payment, "thanks", 2000),
                    ImportStatus::Duplicate, "25", "already in the ledger"},
        PreviewCase{"OtherKind", statementEntry({2026, 12, 1}, Payment, "Corner Shop", 1250),
                    ImportStatus::Ready, "26", ""},
        PreviewCase{"OtherAmount", statementEntry({2026, 12, 1}, Charge, "Corner Shop", 1251),
                    ImportStatus::Ready, "26", ""},
        PreviewCase{"OtherDay", statementEntry({2026, 12, 2}, Charge, "Corner Shop", 1250),
                    ImportStatus::Ready, "26", ""},
        PreviewCase{"OtherDescription", statementEntry({2026, 12, 1}, Charge, "Corner", 1250),
                    ImportStatus::Ready, "26", ""},
        PreviewCase{"YearNotInTheList", statementEntry({2019, 5, 1}, Charge, "Old", 100),
                    ImportStatus::NoLedgerYear, "19", "no ledger for 2019"},
        PreviewCase{"NextYear", statementEntry({2027, 1, 2}, Charge, "Early", 100),
                    ImportStatus::NoLedgerYear, "27", "no ledger for 2027"},
        PreviewCase{"ACenturyBack", statementEntry({1926, 3, 1}, Charge, "Grandpa", 100),
                    ImportStatus::NoLedgerYear, "26", "no ledger for 1926"},
        PreviewCase{"DateNotRead", withProblem("'31/31/26' is not a date"), ImportStatus::NotUsable,
                    "", "'31/31/26' is not a date"}),
    [](const testing::TestParamInfo<PreviewCase>& info) { return info.param.label; });

TEST_F(StatementImportTest, DuplicatesAreMatchedOneLedgerEntryEach)
{
    addDated(Charge, "Fuel", "30.00", QDate(2026, 11, 3));
    addDated(Charge, "Fuel", "30.00", QDate(2026, 11, 3));
    const StatementEntry fuel = statementEntry({2026, 11, 3}, Charge, "Fuel", 3000);
    const StatementEntry coffee = statementEntry({2026, 11, 4}, Charge, "Coffee", 250);

    const std::vector<ImportLine> lines =
        import().preview(statementOf({fuel, coffee, coffee, fuel, fuel}));

    std::vector<ImportStatus> statuses;
    for (const ImportLine& line : lines)
        statuses.push_back(line.status);
    EXPECT_EQ(statuses, (std::vector<ImportStatus>{ImportStatus::Duplicate, ImportStatus::Ready,
                                                   ImportStatus::Ready, ImportStatus::Duplicate,
                                                   ImportStatus::Ready}));
}

// Year 26 with 998 entries, written as the program writes them.
void fillYear26(int entries)
{
    QStringList lines{QString::number(entries)};
    for (int row = 1; row <= entries; ++row) {
        const QString r = QString::number(row);
        lines << QStringLiteral("1 %1 1/5/26").arg(r) << QStringLiteral("2 %1 Old").arg(r)
              << QStringLiteral("3 %1 1.00").arg(r) << QStringLiteral("6 %1 %2.00").arg(r).arg(row);
    }
    DataFile::writeLines(QStringLiteral("126.dat"), lines);
}

TEST_F(StatementImportTest, AYearTakesNewEntriesEarliestFirstUpToItsThousandRows)
{
    fillYear26(998);
    restart();
    clickCard(1);
    mainWindow().B1Click();
    ASSERT_EQ(p().grid.entryCount(), 998);

    const std::vector<ImportLine> lines = import().preview(statementOf({
        statementEntry({2026, 12, 3}, Charge, "Third", 100),
        statementEntry({2026, 1, 5}, Charge, "Old", 100), // already there: takes no row
        statementEntry({2026, 12, 1}, Charge, "First", 100),
        statementEntry({2026, 12, 4}, Charge, "Fourth", 100),
        statementEntry({2026, 12, 2}, Charge, "Second", 100),
        statementEntry({2025, 12, 2}, Charge, "Other year", 100),
    }));

    const std::vector<std::pair<ImportStatus, QString>> expected{
        {ImportStatus::YearFull, "year 26 is full"},
        {ImportStatus::Duplicate, "already in the ledger"},
        {ImportStatus::Ready, ""},
        {ImportStatus::YearFull, "year 26 is full"},
        {ImportStatus::Ready, ""},
        {ImportStatus::Ready, ""}};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].status, expected[i].first) << i;
        EXPECT_EQ(lines[i].note, expected[i].second) << i;
        EXPECT_EQ(lines[i].canTick(), expected[i].first != ImportStatus::YearFull) << i;
    }
}

// --- Posting ---------------------------------------------------------------

TEST_F(StatementImportTest, PostsIntoTwoYearsAcrossAYearEndAndCarriesIntoTheLaterYears)
{
    std::vector<ImportLine> lines = import().preview(statementOf({
        statementEntry({2026, 1, 2}, Charge, "Coffee", 550, 1),
        statementEntry({2025, 12, 30}, Payment, "Refund", 1000, 5),
        statementEntry({2025, 12, 28}, Charge, "Hotel", 4000, 9),
    }));

    EXPECT_EQ(import().post(lines, true), 3);

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    const std::map<QString, QByteArray> expected{
        {QStringLiteral("summary.dat"), crlf({"900.00", "35.50", "864.50"})},
        {QStringLiteral("CardList.dat"),
         crlf({"1", "1", "0 1 1. Visa", "1 1 10/31/27", "2 1 0", "3 1 18.9", "4 1 900.00",
               "5 1 35.50", "6 1 864.50", "7 1 6/30/27"})},
        {QStringLiteral("1info.dat"), crlf({"Visa", "10/31/27", "18.9", "0", "6/30/27", "15",
                                            "900.00", "35.50", "864.50", "35.50"})},
        // In date order, whatever the statement's order.
        {QStringLiteral("125.dat"),
         crlf({"2", "1 1 12/28/25", "2 1 Hotel", "3 1 40.00", "5 1 X", "6 1 40.00", "1 2 12/30/25",
               "2 2 Refund", "4 2 10.00", "5 2 X", "6 2 30.00"})},
        // 2026 opens at what 2025 left, 30.00.
        {QStringLiteral("126.dat"),
         crlf({"1", "1 1 1/2/26", "2 1 Coffee", "3 1 5.50", "5 1 X", "6 1 35.50"})},
        // 2026 was brought up to date when it was shown again; 2027 waits.
        {QStringLiteral("1bb.dat"), crlf({"0 26 F", "1 26 30.00", "0 27 T", "1 27 35.50"})},
        {QStringLiteral("1yl.dat"), crlf({"25", "26"})}};
    EXPECT_EQ(folderSnapshot(), expected);

    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("26"));
    EXPECT_EQ(p().grid.entryCount(), 1);
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("35.50"));
    EXPECT_EQ(p().beginBal.selectedYear(), 26);
    EXPECT_TRUE(p().reg.shown);
}

TEST_F(StatementImportTest, LeavesTheRegisterOnTheYearItShowed)
{
    showYear("25");
    addDated(Charge, "Shoes", "60.00", QDate(2025, 12, 21));
    p().ledger.setCurrentRow(1);
    std::vector<ImportLine> lines = import().preview(statementOf({
        statementEntry({2026, 3, 1}, Charge, "Spring", 1000),
        statementEntry({2025, 12, 22}, Payment, "Return", 2500),
    }));

    EXPECT_EQ(import().post(lines, false), 2);

    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("25"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("25"));
    EXPECT_EQ(p().grid.entryCount(), 2);
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 2), QStringLiteral("Return"));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 2), QStringLiteral("35.00"));
    EXPECT_EQ(p().ledger.currentRow(), 1);
    EXPECT_EQ(p().reg.E6, QStringLiteral("45.00"));
    // 2026 is stale no more only once it is shown; it opens at 35.00.
    EXPECT_EQ(bytesOf(QStringLiteral("1bb.dat")),
              crlf({"0 26 F", "1 26 35.00", "0 27 T", "1 27 45.00"}));
    showYear("26");
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1), QStringLiteral("45.00"));
}

TEST_F(StatementImportTest, PostsOnlyTheTickedLinesThatCanBeTicked)
{
    addDated(Charge, "Fuel", "30.00", QDate(2026, 11, 3));
    std::vector<ImportLine> lines = import().preview(statementOf({
        statementEntry({2026, 11, 3}, Charge, "Fuel", 3000),
        statementEntry({2026, 11, 4}, Charge, "Coffee", 250),
        statementEntry({2026, 11, 5}, Charge, "Tea", 150),
        statementEntry({2019, 1, 1}, Charge, "Old", 100),
    }));
    lines[0].ticked = true;  // the user wants the duplicate after all
    lines[2].ticked = false; // and not the tea
    lines[3].ticked = true;  // cannot be ticked: left out

    EXPECT_EQ(import().post(lines, false), 2);

    EXPECT_EQ(p().grid.entryCount(), 3);
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 2), QStringLiteral("Fuel"));
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 3), QStringLiteral("Coffee"));
    EXPECT_EQ(p().reg.E6, QStringLiteral("62.50"));
}

TEST_F(StatementImportTest, ALineWhoseYearHasNoLedgerIsLeftOutHoweverItWasMade)
{
    ImportLine line;
    line.entry = statementEntry({2019, 5, 1}, Charge, "Old", 100);
    line.yearText = QStringLiteral("19");
    line.ticked = true;
    const auto before = folderSnapshot();

    EXPECT_EQ(import().post({line}, false), 0);

    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_FALSE(QFile::exists(QStringLiteral("119.dat")));
}

TEST_F(StatementImportTest, ADescriptionOverSeveralLinesIsEnteredOnOne)
{
    std::vector<ImportLine> lines = import().preview(
        statementOf({statementEntry({2026, 11, 4}, Charge, "Two\r\nlines\tand\0a NUL", 250)}));
    lines[0].entry.description =
        QStringLiteral("Two\r\nlines\tand") + QChar(0) + QStringLiteral("a NUL");

    EXPECT_EQ(import().post(lines, false), 1);

    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")),
              crlf({"1", "1 1 11/4/26", "2 1 Two  lines and a NUL", "3 1 2.50", "6 1 2.50"}));
}

TEST_F(StatementImportTest, NothingTickedChangesNothing)
{
    const auto before = folderSnapshot();
    const QStringList shown = shownState();
    std::vector<ImportLine> lines =
        import().preview(statementOf({statementEntry({2026, 11, 4}, Charge, "Coffee", 250)}));
    lines[0].ticked = false;

    EXPECT_EQ(import().post(lines, false), 0);

    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(shownState(), shown);
}

TEST_F(StatementImportTest, AYearThatWouldOverflowIsRefusedBeforeAnythingChanges)
{
    fillYear26(998);
    restart();
    clickCard(1);
    mainWindow().B1Click();
    std::vector<ImportLine> lines;
    for (int day = 1; day <= 5; ++day) {
        ImportLine line;
        line.entry = statementEntry({2026, 12, day}, Charge, "New", 100);
        line.yearText = QStringLiteral("26");
        line.ticked = true;
        lines.push_back(line);
    }
    const auto before = folderSnapshot();
    const QStringList shown = shownState();

    guarded([&] { import().post(lines, false); });

    EXPECT_EQ(messages.shown(),
              QStringList{"Year 2026 holds 998 entries: 5 more would pass the 1000 a year holds."});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(shownState(), shown);
}

TEST_F(StatementImportTest, ImportsAThousandEntriesIntoAnEmptyYear)
{
    Statement statement;
    for (int i = 0; i < 1000; ++i)
        statement.entries.push_back(
            statementEntry(QDate(2026, 1, 1).addDays(i % 340), Charge, "Item", 100 + i, i + 1));
    std::vector<ImportLine> lines = import().preview(statement);
    for (const ImportLine& line : lines)
        ASSERT_EQ(line.status, ImportStatus::Ready) << line.entry.line;

    EXPECT_EQ(import().post(lines, false), 1000);

    EXPECT_EQ(p().grid.entryCount(), 1000);
    // 100 + 101 + ... + 1099 cents.
    EXPECT_EQ(p().reg.E6, QStringLiteral("5995.00"));
    EXPECT_EQ(p().ledger.cell(TGrid::Balance, 1000), QStringLiteral("5995.00"));
    EXPECT_EQ(DataFile::readLines(QStringLiteral("126.dat")).first(), QStringLiteral("1000"));
}

// --- A failed save ---------------------------------------------------------

class ImportFailedSave : public StatementImportTest, public testing::WithParamInterface<const char*>
{
protected:
    void TearDown() override
    {
        DataFile::failNextWrite(QString::fromLatin1(GetParam()), 0);
        StatementImportTest::TearDown();
    }
};

TEST_P(ImportFailedSave, LeavesEveryFileAndWhatTheProgramShowsAsTheyWere)
{
    const QString failing = QString::fromLatin1(GetParam());
    addDated(Charge, "Books", "100.00", QDate(2026, 12, 1), true);
    std::vector<ImportLine> lines = import().preview(statementOf({
        statementEntry({2026, 1, 2}, Charge, "Coffee", 550),
        statementEntry({2025, 12, 28}, Charge, "Hotel", 4000),
    }));
    const auto before = folderSnapshot();
    const QStringList shown = shownState();
    const QString opening27 = p().beginBal.openingBalance(27);

    DataFile::failNextWrite(failing, ENOSPC);
    guarded([&] { import().post(lines, true); });

    EXPECT_EQ(
        messages.shown(),
        QStringList{QStringLiteral("Could not save \"%1\": No space left on device").arg(failing)});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(shownState(), shown);
    EXPECT_EQ(p().beginBal.openingBalance(27), opening27);
    EXPECT_EQ(p().beginBal.selectedYear(), 26);

    // The user goes on: the same import then succeeds.
    messages.clear();
    guarded([&] { import().post(lines, true); });
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(p().reg.E6, QStringLiteral("145.50"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("145.50"));
    EXPECT_EQ(p().grid.entryCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(EverySave, ImportFailedSave,
                         testing::Values("125.dat", "126.dat", "1bb.dat", "summary.dat",
                                         "CardList.dat", "1info.dat", "1yl.dat"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             QString name = QString::fromLatin1(info.param);
                             return name.replace(u'.', u'_').toStdString();
                         });

} // namespace
