#include "core/platform/clock.h"
#include "core/register/csv_statement.h"
#include "statement_test_support.h"

#include <gtest/gtest.h>

using namespace StatementTest;

namespace {

QDate day(int y, int m, int d)
{
    return QDate(y, m, d);
}

CsvMapping usBank()
{
    return CsvMapping(); // Date,Description,Amount; MM/dd/yyyy; money spent negative
}

CsvMapping ukBank()
{
    CsvMapping m;
    m.dateFormat = QStringLiteral("dd/MM/yyyy");
    m.layout = CsvMapping::AmountLayout::ChargeAndPaymentColumns;
    m.amountColumn = 0;
    m.chargeColumn = 3;
    m.paymentColumn = 4;
    return m;
}

CsvMapping germanBank()
{
    CsvMapping m;
    m.delimiter = u';';
    m.dateFormat = QStringLiteral("dd.MM.yyyy");
    m.descriptionColumn = 3;
    m.memoColumn = 4;
    m.amountColumn = 5;
    m.decimalSeparator = u',';
    return m;
}

class CsvStatement : public ::testing::Test
{
protected:
    void SetUp() override { Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0))); }
    void TearDown() override { Clock::unfix(); }
};

Statement csv(const QByteArray& bytes, const CsvMapping& m = usBank())
{
    return parseCsv(bytes, QStringLiteral("t.csv"), m);
}

TEST_F(CsvStatement, ReadsTheUsBankSampleAcrossTheYearEnd)
{
    const Statement s = readCsvStatement(sample("us_bank.csv"), usBank());
    EXPECT_EQ(s.fileName, QStringLiteral("us_bank.csv"));
    expectEntries(s, {
                         {2, day(2025, 12, 22), "BLUE HERON OUTFITTERS", 8999, charge},
                         {3, day(2025, 12, 24), "SMITH & SONS BAKERY, INC", 2340, charge},
                         {4, day(2025, 12, 29), "ONLINE PAYMENT THANK YOU", 40000, payment},
                         {5, day(2025, 12, 31), "CITY PARKING GARAGE", 1200, charge},
                         {6, day(2026, 1, 2), "HARBOR GROCERY #112", 7618, charge},
                         {7, day(2026, 1, 6), "STREAMFLIX.COM", 1599, charge},
                         {8, day(2026, 1, 9), "REFUND \"WINTER SALE\" BLUE HERON", 2500, payment},
                         {9, day(2026, 1, 15), "NORTHWIND FURNITURE", 120455, charge},
                     });
}

TEST_F(CsvStatement, ReadsTheUkBankSampleWithDebitAndCreditColumns)
{
    expectEntries(readCsvStatement(sample("uk_bank.csv"), ukBank()),
                  {
                      {2, day(2026, 3, 2), "SAINSBURYS S/MKT", 4127, charge},
                      {3, day(2026, 3, 5), "TFL TRAVEL CH", 840, charge},
                      {4, day(2026, 3, 9), "DIRECT DEBIT PAYMENT - THANK YOU", 25000, payment},
                      {5, day(2026, 3, 13), "WATERSTONES", 1799, charge},
                      {6, day(2026, 3, 20), "REFUND JOHN LEWIS", 3000, payment},
                      {7, day(2026, 3, 27), "PIZZA EXPRESS", 3650, charge},
                  });
}

TEST_F(CsvStatement, ReadsTheGermanBankSampleInLatin1WithDecimalCommas)
{
    expectEntries(readCsvStatement(sample("de_bank.csv"), germanBank()),
                  {
                      {2, day(2026, 4, 1), "REWE Markt GmbH - Lastschrift Karte", 5423, charge},
                      {3, day(2026, 4, 3), "Deutsche Bahn - Fahrkarte K\xC3\xB6ln", 8990, charge},
                      {4, day(2026, 4, 8), "B\xC3\xA4" "ckerei Schmidt", 680, charge},
                      {5, day(2026, 4, 15), "Ausgleich Kartenkonto - Zahlung", 50000, payment},
                      {6, day(2026, 4, 22), "M\xC3\xB6" "belhaus Nord - Rechnung 2026-118", 123456,
                       charge},
                      {7, day(2026, 4, 29), "Tankstelle Aral", 6115, charge},
                  });
}

TEST_F(CsvStatement, CountsLinesFromWhereARowStartsWhenQuotesHoldBreaks)
{
    const Statement s = csv("Date,Description,Amount\r\n"
                            "01/02/2026,\"ONE\r\nTWO\nTHREE\",-1.00\r\n"
                            "\r\n"
                            "01/03/2026,\"A \"\"B\"\", C\",2.00\r"
                            "01/04/2026,LAST,-3.00");
    expectEntries(s, {{2, day(2026, 1, 2), "ONE\r\nTWO\nTHREE", 100, charge},
                      {6, day(2026, 1, 3), "A \"B\", C", 200, payment},
                      {7, day(2026, 1, 4), "LAST", 300, charge}});
}

