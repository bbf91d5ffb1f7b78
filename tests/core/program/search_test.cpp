#include "core/program/search.h"
#include "core/program/search_results_model.h"
#include "support/fixed_day.h"
#include "support/program_fixture.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileInfo>

namespace {

QByteArray crlf(std::initializer_list<const char*> lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

// Two cards, 1. Visa with years 25 and 26 and 4. Store Card with year 26,
// listed in that order on rows 1 and 2 of the card list.
class SearchTest : public OnTheFixedDay
{
protected:
    void SetUp() override
    {
        OnTheFixedDay::SetUp();
        m_cards.setCell(0, 1, QStringLiteral("1. Visa"));
        m_cards.setCell(0, 2, QStringLiteral("4. Store Card"));
        putBytes("1yl.dat", crlf({"25", "26"}));
        putBytes("4yl.dat", crlf({"26"}));
        putBytes("125.dat", crlf({"2", "1 1 6/1/25", "2 1 Groceries", "3 1 40.00", "6 1 40.00",
                                  "1 2 7/1/25", "2 2 Payment", "4 2 12.50", "6 2 27.50"}));
        putBytes("126.dat",
                 crlf({"2", "1 1 1/5/26", "2 1 Gas", "3 1 12.50", "6 1 40.00", "1 2 3/9/26",
                       "2 2 GROCERIES and more", "3 2 .05", "5 2 X", "6 2 40.05"}));
        putBytes("426.dat", crlf({"1", "1 1 2/2/26", "2 1 Shoes for groceries day", "3 1 80.00",
                                  "6 1 80.00"}));
    }

    SearchResult search(const SearchQuery& query) const { return searchLedgers(m_cards, query); }

    // Each hit as "KEY/YEAR/ROW".
    static QStringList places(const SearchResult& result)
    {
        QStringList found;
        for (const SearchHit& hit : result.hits)
            found << QStringLiteral("%1/%2/%3").arg(hit.cardKey, hit.year).arg(hit.row);
        return found;
    }

    TextGrid m_cards{8, 25, 1};
};

TEST_F(SearchTest, FindsEntriesByEveryFieldAndTheirCombinations)
{
    struct Case
    {
        const char* label;
        SearchQuery query;
        QStringList found;
    };
    const Case cases[] = {
        {"text in any case across cards and years",
         {QStringLiteral("grocer"), {}, {}, {}},
         {"1/25/1", "1/26/2", "4/26/1"}},
        {"text with a blank inside", {QStringLiteral("s and m"), {}, {}, {}}, {"1/26/2"}},
        {"an amount as a charge or a payment", {{}, 1250, {}, {}}, {"1/25/2", "1/26/1"}},
        {"five cents", {{}, 5, {}, {}}, {"1/26/2"}},
        {"an amount no entry has", {{}, 1200, {}, {}}, {}},
        {"from a date, inclusive", {{}, {}, QDate(2026, 2, 2), {}}, {"1/26/2", "4/26/1"}},
        {"to a date, inclusive", {{}, {}, {}, QDate(2025, 6, 1)}, {"1/25/1"}},
        {"a range of one day", {{}, {}, QDate(2026, 1, 5), QDate(2026, 1, 5)}, {"1/26/1"}},
        {"text and range together",
         {QStringLiteral("grocer"), {}, QDate(2026, 1, 1), QDate(2026, 12, 31)},
         {"1/26/2", "4/26/1"}},
        {"text and amount that never meet", {QStringLiteral("gas"), 4000, {}, {}}, {}},
        {"text, amount and range together",
         {QStringLiteral("gas"), 1250, QDate(2026, 1, 1), {}},
         {"1/26/1"}},
        {"text no description holds", {QStringLiteral("rent"), {}, {}, {}}, {}},
    };
    for (const Case& c : cases) {
        const SearchResult result = search(c.query);
        EXPECT_EQ(places(result), c.found) << c.label;
        EXPECT_TRUE(result.unreadable.isEmpty()) << c.label;
    }
}

TEST_F(SearchTest, AHitCarriesTheCardTheYearAndTheRowsTexts)
{
    const SearchResult result = search({QStringLiteral("gas"), {}, {}, {}});
    ASSERT_EQ(result.hits.size(), 1u);
    const SearchHit expected{"1", "1. Visa", "26", 1, "1/5/26", "Gas", "12.50", QString()};
    EXPECT_EQ(result.hits[0], expected);
}

TEST_F(SearchTest, ADescriptionKeepsItsBlanks)
{
    putBytes("426.dat", crlf({"1", "1 1 2/2/26", "2 1   Two  blanks  ", "3 1 80.00"}));
    const SearchResult result = search({QStringLiteral("o  b"), {}, {}, {}});
    ASSERT_EQ(places(result), QStringList{"4/26/1"});
    EXPECT_EQ(result.hits[0].description, QStringLiteral("  Two  blanks  "));
    EXPECT_TRUE(search({QStringLiteral("o b"), {}, {}, {}}).hits.empty());
}

TEST_F(SearchTest, ADamagedLedgerIsLeftOutNamedAndNotTouched)
{
    struct Case
    {
        const char* label;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"a line that is no cell line past the first entry",
         crlf({"2", "1 1 1/5/26", "2 1 Gas", "3 1 12.50", "x y", "1 2 3/9/26", "2 2 Gas too",
               "3 2 1.00"})},
        {"an amount that is no amount", crlf({"1", "1 1 1/5/26", "2 1 Gas", "3 1 12x.50"})},
        {"a count line that is no number", crlf({"one", "1 1 1/5/26", "2 1 Gas"})},
        {"a count the rows disagree with", crlf({"3", "1 1 1/5/26", "2 1 Gas", "3 1 1.00"})},
        {"a gap before a later entry", crlf({"2", "1 1 1/5/26", "2 1 Gas", "1 3 3/9/26"})},
        {"a cell outside the table", crlf({"1", "1 1 1/5/26", "2 1 Gas", "9 1 what"})},
        {"a NUL byte", QByteArray("1\r\n1 1 1/5/26\r\n2 1 Gas\0\r\n", 25)},
    };
    for (const Case& c : cases) {
        putBytes("126.dat", c.bytes);
        const SearchResult result = search({QStringLiteral("gas"), {}, {}, {}});
        EXPECT_TRUE(result.hits.empty()) << c.label;
        EXPECT_EQ(result.unreadable, QStringList{"126.dat"}) << c.label;
        EXPECT_EQ(result.note(), QStringLiteral("1 file could not be read: 126.dat")) << c.label;
        EXPECT_EQ(bytesOf("126.dat"), c.bytes) << c.label;
        EXPECT_FALSE(QFileInfo::exists("126.dat.damaged")) << c.label;
    }
    // The other years and cards are still searched.
    EXPECT_EQ(places(search({QStringLiteral("groceries"), {}, {}, {}})),
              (QStringList{"1/25/1", "4/26/1"}));
}

TEST_F(SearchTest, AMissingYearFileHasNoEntriesAndNoNote)
{
    ASSERT_TRUE(QFile::remove("125.dat"));
    const SearchResult result = search({QStringLiteral("groceries"), {}, {}, {}});
    EXPECT_EQ(places(result), (QStringList{"1/26/2", "4/26/1"}));
    EXPECT_TRUE(result.unreadable.isEmpty());
    EXPECT_EQ(result.note(), QString());
}

TEST_F(SearchTest, AYearListThatCannotBeReadIsNamedAndItsCardLeftOut)
{
    ASSERT_TRUE(QFile::remove("4yl.dat"));
    ASSERT_TRUE(QDir().mkdir("4yl.dat"));
    putBytes("125.dat", QByteArray("2\r\n\0", 4));
    const SearchResult result = search({QStringLiteral("groceries"), {}, {}, {}});
    EXPECT_EQ(places(result), QStringList{"1/26/2"});
    EXPECT_EQ(result.note(), QStringLiteral("2 files could not be read: 125.dat, 4yl.dat"));
}

TEST_F(SearchTest, ACardWithoutAYearListAndBlankYearLinesAreSkipped)
{
    ASSERT_TRUE(QFile::remove("4yl.dat"));
    putBytes("1yl.dat", crlf({"", "25", " ", "26"}));
    const SearchResult result = search({QStringLiteral("groceries"), {}, {}, {}});
    EXPECT_EQ(places(result), (QStringList{"1/25/1", "1/26/2"}));
    EXPECT_TRUE(result.unreadable.isEmpty());
}

TEST_F(SearchTest, AnEntryWhoseDateIsNoDateMatchesNoRangeButStillMatchesText)
{
    putBytes("426.dat", crlf({"1", "1 1 someday", "2 1 Shoes", "3 1 80.00"}));
    EXPECT_EQ(places(search({QStringLiteral("shoes"), {}, {}, {}})), QStringList{"4/26/1"});
    EXPECT_TRUE(search({QStringLiteral("shoes"), {}, QDate(2000, 1, 1), {}}).hits.empty());
}

TEST(SearchQueryOf, ReadsTheTypedFields)
{
    ShortDate::setFormat(QStringLiteral("M/d/yy"));
    const TccMath math;
    struct Case
    {
        const char* label;
        SearchFields typed;
        std::optional<std::int64_t> cents;
        std::optional<QDate> from;
        std::optional<QDate> to;
    };
    const Case cases[] = {
        {"a text alone", {"gas", {}, {}, {}}, {}, {}, {}},
        {"a text of blanks is a text", {" ", {}, {}, {}}, {}, {}, {}},
        {"12.5", {{}, "12.5", {}, {}}, 1250, {}, {}},
        {"12.50", {{}, "12.50", {}, {}}, 1250, {}, {}},
        {".05", {{}, ".05", {}, {}}, 5, {}, {}},
        {"12 whole", {{}, "12", {}, {}}, 1200, {}, {}},
        {"blanks around", {{}, " 7.25 ", {}, {}}, 725, {}, {}},
        {"dollar sign and comma", {{}, "$1,200.00", {}, {}}, 120000, {}, {}},
        {"a range", {{}, {}, "1/1/26", "12/31/26"}, {}, QDate(2026, 1, 1), QDate(2026, 12, 31)},
        {"one day", {{}, {}, "3/9/25", "3/9/25"}, {}, QDate(2025, 3, 9), QDate(2025, 3, 9)},
        {"only an end", {{}, {}, {}, "3/9/25"}, {}, {}, QDate(2025, 3, 9)},
    };
    for (const Case& c : cases) {
        const SearchCheck check = searchQueryOf(math, c.typed);
        EXPECT_TRUE(check.check.accepted()) << c.label << ": " << check.check.message.toStdString();
        EXPECT_EQ(check.query.text, c.typed.text) << c.label;
        EXPECT_EQ(check.query.cents, c.cents) << c.label;
        EXPECT_EQ(check.query.from, c.from) << c.label;
        EXPECT_EQ(check.query.to, c.to) << c.label;
    }
    ShortDate::setFormat(QString());
}

TEST(SearchQueryOf, RefusesWhatIsNoSearchWithItsMessageAndBox)
{
    ShortDate::setFormat(QStringLiteral("M/d/yy"));
    const TccMath math;
    struct Case
    {
        const char* label;
        SearchFields typed;
        const char* message;
        const char* focus;
    };
    const char* const nothing = "Type a description, an amount or dates to search for.";
    const Case cases[] = {
        {"nothing typed", {}, nothing, "SText"},
        {"only blanks in amount and dates", {{}, " ", "  ", " "}, nothing, "SText"},
        {"letters", {{}, "12x", {}, {}}, "'12x' is not an amount like 12.50.", "SAmount"},
        {"minus", {{}, "-5.00", {}, {}}, "'-5.00' is not an amount like 12.50.", "SAmount"},
        {"two points", {{}, "1..2", {}, {}}, "'1..2' is not an amount like 12.50.", "SAmount"},
        {"three decimals",
         {{}, "1.234", {}, {}},
         "'1.234' is not an amount like 12.50.",
         "SAmount"},
        {"a point alone", {{}, ".", {}, {}}, "'.' is not an amount like 12.50.", "SAmount"},
        {"a bad From",
         {{}, {}, "13/45/26", {}},
         "'13/45/26' is not a date like 12/31/26.",
         "SFrom"},
        {"a bad To", {{}, {}, {}, "soon"}, "'soon' is not a date like 12/31/26.", "STo"},
        {"From after To",
         {{}, {}, "2/1/26", "1/1/26"},
         "The From date is after the To date.",
         "SFrom"},
    };
    for (const Case& c : cases) {
        const SearchCheck check = searchQueryOf(math, c.typed);
        EXPECT_EQ(check.check.message, QString::fromUtf8(c.message)) << c.label;
        EXPECT_EQ(check.check.focus, QString::fromUtf8(c.focus)) << c.label;
    }
    ShortDate::setFormat(QString());
}

TEST(HitCountText, CountsInWords)
{
    EXPECT_EQ(hitCountText(0), QStringLiteral("No entries found."));
    EXPECT_EQ(hitCountText(1), QStringLiteral("1 entry found"));
    EXPECT_EQ(hitCountText(3), QStringLiteral("3 entries found"));
}

TEST(SearchResultsModel, ShowsEachHitInTheRegistersColumnsUnderQtsModelTester)
{
    SearchResultsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 0);
    model.setHits({{"1", "1. Visa", "26", 1, "1/5/26", "Gas", "12.50", {}},
                   {"4", "4. Store", "25", 3, "2/2/25", "Refund", {}, "8.00"}});
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 6);
    const QStringList headers{"Card", "Year", "Date", "Description", "Charge", "Payment"};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), headers[column]);
    const QStringList second{"4. Store", "25", "2/2/25", "Refund", "", "8.00"};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(model.data(model.index(1, column)).toString(), second[column]) << column;
    EXPECT_TRUE(model.data(model.index(0, SearchResultsModel::Charge), Qt::TextAlignmentRole)
                    .value<Qt::Alignment>()
                    .testFlag(Qt::AlignRight));
    model.setHits({});
    EXPECT_EQ(model.rowCount(), 0);
}

