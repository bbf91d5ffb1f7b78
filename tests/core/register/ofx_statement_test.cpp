#include "core/register/ofx_statement.h"
#include "statement_test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace StatementTest;

namespace {

QDate day(int y, int m, int d)
{
    return QDate(y, m, d);
}

Statement ofx(const QByteArray& bytes)
{
    return parseOfx(bytes, QStringLiteral("t.ofx"));
}

// An OFX 1.x card statement around the given STMTTRN elements.
QByteArray sgmlCard(const QByteArray& transactions)
{
    return "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
           "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n"
           "<OFX>\r\n<CREDITCARDMSGSRSV1>\r\n<CCSTMTTRNRS>\r\n<TRNUID>1\r\n<STATUS>\r\n<CODE>0\r\n"
           "<SEVERITY>INFO\r\n</STATUS>\r\n<CCSTMTRS>\r\n<CURDEF>USD\r\n<CCACCTFROM>\r\n"
           "<ACCTID>4111\r\n</CCACCTFROM>\r\n<BANKTRANLIST>\r\n<DTSTART>20251201\r\n"
           "<DTEND>20260131\r\n" +
           transactions +
           "</BANKTRANLIST>\r\n</CCSTMTRS>\r\n</CCSTMTTRNRS>\r\n</CREDITCARDMSGSRSV1>\r\n</OFX>\r\n";
}

QByteArray transaction(const char* posted, const char* amount, const char* name)
{
    return QByteArray("<STMTTRN>\r\n<TRNTYPE>DEBIT\r\n<DTPOSTED>") + posted + "\r\n<TRNAMT>" +
           amount + "\r\n<FITID>1\r\n<NAME>" + name + "\r\n</STMTTRN>\r\n";
}

TEST(OfxStatement, ReadsTheSgmlCardSample)
{
    const Statement s = readOfxStatement(sample("lakeshore_2025_12.ofx"));
    EXPECT_EQ(s.fileName, QStringLiteral("lakeshore_2025_12.ofx"));
    expectEntries(s, {
                         {41, day(2025, 12, 1), "HARBOR GROCERY #112", 4217, charge},
                         {48, day(2025, 12, 3), "STREAMFLIX.COM - Monthly plan", 1599, charge},
                         {56, day(2025, 12, 8), "SHELL OIL 57442", 6340, charge},
                         {63, day(2025, 12, 10), "TOKYO RAMEN HOUSE", 875, charge},
                         {70, day(2025, 12, 15), "PAYMENT - THANK YOU", 25000, payment},
                         {77, day(2025, 12, 19), "NORTHWIND BOOKS", 12995, charge},
                         {85, day(2025, 12, 22), "BLUE HERON OUTFITTERS - Return", 1850, payment},
                         {93, day(2025, 12, 31), "CITY PARKING GARAGE", 3725, charge},
                     });
}

TEST(OfxStatement, ReadsTheXmlCardSample)
{
    expectEntries(readOfxStatement(sample("granite_2026_01.ofx")),
                  {
                      {22, day(2026, 1, 2), "MAPLE STREET PHARMACY", 5430, charge},
                      {29, day(2026, 1, 5), "METRO TRANSIT", 1200, charge},
                      {36, day(2026, 1, 9), "CEDAR HOME & GARDEN", 8764, charge},
                      {43, day(2026, 1, 14), "PAYMENT RECEIVED - ONLINE PAYMENT", 30000, payment},
                      {51, day(2026, 1, 20), "CORNER CAFE", 2248, charge},
                      {58, day(2026, 1, 28), "SKYWARD AIR - Ticket 0162345", 19900, charge},
                  });
}

TEST(OfxStatement, ReadsTheQfxSample)
{
    expectEntries(readOfxStatement(sample("riverbend_2026_02.qfx")),
                  {
                      {42, day(2026, 2, 3), "CLOUD STORAGE PLUS", 999, charge},
                      {49, day(2026, 2, 6), "FRESH MARKET", 4512, charge},
                      {56, day(2026, 2, 11), "GREENLEAF DENTAL", 7000, charge},
                      {63, day(2026, 2, 16), "PAYMENT THANK YOU", 15000, payment},
                      {70, day(2026, 2, 24), "BRIGHT CINEMA - 2 tickets", 3333, charge},
                  });
}

TEST(OfxStatement, ReadsABankStatementToo)
{
    const QByteArray bytes =
        "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\n"
        "CHARSET:1252\nCOMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n"
        "<OFX>\n<BANKMSGSRSV1>\n<STMTTRNRS>\n<TRNUID>1\n<STATUS>\n<CODE>0\n<SEVERITY>INFO\n"
        "</STATUS>\n<STMTRS>\n<CURDEF>USD\n<BANKACCTFROM>\n<BANKID>121000248\n<ACCTID>1234\n"
        "<ACCTTYPE>CHECKING\n</BANKACCTFROM>\n<BANKTRANLIST>\n<DTSTART>20260101\n<DTEND>20260131\n"
        "<STMTTRN>\n<TRNTYPE>DEBIT\n<DTPOSTED>20260105\n<TRNAMT>-20.00\n<FITID>9\n<NAME>ATM\n"
        "</STMTTRN>\n</BANKTRANLIST>\n</STMTRS>\n</STMTTRNRS>\n</BANKMSGSRSV1>\n</OFX>\n";
    expectEntries(ofx(bytes), {{29, day(2026, 1, 5), "ATM", 2000, charge}});
}

struct PostedCase
{
    const char* posted;
    QDate date;
};

// libofx turns a time and zone into a moment; near midnight that moment
// falls on another day in most zones. The entry keeps the day written.
TEST(OfxStatement, TakesTheDayAsWrittenWhateverTheTimeAndZone)
{
    const PostedCase cases[] = {
        {"20251231", day(2025, 12, 31)},
        {"20251231000000", day(2025, 12, 31)},
        {"20251231235959", day(2025, 12, 31)},
        {"20251231233000[-5:EST]", day(2025, 12, 31)},
        {"20251231233000.000[-12]", day(2025, 12, 31)},
        {"20260101003000[+9:JST]", day(2026, 1, 1)},
        {"20260101000000[+14]", day(2026, 1, 1)},
        {"20260101000000[0:GMT]", day(2026, 1, 1)},
    };
    for (const char* zone : {"UTC", "America/Los_Angeles", "Pacific/Kiritimati", "Asia/Tokyo"}) {
        const QByteArray before = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        for (const PostedCase& c : cases) {
            const Statement s = ofx(sgmlCard(transaction(c.posted, "-1.00", "X")));
            ASSERT_EQ(s.entries.size(), 1U) << c.posted;
            EXPECT_EQ(s.entries[0].date, c.date) << c.posted << " in " << zone;
        }
        qputenv("TZ", before);
        tzset();
    }
}

TEST(OfxStatement, KeepsATransactionWithoutDateOrAmountWithItsProblem)
{
    const Statement s = ofx(sgmlCard("<STMTTRN>\r\n<TRNTYPE>DEBIT\r\n<TRNAMT>-1.00\r\n<NAME>A\r\n</STMTTRN>\r\n" +
                                     transaction("20260230", "-1.00", "B") +
                                     transaction("20260102", "0.00", "C") +
                                     transaction("20260102", "-99999999999999.00", "D")));
    ASSERT_EQ(s.entries.size(), 4U);
    EXPECT_EQ(s.entries[0].problem.toStdString(), "no date");
    EXPECT_EQ(s.entries[1].problem.toStdString(), "\"20260230\" is not a date");
    EXPECT_EQ(s.entries[2].problem.toStdString(), "\"0.00\" is not an amount");
    EXPECT_EQ(s.entries[3].problem.toStdString(), "\"-99999999999999.00\" is not an amount");
    for (const StatementEntry& e : s.entries)
        EXPECT_EQ(e.kind, EntryKind::None);
}

TEST(OfxStatement, LeavesNoFileBehindAndReadsFromAnyWorkingDirectory)
{
    QTemporaryDir tmp;
    QTemporaryDir work;
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    const QString oldWorking = QDir::currentPath();
    QDir::setCurrent(work.path());
    const Statement s = readOfxStatement(sample("lakeshore_2025_12.ofx"));
    const Statement relative = ofx(sgmlCard(transaction("20260102", "-1.00", "X")));
    QDir::setCurrent(oldWorking);
    qputenv("TMPDIR", before);
    EXPECT_EQ(s.entries.size(), 8U);
    EXPECT_EQ(relative.entries.size(), 1U);
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

struct FileCase
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

TEST(OfxStatement, RefusesAFileThatIsNoOfx)
{
    const FileCase cases[] = {
        {"empty", "", "Could not import \"t.ofx\": line 1: not an OFX statement."},
        {"csv", "Date,Description,Amount\n", "Could not import \"t.ofx\": line 1: not an OFX statement."},
        {"qif", "!Type:CCard\r\n", "Could not import \"t.ofx\": line 1: not an OFX statement."},
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11),
         "Could not import \"t.ofx\": line 1: not an OFX statement."},
    };
    for (const FileCase& c : cases)
        EXPECT_EQ(errorOf([&] { ofx(c.bytes); }), c.message) << c.label;
}