TEST_F(CsvStatement, ReadsTabsAndPositiveChargesAndAFirstRowThatIsNoHeader)
{
    CsvMapping m;
    m.delimiter = u'\t';
    m.hasHeader = false;
    m.dateFormat = QStringLiteral("d/M/yy");
    m.chargesArePositive = true;
    const Statement s = csv("2/1/26\tCOFFEE  SHOP\t4.50\n"
                            "3/1/26\t REFUND \t-4.50\n",
                            m);
    expectEntries(s, {{1, day(2026, 1, 2), "COFFEE  SHOP", 450, charge},
                      {2, day(2026, 1, 3), "REFUND", 450, payment}});
}

struct RowCase
{
    const char* row;
    const char* problem;
};

TEST_F(CsvStatement, KeepsARowThatCannotBeAnEntryWithItsProblem)
{
    const RowCase cases[] = {
        {"01/02/2026,SHOP", "too few columns"},
        {"01/02/2026", "too few columns"},
        {"02/30/2026,SHOP,-1.00", "\"02/30/2026\" is not a date"},
        {"2026-01-02,SHOP,-1.00", "\"2026-01-02\" is not a date"},
        {",SHOP,-1.00", "no date"},
        {"01/02/2026,SHOP,", "no amount"},
        {"01/02/2026,SHOP,12x.50", "\"12x.50\" is not an amount"},
        {"01/02/2026,SHOP,0", "\"0\" is not an amount"},
        {"01/02/2026,SHOP,99999999999999", "\"99999999999999\" is not an amount"},
    };
    for (const RowCase& c : cases) {
        const Statement s = csv(QByteArray("Date,Description,Amount\r\n") + c.row + "\r\n");
        ASSERT_EQ(s.entries.size(), 1U) << c.row;
        EXPECT_EQ(s.entries[0].problem.toStdString(), c.problem) << c.row;
        EXPECT_EQ(s.entries[0].kind, EntryKind::None) << c.row;
        EXPECT_EQ(s.entries[0].line, 2) << c.row;
    }
}

struct TwoColumnCase
{
    const char* row;
    std::int64_t cents;
    EntryKind kind;
    const char* problem;
};

TEST_F(CsvStatement, ReadsChargeAndPaymentColumnsByTheirColumnNotTheirSign)
{
    const TwoColumnCase cases[] = {
        {"02/03/2026,X,12.00,", 1200, EntryKind::Charge, ""},
        {"02/03/2026,X,-12.00,", 1200, EntryKind::Charge, ""},
        {"02/03/2026,X,,12.00", 1200, EntryKind::Payment, ""},
        {"02/03/2026,X,,-12.00", 1200, EntryKind::Payment, ""},
        {"02/03/2026,X,0.00,12.00", 1200, EntryKind::Payment, ""},
        {"02/03/2026,X,,", 0, EntryKind::None, "no amount"},
        {"02/03/2026,X,5.00,12.00", 0, EntryKind::None, "both a charge and a payment"},
        {"02/03/2026,X,5.0x,", 0, EntryKind::None, "\"5.0x\" is not an amount"},
        {"02/03/2026,X,,abc", 0, EntryKind::None, "\"abc\" is not an amount"},
    };
    for (const TwoColumnCase& c : cases) {
        const Statement s = csv(QByteArray("Transaction Date,Description,Debit,Credit\n") + c.row,
                                ukBank());
        ASSERT_EQ(s.entries.size(), 1U) << c.row;
        EXPECT_EQ(s.entries[0].cents, c.cents) << c.row;
        EXPECT_EQ(s.entries[0].kind, c.kind) << c.row;
        EXPECT_EQ(s.entries[0].problem.toStdString(), c.problem) << c.row;
    }
}

TEST_F(CsvStatement, ReadsAnEmptyFileOrOnlyAHeaderAsNoEntries)
{
    EXPECT_TRUE(csv("").entries.empty());
    EXPECT_TRUE(csv("Date,Description,Amount\r\n").entries.empty());
    EXPECT_TRUE(csv("\r\n\r\n,,\r\n").entries.empty());
}

TEST_F(CsvStatement, ReadsBinaryAndNulBytesAsRowsWithProblems)
{
    const Statement s = csv(QByteArray("Date,Description,Amount\n\x01\x02\0\xff,x\0y,\0\n", 35));
    ASSERT_EQ(s.entries.size(), 1U);
    EXPECT_EQ(s.entries[0].problem.toStdString(), "\"???\xC3\xBF\" is not a date");
}

TEST_F(CsvStatement, ReadsAOneMegabyteLine)
{
    const Statement s = csv("Date,Description,Amount\n01/02/2026," + QByteArray(1024 * 1024, 'x') +
                            ",-1.00\n");
    ASSERT_EQ(s.entries.size(), 1U);
    EXPECT_EQ(s.entries[0].description.size(), 1024 * 1024);
}

