#include "core/platform/clock.h"
#include "core/register/qif_statement.h"
#include "statement_test_support.h"

#include <gtest/gtest.h>

using namespace StatementTest;

namespace {

QDate day(int y, int m, int d)
{
    return QDate(y, m, d);
}

// Two-digit years land in the window of the short dates, which moves with the
// clock: the tests fix it in 2026.
class QifStatement : public ::testing::Test
{
protected:
    void SetUp() override { Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0))); }
    void TearDown() override { Clock::unfix(); }
};

Statement qif(const char* text)
{
    return parseQif(QByteArray(text), QStringLiteral("t.qif"));
}

TEST_F(QifStatement, ReadsTheMonthFirstSampleAcrossTheYearEnd)
{
    const Statement s = readQifStatement(sample("card_2025_12.qif"));
    EXPECT_EQ(s.fileName, QStringLiteral("card_2025_12.qif"));
    expectEntries(s, {
                         {2, day(2025, 12, 2), "CORNER HARDWARE", 2495, charge},
                         {8, day(2025, 12, 9), "FRESH MARKET - Weekly groceries", 6120, charge},
                         {14, day(2025, 12, 15), "PAYMENT - THANK YOU", 20000, payment},
                         {19, day(2025, 12, 20), "SKYWARD AIR - Flights home", 104500, charge},
                         {33, day(2025, 12, 28), "CITY CINEMA", 1840, charge},
                         {37, day(2026, 1, 3), "METRO TRANSIT", 750, charge},
                         {41, day(2026, 1, 8), "CORNER HARDWARE - Return", 3500, payment},
                         {46, day(2026, 1, 12), "GREENLEAF VET", 5280, charge},
                     });
}

TEST_F(QifStatement, ReadsTheDayFirstSampleDayFirst)
{
    const Statement s = readQifStatement(sample("card_2026_02_day_first.qif"));
    expectEntries(s, {
                         {2, day(2026, 2, 3), "TESCO STORES 2231", 3850, charge},
                         {6, day(2026, 2, 7), "AMAZON MARKETPLACE", 1299, charge},
                         {10, day(2026, 2, 14), "RAILCARD ONLINE", 6400, charge},
                         {14, day(2026, 2, 18), "PAYMENT RECEIVED", 15000, payment},
                         {18, day(2026, 2, 21), "THE CROWN INN", 2375, charge},
                         {22, day(2026, 2, 27), "COSTA COFFEE - Takeaway", 960, charge},
                     });
}

struct DateCase
{
    const char* dates; // the D texts of one file, separated by '|'
    const char* firstIs;
};

TEST_F(QifStatement, ReadsEveryDateFormQuickenWritesAndDecidesTheOrderPerFile)
{
    const DateCase cases[] = {
        {"12/31/2025", "2025-12-31"},
        {"12/31'25", "2025-12-31"},
        {"12/31/25", "2025-12-31"},
        {"1/ 5'26", "2026-01-05"},
        {" 1/ 5/26", "2026-01-05"},
        {"2025-12-31", "2025-12-31"},
        {"01/02/2026", "2026-01-02"},
        {"01/02/2026|13/02/2026", "2026-02-01"},
        {"13.02.2026|01.02.2026", "2026-02-13"},
        {"2/3/76", "1976-02-03"},
        {"2/3/75", "2075-02-03"},
        {"2026-01-02|13/02/2026", "2026-01-02"},
    };
    for (const DateCase& c : cases) {
        QByteArray text = "!Type:CCard\r\n";
        for (const QByteArray& date : QByteArray(c.dates).split('|'))
            text += "D" + date + "\r\nT-1.00\r\n^\r\n";
        const Statement s = parseQif(text, QStringLiteral("t.qif"));
        ASSERT_FALSE(s.entries.empty()) << c.dates;
        EXPECT_EQ(s.entries[0].date.toString(Qt::ISODate).toStdString(), c.firstIs) << c.dates;
        EXPECT_EQ(s.entries[0].problem.toStdString(), "") << c.dates;
    }
}

struct ProblemCase
{
    const char* record;
    const char* problem;
};

TEST_F(QifStatement, KeepsAnEntryWhoseDateOrAmountIsNoneWithItsProblem)
{
    const ProblemCase cases[] = {
        {"D02/30/2026\r\nT-1.00", "\"02/30/2026\" is not a date"},
        {"D31/02/2025\r\nT-1.00", "\"31/02/2025\" is not a date"},
        {"D12/31\r\nT-1.00", "\"12/31\" is not a date"},
        {"DJan 5 2026\r\nT-1.00", "\"Jan 5 2026\" is not a date"},
        {"D\r\nT-1.00", "no date"},
        {"T-1.00", "no date"},
        {"D12/31/2025", "no amount"},
        {"D12/31/2025\r\nT", "no amount"},
        {"D12/31/2025\r\nT12x.50", "\"12x.50\" is not an amount"},
        {"D12/31/2025\r\nT0.00", "\"0.00\" is not an amount"},
        {"D12/31/2025\r\nT-99999999999999.00", "\"-99999999999999.00\" is not an amount"},
        {"D02/30/2026\r\nTx", "\"02/30/2026\" is not a date"},
    };
    for (const ProblemCase& c : cases) {
        const QByteArray text = QByteArray("!Type:CCard\r\nPSHOP\r\n") + c.record + "\r\n^\r\n";
        const Statement s = parseQif(text, QStringLiteral("t.qif"));
        ASSERT_EQ(s.entries.size(), 1U) << c.record;
        EXPECT_EQ(s.entries[0].problem.toStdString(), c.problem) << c.record;
        EXPECT_EQ(s.entries[0].kind, EntryKind::None) << c.record;
        EXPECT_EQ(s.entries[0].line, 2) << c.record;
        EXPECT_EQ(s.entries[0].description, QStringLiteral("SHOP")) << c.record;
    }
}

