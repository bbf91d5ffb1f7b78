#include "support/program_fixture.h"

#include <QDir>
#include <QFileInfo>

#include <map>

// Deleting a card removes the ledger of every year its year list names. The
// list is a text file a user can edit or a damaged disk can garble, so a line
// of it must never steer the deletion to a file outside the data folder, into
// a folder inside it, or onto a file of another card: card 1's key followed by
// "226" is card 12's ledger for 2026.
namespace {

struct YearLineCase
{
    const char* label;
    const char* line;   // the damaged line of card 1's year list
    const char* victim; // where card 1's key + line + ".dat" points, from the data folder
    const char* folder; // a folder the path climbs out of, made so that it resolves
};

void PrintTo(const YearLineCase& c, std::ostream* os)
{
    *os << c.label;
}

const QByteArray victimBytes("not a ledger\r\n");

class DeleteCardYearLines : public ProgramTest, public testing::WithParamInterface<YearLineCase>
{
protected:
    // The program works in a folder inside the temporary one, so that a path
    // climbing out of the data folder still lands where the test can look.
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(QDir().mkdir(QStringLiteral("data")));
        ASSERT_TRUE(QDir::setCurrent(QStringLiteral("data")));
        restart();
    }
};

TEST_P(DeleteCardYearLines, NeverTouchAFileOutsideTheCardsOwnFiles)
{
    const YearLineCase& c = GetParam();
    addSampleCards(p(), 12);
    putBytes(QStringLiteral("1rc.dat"), QByteArray("11/30/26\r\n0.00\r\n"));
    putBytes(QStringLiteral("12rc.dat"), QByteArray("11/30/26\r\n0.00\r\n"));
    const QString victim = QString::fromLatin1(c.victim);
    ASSERT_TRUE(QDir().mkpath(QString::fromLatin1(c.folder)));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(victim).path()));
    if (!QFileInfo::exists(victim))
        putBytes(victim, victimBytes);
    const QByteArray victimBefore = bytesOf(victim);
    putBytes(QStringLiteral("1yl.dat"), QByteArray("26\r\n") + c.line + "\r\n");
    const QStringList otherCard{"12info.dat", "1226.dat", "12bb.dat", "12yl.dat", "12rc.dat"};
    std::map<QString, QByteArray> otherBefore;
    for (const QString& name : otherCard)
        otherBefore[name] = bytesOf(name);

    clickCard(p().cardList.RowOfKey(QStringLiteral("1")));
    mainWindow().B3Click();

    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(bytesOf(victim).toStdString(), victimBefore.toStdString()) << victim.toStdString();
    for (const QString& name : otherCard)
        EXPECT_EQ(bytesOf(name).toStdString(), otherBefore[name].toStdString())
            << name.toStdString();
    for (const char* own : {"126.dat", "1info.dat", "1bb.dat", "1yl.dat", "1rc.dat"})
        EXPECT_FALSE(QFileInfo::exists(QString::fromLatin1(own))) << own;
    EXPECT_EQ(p().cardList.RowOfKey(QStringLiteral("1")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    DamagedYearLists, DeleteCardYearLines,
    testing::Values(YearLineCase{"ParentFolder", "/../../victim", "../victim.dat", "1"},
                    YearLineCase{"DotDotSlash", "../victim", "1../victim.dat", "."},
                    YearLineCase{"DotDotBackslash", "..\\victim", "1..\\victim.dat", "."},
                    YearLineCase{"SubfolderDotDot", "sub/..", "1sub/...dat", "."},
                    YearLineCase{"AbsoluteLooking", "/tmp/x", "1/tmp/x.dat", "."},
                    YearLineCase{"DotDotAlone", "..", "1...dat", "."},
                    YearLineCase{"YearThenClimb", "26/../../x", "../x.dat", "126"},
                    YearLineCase{"YearThenClimbToAnotherCard", "26/../12info", "12info.dat", "126"},
                    YearLineCase{"OtherCardsLedger", "226", "1226.dat", "."},
                    YearLineCase{"OtherCardsInfo", "2info", "12info.dat", "."},
                    YearLineCase{"OtherCardsYearList", "2yl", "12yl.dat", "."},
                    YearLineCase{"OtherCardsBalances", "2bb", "12bb.dat", "."},
                    YearLineCase{"OtherCardsStatement", "2rc", "12rc.dat", "."},
                    YearLineCase{"EmptyLine", "", "1.dat", "."}),
    [](const testing::TestParamInfo<YearLineCase>& info) { return info.param.label; });

} // namespace