// libofx took minutes over deep nesting and seconds over huge tag names;
// those are refused first. Other damage it survives, giving what it could read.
TEST(OfxStatement, RefusesNestingAndTagsNoStatementHas)
{
    const QByteArray head = sgmlCard("").left(sgmlCard("").indexOf("<OFX>"));
    EXPECT_EQ(errorOf([&] { ofx(head + "<OFX>\r\n" + QByteArray(100000 * 3, 'x').replace("xxx", "<X>")); }),
              "Could not import \"t.ofx\": line 12: elements nest more than 100 deep.");
    EXPECT_EQ(errorOf([&] { ofx(head + "<OFX>\r\n<" + QByteArray(1000000, 'A') + ">x</OFX>"); }),
              "Could not import \"t.ofx\": line 12: a tag is longer than 256 characters.");
}

TEST(OfxStatement, SurvivesDamagedFilesWithoutInventingEntries)
{
    const QByteArray whole = sgmlCard(transaction("20260102", "-1.00", "X") +
                                      transaction("20260103", "-2.00", "Y"));
    const QByteArray head = whole.left(whole.indexOf("<OFX>"));
    const QByteArray damaged[] = {
        whole.left(whole.size() / 2),
        whole.left(whole.indexOf("<TRNAMT>")),
        head,
        head + QByteArray(1024, '\xff'),
        QByteArray(whole).replace("<NAME>", QByteArray("<NAME>\0\0", 8)),
        QByteArray(whole).replace("-1.00", "nan"),
        "<?OFX OFXHEADER=\"200\"?>\n<OFX><<<<>>>&&&;</OFX>",
    };
    for (const QByteArray& bytes : damaged) {
        const Statement s = ofx(bytes);
        EXPECT_LE(s.entries.size(), 2U);
        for (const StatementEntry& e : s.entries)
            EXPECT_TRUE(!e.problem.isEmpty() || (e.date.isValid() && e.cents > 0));
    }
}

} // namespace