struct FileCase
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

TEST_F(CsvStatement, RefusesQuotesThatDoNotCloseOrStandInsideAFieldWithTheirLine)
{
    const FileCase cases[] = {
        {"open at the end", "Date,Description,Amount\r\n01/02/2026,\"SHOP,-1.00\r\nmore\r\n",
         "Could not import \"t.csv\": line 2: a quoted text is not closed."},
        {"open on the last line", "Date,Description,Amount\n01/02/2026,X,-1.00\n\"",
         "Could not import \"t.csv\": line 3: a quoted text is not closed."},
        {"text after a closing quote", "Date,Description,Amount\n\n01/02/2026,\"A\"B,-1.00\n",
         "Could not import \"t.csv\": line 3: a quote stands inside a field."},
    };
    for (const FileCase& c : cases)
        EXPECT_EQ(errorOf([&] { csv(c.bytes); }), c.message) << c.label;
}

TEST_F(CsvStatement, RefusesAnIncompleteMapping)
{
    CsvMapping m;
    m.amountColumn = 0;
    EXPECT_EQ(errorOf([&] { csv("x", m); }),
              "Could not import \"t.csv\": the choice of columns is not complete.");
}

TEST(CsvRows, GivesTheFirstRowsForTheMappingDialog)
{
    const QByteArray bytes = "a;\"b;c\"\r\n\r\n1;2\r\n3;4\r\n";
    EXPECT_EQ(csvRows(bytes, u';', 2),
              (std::vector<QStringList>{{"a", "b;c"}, {"1", "2"}}));
    EXPECT_EQ(csvRows(bytes, u';', 10).size(), 3U);
    EXPECT_TRUE(csvRows(bytes, u';', 0).empty());
    EXPECT_EQ(csvRows("a,b\n\"open", u',', 10), (std::vector<QStringList>{{"a", "b"}}));
}

TEST(CsvMappingText, SurvivesARoundTripForEveryLayout)
{
    CsvMapping spaced;
    spaced.dateFormat = QStringLiteral("dd MMM yyyy");
    spaced.hasHeader = false;
    spaced.chargesArePositive = true;
    for (const CsvMapping& m : {usBank(), ukBank(), germanBank(), spaced}) {
        const QString text = m.toText();
        EXPECT_FALSE(text.contains(u'\n'));
        EXPECT_EQ(CsvMapping::fromText(text), std::optional(m)) << text.toStdString();
    }
    EXPECT_EQ(germanBank().toText().toStdString(),
              "delimiter=semicolon header=yes date=1 description=3 memo=4 amount=5 "
              "charges=negative decimal=comma dateformat=dd.MM.yyyy");
    EXPECT_EQ(ukBank().toText().toStdString(),
              "delimiter=comma header=yes date=1 description=2 memo=0 charge=3 payment=4 "
              "decimal=point dateformat=dd/MM/yyyy");
}

TEST(CsvMappingText, GivesNothingForATextItDidNotWrite)
{
    for (const char* text : {
             "",
             "garbage",
             "dateformat=",
             "delimiter=comma header=yes date=1 description=2 memo=0 amount=3 charges=negative "
             "decimal=point",
             "delimiter=pipe header=yes date=1 description=2 memo=0 amount=3 charges=negative "
             "decimal=point dateformat=MM/dd/yyyy",
             "delimiter=comma header=maybe date=1 description=2 memo=0 amount=3 charges=negative "
             "decimal=point dateformat=MM/dd/yyyy",
             "delimiter=comma header=yes date=0 description=2 memo=0 amount=3 charges=negative "
             "decimal=point dateformat=MM/dd/yyyy",
             "delimiter=comma header=yes date=1 description=2 memo=0 amount=3 charges=negative "
             "decimal=point dateformat= ",
             "delimiter=comma header=yes date=x description=2 memo=0 amount=3 charges=negative "
             "decimal=point dateformat=MM/dd/yyyy",
             "delimiter=comma header=yes date=1 description=2 memo=0 amount=3 charges=negative "
             "amount=4 decimal=point dateformat=MM/dd/yyyy",
             "delimiter=comma header=yes date=1 description=2 memo=0 charge=3 payment=3 "
             "decimal=point dateformat=MM/dd/yyyy",
             "delimiter=comma header=yes date=1 description=2 memo=0 amount=3 charges=negative "
             "decimal=point extra=1 dateformat=MM/dd/yyyy",
             "delimiter=comma header=yes date=1 description=2 memo=0 amount=+3 charges=negative "
             "decimal=point dateformat=MM/dd/yyyy",
         })
        EXPECT_EQ(CsvMapping::fromText(QString::fromLatin1(text)), std::nullopt) << text;
}

} // namespace
