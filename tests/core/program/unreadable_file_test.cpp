#include "core/platform/data_file.h"
#include "support/program_fixture.h"

#include <QDir>

// Files that are there but cannot be read: larger than any file the program
// writes, or a folder in a file's place. No copy of them is kept, so nothing
// may be saved over them: the load stops and so does every later save of
// that file.
namespace {

using UnreadableFile = ProgramTest;

// The largest file the program reads: larger than any it writes.
constexpr qsizetype fourMegabytes = 4 * 1024 * 1024;

const QString listFile = QStringLiteral("CardList.dat");

QByteArray tooLarge()
{
    return "1\r\n1\r\n0 1 1. " + QByteArray(fourMegabytes, 'x') + "\r\n";
}

TEST_F(UnreadableFile, AHugeCardListIsRefusedAtStartUpAndNeverSavedOver)
{
    const QByteArray huge = tooLarge();
    putBytes(listFile, huge);
    messages.clear();
    restart();
    ASSERT_EQ(messages.shown().size(), 1) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(messages.shown().front(),
              QStringLiteral("Could not read \"CardList.dat\": it holds %1 bytes, more than any "
                             "file this program writes (4 MB). It is left as it is.")
                  .arg(huge.size()));
    EXPECT_EQ(p().cardList.cardCount(), 0);
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));

    const auto before = folderSnapshot();
    messages.clear();
    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });
    EXPECT_EQ(messages.shown(),
              QStringList{"CardList.dat could not be read, so the program does not save over it."});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(bytesOf(listFile), huge);
    EXPECT_FALSE(QFile::exists(listFile + QStringLiteral(".damaged")));
}

TEST_F(UnreadableFile, ACardListThatIsAFolderIsReportedAndNoCardIsAdded)
{
    ASSERT_TRUE(QDir().mkdir(listFile));
    messages.clear();
    restart();
    EXPECT_EQ(messages.shown(), QStringList{"Could not read \"CardList.dat\": Is a directory"});
    messages.clear();
    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });
    EXPECT_EQ(messages.shown(),
              QStringList{"CardList.dat could not be read, so the program does not save over it."});
    EXPECT_TRUE(folderSnapshot().empty());
}

TEST_F(UnreadableFile, AHugeSummaryIsNeverSavedOver)
{
    p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
    const QByteArray huge(fourMegabytes + 1, '7');
    putBytes(QStringLiteral("summary.dat"), huge);
    messages.clear();
    restart();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().front().startsWith(
        QStringLiteral("Could not read \"summary.dat\": it holds 4194305 bytes")));
    messages.clear();
    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });
    EXPECT_EQ(messages.shown(),
              QStringList{"summary.dat could not be read, so the program does not save over it."});
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), huge);
}

// A folder in the place of the card's information file was read as no file:
// the card opened with empty totals, and the next posting saved the summary
// and the list with them before "Could not save" came.
TEST_F(UnreadableFile, AnInfoFileThatIsAFolderStopsTheOpeningAndChangesNoFile)
{
    p().tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("50.00")));
    ASSERT_TRUE(QFile::remove(QStringLiteral("1info.dat")));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("1info.dat")));
    restart();
    const auto before = folderSnapshot();
    messages.clear();
    clickCard(1);
    guarded([this] { mainWindow().B1Click(); });
    EXPECT_EQ(messages.shown(), QStringList{"Could not read \"1info.dat\": Is a directory"});
    EXPECT_FALSE(p().reg.shown);
    EXPECT_EQ(folderSnapshot(), before);
}

// A ledger larger than any the program writes stops the opening of its card
// and is kept as it is: no copy, no save over it.
TEST_F(UnreadableFile, AHugeLedgerStopsTheOpeningAndStaysAsItIs)
{
    p().tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("50.00")));
    const QByteArray huge = "1\r\n2 1 " + QByteArray(fourMegabytes, 'd') + "\r\n";
    putBytes(QStringLiteral("126.dat"), huge);
    restart();
    const auto before = folderSnapshot();
    messages.clear();
    clickCard(1);
    guarded([this] { mainWindow().B1Click(); });
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().front().startsWith(QStringLiteral("Could not read \"126.dat\"")));
    EXPECT_FALSE(p().reg.shown);
    EXPECT_EQ(folderSnapshot(), before);
}

} // namespace
