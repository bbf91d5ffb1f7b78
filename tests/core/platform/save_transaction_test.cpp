#include "core/platform/data_file.h"
#include "core/platform/messages.h"
#include "core/platform/save_transaction.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

#include <QFileInfo>

#include <sys/stat.h>

// The saves of one action held back until it ends, the journal that makes
// them one step, and what start-up does with a journal or temporary files a
// crash left behind.
namespace {

using SaveTransaction = InTempDir;

const QString ledger = QStringLiteral("326.dat");
const QString info = QStringLiteral("3info.dat");
const QString list = QStringLiteral("CardList.dat");

TEST_F(SaveTransaction, HoldsSavesBackUntilCommitYetReadsThemBack)
{
    putBytes(ledger, "old\r\n");
    putBytes(info, "info\r\n");
    DataFile::Transaction action;
    DataFile::writeLines(ledger, {QStringLiteral("new")});
    DataFile::remove(info);
    // The rest of the action sees what it saved; the disk does not yet.
    EXPECT_EQ(DataFile::readLines(ledger), QStringList{QStringLiteral("new")});
    EXPECT_FALSE(DataFile::exists(info));
    QByteArray bytes;
    EXPECT_FALSE(DataFile::readBytesIfFile(info, bytes));
    EXPECT_EQ(bytesOf(ledger), QByteArray("old\r\n"));
    EXPECT_EQ(bytesOf(info), QByteArray("info\r\n"));

    action.commit();
    EXPECT_EQ(folderSnapshot(), (std::map<QString, QByteArray>{{ledger, "new\r\n"}}));
}

TEST_F(SaveTransaction, AnActionThatNeverCommitsLeavesEveryFileAsItWas)
{
    putBytes(ledger, "old\r\n");
    const auto before = folderSnapshot();
    {
        DataFile::Transaction action;
        DataFile::writeLines(ledger, {QStringLiteral("new")});
        DataFile::writeLines(list, {QStringLiteral("1")});
        DataFile::remove(ledger);
    }
    EXPECT_EQ(folderSnapshot(), before);
}

TEST_F(SaveTransaction, TheLastSaveOfAFileInAnActionIsTheOneKept)
{
    DataFile::Transaction action;
    DataFile::writeLines(ledger, {QStringLiteral("first")});
    DataFile::remove(ledger);
    DataFile::writeLines(ledger, {QStringLiteral("second")});
    DataFile::writeLines(ledger, {QStringLiteral("third")});
    action.commit();
    EXPECT_EQ(folderSnapshot(), (std::map<QString, QByteArray>{{ledger, "third\r\n"}}));
}

TEST_F(SaveTransaction, AnInnerTransactionBelongsToTheOuterOne)
{
    DataFile::Transaction outer;
    {
        DataFile::Transaction inner;
        DataFile::writeLines(ledger, {QStringLiteral("new")});
        inner.commit();
    }
    EXPECT_FALSE(QFileInfo::exists(ledger));
    outer.commit();
    EXPECT_EQ(bytesOf(ledger), QByteArray("new\r\n"));
}

TEST_F(SaveTransaction, TheGuardCommitsWhatTheHandlerSavedBeforeItStopped)
{
    MessageRecorder messages;
    guarded([] {
        DataFile::writeLines(ledger, {QStringLiteral("saved")});
        throw UserError("'x' is not a valid integer value");
    });
    EXPECT_EQ(messages.shown(), QStringList{QStringLiteral("'x' is not a valid integer value")});
    EXPECT_EQ(folderSnapshot(), (std::map<QString, QByteArray>{{ledger, "saved\r\n"}}));
}

TEST_F(SaveTransaction, ARollbackThrowsAwayTheWholeActionsSavesAndRemovals)
{
    putBytes(ledger, "old\r\n");
    putBytes(info, "info\r\n");
    const auto before = folderSnapshot();
    MessageRecorder messages;
    guarded([&before] {
        // Staged by the handler before the part that must not half happen.
        DataFile::writeLines(list, {QStringLiteral("1")});
        DataFile::Transaction part;
        DataFile::writeLines(ledger, {QStringLiteral("new")});
        DataFile::remove(info);
        part.rollback();
        // Reads see the files as they were, and no temporary file is left.
        EXPECT_EQ(DataFile::readLines(ledger), QStringList{QStringLiteral("old")});
        EXPECT_TRUE(DataFile::exists(info));
        EXPECT_FALSE(DataFile::exists(list));
        EXPECT_EQ(folderSnapshot(), before);
    });
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(folderSnapshot(), before);
}

TEST_F(SaveTransaction, SavesAfterARollbackAreCommittedAsUsual)
{
    DataFile::Transaction action;
    DataFile::writeLines(ledger, {QStringLiteral("dropped")});
    action.rollback();
    DataFile::writeLines(info, {QStringLiteral("kept")});
    action.commit();
    EXPECT_EQ(folderSnapshot(), (std::map<QString, QByteArray>{{info, "kept\r\n"}}));
}

TEST_F(SaveTransaction, ASaveKeepsThePermissionsOfTheFileItReplaces)
{
    putBytes(ledger, "old\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(ledger).constData(), 0640), 0);
    DataFile::writeLines(ledger, {QStringLiteral("new")});
    struct stat status = {};
    ASSERT_EQ(::stat(QFile::encodeName(ledger).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// A journal as a commit writes it, with the temporary files it names.
void leaveJournal(const QByteArray& text)
{
    QFile file(DataFile::journalName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST_F(SaveTransaction, StartUpFinishesAJournalACrashLeft)
{
    // The crash came after the first rename: the ledger is new already, the
    // list's new bytes still wait, and the information file is still there.
    putBytes(ledger, "new ledger\r\n");
    putBytes(list, "old list\r\n");
    putBytes(QStringLiteral("CardList.dat.Ab12Cd"), "new list\r\n");
    putBytes(info, "info\r\n");
    leaveJournal("Quillfen Pursewise journal\r\nsave 326.dat.Xy34Zw\r\n"
                 "save CardList.dat.Ab12Cd\r\ndelete 3info.dat\r\ncommit\r\n");
    DataFile::recover();
    EXPECT_EQ(folderSnapshot(), (std::map<QString, QByteArray>{{ledger, "new ledger\r\n"},
                                                               {list, "new list\r\n"}}));
}

TEST_F(SaveTransaction, ACommitThatCannotWriteItsJournalChangesNothing)
{
    putBytes(info, "info\r\n");
    ASSERT_TRUE(QDir().mkdir(DataFile::journalName));
    {
        DataFile::Transaction action;
        DataFile::writeLines(ledger, {QStringLiteral("new")});
        DataFile::remove(info);
        EXPECT_THROW(action.commit(), UserError);
    }
    ASSERT_TRUE(QDir().rmdir(DataFile::journalName));
    EXPECT_EQ(folderSnapshot(), (std::map<QString, QByteArray>{{info, "info\r\n"}}));
}

struct DamagedJournal
{
    const char* label;
    QByteArray text;
};

class SaveTransactionJournal : public InTempDir, public testing::WithParamInterface<DamagedJournal>
{};

TEST_P(SaveTransactionJournal, AJournalThisProgramDidNotWriteWholeChangesNothing)
{
    putBytes(list, "old list\r\n");
    putBytes(QStringLiteral("CardList.dat.Ab12Cd"), "new list\r\n");
    leaveJournal(GetParam().text);
    try {
        DataFile::recover();
        FAIL() << "no message";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The unfinished saves listed in Pursewise.journal could not be read, so they "
                  "were not finished; the file was kept as Pursewise.journal.damaged.");
    }
    EXPECT_EQ(bytesOf(list), QByteArray("old list\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("Pursewise.journal.damaged")), GetParam().text);
    EXPECT_FALSE(QFileInfo::exists(DataFile::journalName));
}

const DamagedJournal damagedJournals[] = {
    {"NoCommitLine", "Quillfen Pursewise journal\r\nsave CardList.dat.Ab12Cd\r\n"},
    {"CutInTheMiddleOfALine", "Quillfen Pursewise journal\r\nsave CardList.dat.Ab1"},
    {"Empty", ""},
    {"NoFirstLine", "save CardList.dat.Ab12Cd\r\ncommit\r\n"},
    {"LfOnly", "Quillfen Pursewise journal\nsave CardList.dat.Ab12Cd\ncommit\n"},
    {"AnUnknownLine", "Quillfen Pursewise journal\r\nmove CardList.dat.Ab12Cd\r\ncommit\r\n"},
    {"APathOutOfTheFolder",
     "Quillfen Pursewise journal\r\nsave ../CardList.dat.Ab12Cd\r\ncommit\r\n"},
    {"AnAbsolutePath", "Quillfen Pursewise journal\r\ndelete /etc/CardList.dat\r\ncommit\r\n"},
    {"ASaveOfNoTemporaryFile", "Quillfen Pursewise journal\r\nsave CardList.dat\r\ncommit\r\n"},
    {"ANulByte", QByteArray("Quillfen Pursewise journal\r\ndelete Card\0List.dat\r\ncommit\r\n", 58)},
};

INSTANTIATE_TEST_SUITE_P(Journals, SaveTransactionJournal, testing::ValuesIn(damagedJournals),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SaveTransaction, StartUpRemovesLeftoverTemporaryFilesOnly)
{
    const QStringList leftovers{"326.dat.Xy12Ab", "CardList.dat.a1b2c3", "Pursewise.journal.QQ11zz"};
    const QStringList kept{"326.dat",         "326.dat.damaged", "326.dat.damaged.1",
                           "notes.txt.Ab12Cd", "326.dat.Ab12C",  "326.dat.Ab-2Cd"};
    for (const QString& name : leftovers + kept)
        putBytes(name, "x");
    DataFile::recover();
    QStringList left = QDir().entryList(QDir::Files, QDir::Name);
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(left, expected);
}

TEST_F(SaveTransaction, AFolderInAFilesPlaceFailsTheSaveBeforeAnythingIsStaged)
{
    ASSERT_TRUE(QDir().mkdir(ledger));
    DataFile::Transaction action;
    try {
        DataFile::writeLines(ledger, {QStringLiteral("new")});
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not save \"326.dat\": Is a directory");
    }
    action.commit();
    EXPECT_TRUE(QFileInfo(ledger).isDir());
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList());
}

} // namespace