TEST_F(QifStatement, ReadsLfAndCrLineEndsAndALastRecordWithoutCaret)
{
    for (const char* br : {"\n", "\r", "\r\n"}) {
        const QByteArray b(br);
        const Statement s = parseQif("!Type:Bank" + b + "D1/2/2026" + b + "T-3.00" + b + "^" + b +
                                         b + "D1/3/2026" + b + "MCoffee" + b + "T4.00",
                                     QStringLiteral("t.qif"));
        expectEntries(s, {{2, day(2026, 1, 2), "", 300, charge},
                          {6, day(2026, 1, 3), "Coffee", 400, payment}});
    }
}

TEST_F(QifStatement, SkipsOptionsAccountListsAndSectionsThatHoldNoTransactions)
{
    const Statement s = qif("!Option:AutoSwitch\r\n"
                            "!Account\r\nNVisa\r\nTCCard\r\nD12/31/2025\r\n^\r\n"
                            "!Clear:AutoSwitch\r\n"
                            "!Type:Cat\r\nNGroceries\r\nE\r\n^\r\n"
                            "!Type:CCard\r\nD1/2/2026\r\nU-5.001\r\nT-5.00\r\nPSHOP\r\n"
                            "N12\r\nC*\r\nLFood\r\nSFood\r\nEhalf\r\n$-2.50\r\nXweird\r\n^\r\n"
                            "!Type:Memorized\r\nD1/2/2026\r\nT-9.00\r\n^\r\n");
    expectEntries(s, {{13, day(2026, 1, 2), "SHOP", 500, charge}});
}

TEST_F(QifStatement, ReadsAFileWithOnlyAHeaderAsNoEntries)
{
    EXPECT_TRUE(qif("!Type:CCard\r\n").entries.empty());
    EXPECT_TRUE(qif("!Type:CCard\r\n^\r\n^\r\n").entries.empty());
}

TEST_F(QifStatement, ReadsLatin1AndUtf8Payees)
{
    const Statement latin = qif("!Type:CCard\r\nD1/2/2026\r\nT-1.00\r\nPCaf\xE9\r\n^\r\n");
    const Statement utf8 = qif("\xEF\xBB\xBF!Type:CCard\r\nD1/2/2026\r\nT-1.00\r\nPCaf\xC3\xA9\r\n^\r\n");
    ASSERT_EQ(latin.entries.size(), 1U);
    ASSERT_EQ(utf8.entries.size(), 1U);
    EXPECT_EQ(latin.entries[0].description, QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(utf8.entries[0].description, QStringLiteral("Caf\u00E9"));
}

struct FileCase
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

TEST_F(QifStatement, RefusesAFileThatIsNoQifWithItsLine)
{
    const FileCase cases[] = {
        {"empty", "", "Could not import \"t.qif\": line 1: not a QIF statement."},
        {"blank lines", "\r\n\r\n  \r\n", "Could not import \"t.qif\": line 1: not a QIF statement."},
        {"prose", "Hello there\r\n", "Could not import \"t.qif\": line 1: not a QIF statement."},
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11),
         "Could not import \"t.qif\": line 1: not a QIF statement."},
        {"csv", "12/31/2025,SHOP,-1.00\r\n", "Could not import \"t.qif\": line 1: not a QIF statement."},
        {"garbage in a record", "!Type:CCard\r\nD1/2/2026\r\n12.00\r\n^\r\n",
         "Could not import \"t.qif\": line 3: \"12.00\" is not a QIF field."},
        {"garbage after a header", "!Type:CCard\r\n\r\n#comment\r\n",
         "Could not import \"t.qif\": line 3: \"#comment\" is not a QIF field."},
        {"nul byte", QByteArray("!Type:CCard\r\nD1/2/2026\r\n\0T\r\n", 28),
         "Could not import \"t.qif\": line 3: \"?T\" is not a QIF field."},
        {"a long line", "!Type:CCard\r\n" + QByteArray(1024 * 1024, '7') + "\r\n",
         "Could not import \"t.qif\": line 2: \"7777777777777777777777777777777777777777\xE2\x80\xA6\" "
         "is not a QIF field."},
    };
    for (const FileCase& c : cases)
        EXPECT_EQ(errorOf([&] { parseQif(c.bytes, QStringLiteral("t.qif")); }), c.message) << c.label;
}

TEST_F(QifStatement, ReadsAOneMegabyteDescription)
{
    const Statement s = parseQif("!Type:CCard\r\nD1/2/2026\r\nT-1.00\r\nP" +
                                     QByteArray(1024 * 1024, 'x') + "\r\n^\r\n",
                                 QStringLiteral("t.qif"));
    ASSERT_EQ(s.entries.size(), 1U);
    EXPECT_EQ(s.entries[0].description.size(), 1024 * 1024);
}

TEST_F(QifStatement, NamesTheFileWithoutItsFolder)
{
    const TempFile file(QStringLiteral("june.qif"), "nothing");
    EXPECT_EQ(errorOf([&] { readQifStatement(file.path()); }),
              "Could not import \"june.qif\": line 1: not a QIF statement.");
}

} // namespace