// A card added in 2025 with entries in 2025 and 2026, and a second card.
class OpenSearchHitTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        Clock::fix(QDateTime(QDate(2025, 6, 1), QTime(12, 0)));
        restart();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        clickCard(1);
        p().tc.OpenCard();
        addCharge(QStringLiteral("Old one"), QStringLiteral("10.00"));
        addCharge(QStringLiteral("Old two"), QStringLiteral("11.00"));
        Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
        restart();
        p().tc.AddCard(sampleCard(QStringLiteral("Store"), QStringLiteral("500.00")));
        clickCard(1);
        p().tc.OpenCard();
        addCharge(QStringLiteral("New"), QStringLiteral("20.00"));
        ASSERT_TRUE(messages.shown().isEmpty());
    }
};

TEST_F(OpenSearchHitTest, OpensTheCardAtTheYearWithTheRowCurrent)
{
    const SearchResult found = searchLedgers(p().sg1, {QStringLiteral("old two"), {}, {}, {}});
    ASSERT_EQ(found.hits.size(), 1u);
    // The register shows the other card when the entry is opened.
    clickCard(2);
    p().tc.OpenCard();
    ASSERT_NE(p().reg.L7, QStringLiteral("Visa"));
    openSearchHit(p(), found.hits[0]);
    EXPECT_TRUE(p().reg.shown);
    EXPECT_EQ(p().reg.L7, QStringLiteral("Visa"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("25"));
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("25"));
    EXPECT_EQ(p().ledger.currentRow(), found.hits[0].row);
    EXPECT_EQ(p().ledger.cell(TGrid::Description, p().ledger.currentRow()),
              QStringLiteral("Old two"));
    EXPECT_EQ(p().cardList.selectedKey(), found.hits[0].cardKey);
}

TEST_F(OpenSearchHitTest, SearchingLeavesTheRegistersStateAndTheFilesAsTheyWere)
{
    clickEntry(2);
    p().grid.CaptureSelectedRow();
    const QStringList files = QDir::current().entryList(QDir::Files, QDir::Name);
    std::vector<QByteArray> bytes;
    for (const QString& file : files)
        bytes.push_back(bytesOf(file));
    const RegisterFields reg = p().reg;
    const YearList years = p().years;
    const int row = p().ledger.currentRow();
    const int entries = p().grid.entryCount();
    const QString description = p().ledger.cell(TGrid::Description, 1);

    const SearchResult found = searchLedgers(p().sg1, {{}, {}, QDate(2000, 1, 1), {}});
    EXPECT_EQ(found.hits.size(), 3u);
    EXPECT_EQ(p().reg.L7, reg.L7);
    EXPECT_EQ(p().reg.EYr, reg.EYr);
    EXPECT_EQ(p().reg.cardKey, reg.cardKey);
    EXPECT_EQ(p().reg.shown, reg.shown);
    EXPECT_EQ(p().years.items, years.items);
    EXPECT_EQ(p().ledger.currentRow(), row);
    EXPECT_EQ(p().grid.selectedRow(), 2);
    EXPECT_EQ(p().grid.entryCount(), entries);
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 1), description);
    EXPECT_EQ(QDir::current().entryList(QDir::Files, QDir::Name), files);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(bytesOf(files[qsizetype(i)]), bytes[i]) << files[qsizetype(i)].toStdString();
}

TEST_F(OpenSearchHitTest, RefusesACardOrYearThatIsGone)
{
    SearchHit hit;
    hit.cardKey = QStringLiteral("77");
    hit.year = QStringLiteral("26");
    hit.row = 1;
    EXPECT_THROW(openSearchHit(p(), hit), UserError);
    hit.cardKey = p().cardList.keyOfName(p().sg1.cell(0, 1));
    hit.year = QStringLiteral("19");
    try {
        openSearchHit(p(), hit);
        FAIL() << "a year not in the list was opened";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Year 19 is no longer in the card's year list.");
    }
}

} // namespace
