#include "core/platform/data_file.h"
#include "core/platform/file_history.h"
#include "core/platform/save_transaction.h"
#include "core/platform/user_error.h"
#include "support/temp_dir.h"

#include <cerrno>

// The undo history at the file layer: what one saved action records, how
// undo and redo put the bytes back as one save, and when the history ends
// rather than overwrite a file it did not write.
namespace {

using Folder = std::map<QString, QByteArray>;

const QString ledger = QStringLiteral("326.dat");
const QString infoFile = QStringLiteral("3info.dat");
const QString list = QStringLiteral("CardList.dat");

// A file written by hand, by another program or the user's editor.
void writeByHand(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A case's label as a test name: its letters and digits.
template <typename Param>
std::string nameOfLabel(const testing::TestParamInfo<Param>& test)
{
    std::string name;
    for (const char* c = test.param.label; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    return name;
}

class FileHistoryTest : public InTempDir
{
protected:
    // One user action: its saves reach the disk together at its end.
    template <typename Saves>
    void action(Saves&& saves)
    {
        DataFile::Transaction transaction;
        saves();
        transaction.commit();
    }

    static void save(const QString& name, const QByteArray& bytes)
    {
        DataFile::writeBytes(name, bytes);
    }

    FileHistory history;
};

TEST_F(FileHistoryTest, UndoPutsBackEveryFileOfTheActionAndRedoBringsTheChangeBack)
{
    putBytes(ledger, "old ledger\r\n");
    putBytes(infoFile, "old info\r\n");
    action([] {
        save(ledger, "new ledger\r\n");
        save(list, "a new list\r\n"); // there was none
        DataFile::remove(infoFile);
    });
    const Folder after = folderSnapshot();
    ASSERT_EQ(history.undoCount(), 1u);

    history.undo();
    EXPECT_EQ(folderSnapshot(), (Folder{{ledger, "old ledger\r\n"}, {infoFile, "old info\r\n"}}));
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.canRedo());

    history.redo();
    EXPECT_EQ(folderSnapshot(), after);
    EXPECT_TRUE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
}

TEST_F(FileHistoryTest, AFileSavedTwiceInOneActionComesBackToItsFirstBytes)
{
    putBytes(ledger, "first\r\n");
    action([] {
        save(ledger, "second\r\n");
        save(ledger, "third\r\n");
    });
    history.undo();
    EXPECT_EQ(bytesOf(ledger), QByteArray("first\r\n"));
    history.redo();
    EXPECT_EQ(bytesOf(ledger), QByteArray("third\r\n"));
}

TEST_F(FileHistoryTest, StepsUndoInReverseOrderAndANewActionDropsWhatWaitedForRedo)
{
    action([] { save(ledger, "1\r\n"); });
    action([] { save(ledger, "2\r\n"); });
    action([] { save(infoFile, "i\r\n"); });
    history.undo();
    history.undo();
    EXPECT_EQ(folderSnapshot(), (Folder{{ledger, "1\r\n"}}));
    EXPECT_EQ(history.redoCount(), 2u);

    action([] { save(list, "l\r\n"); });
    EXPECT_FALSE(history.canRedo());
    history.undo();
    history.undo();
    EXPECT_EQ(folderSnapshot(), Folder{});
    EXPECT_FALSE(history.canUndo());
}

struct NoStep
{
    const char* label;
    void (*act)();
};

class ActionsWithoutStep : public FileHistoryTest, public testing::WithParamInterface<NoStep>
{};

TEST_P(ActionsWithoutStep, LeaveNothingToUndo)
{
    putBytes(ledger, "same\r\n");
    GetParam().act();
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(bytesOf(ledger), QByteArray("same\r\n"));
}

INSTANTIATE_TEST_SUITE_P(FileHistory, ActionsWithoutStep,
                         testing::Values(NoStep{"the same bytes saved again",
                                                [] {
                                                    DataFile::Transaction t;
                                                    DataFile::writeBytes(ledger, "same\r\n");
                                                    t.commit();
                                                }},
                                         NoStep{"an action thrown away",
                                                [] {
                                                    DataFile::Transaction t;
                                                    DataFile::writeBytes(ledger, "other\r\n");
                                                    t.rollback();
                                                    t.commit();
                                                }},
                                         NoStep{"an action never committed",
                                                [] {
                                                    DataFile::Transaction t;
                                                    DataFile::writeBytes(ledger, "other\r\n");
                                                }},
                                         NoStep{"a save that failed",
                                                [] {
                                                    DataFile::failNextWrite(ledger, ENOSPC);
                                                    DataFile::Transaction t;
                                                    EXPECT_THROW(
                                                        DataFile::writeBytes(ledger, "other\r\n"),
                                                        UserError);
                                                    t.commit();
                                                }},
                                         NoStep{"a removal of a file that is not there",
                                                [] {
                                                    DataFile::Transaction t;
                                                    DataFile::remove(infoFile);
                                                    t.commit();
                                                }}),
                         nameOfLabel<NoStep>);

TEST_F(FileHistoryTest, AFailedSaveKeepsWhatTheActionSavedBeforeAsOneStep)
{
    putBytes(ledger, "old\r\n");
    putBytes(infoFile, "old info\r\n");
    DataFile::failNextWrite(infoFile, ENOSPC);
    action([] {
        save(ledger, "new\r\n");
        EXPECT_THROW(save(infoFile, "new info\r\n"), UserError);
    });
    EXPECT_EQ(bytesOf(ledger), QByteArray("new\r\n"));
    history.undo();
    EXPECT_EQ(folderSnapshot(), (Folder{{ledger, "old\r\n"}, {infoFile, "old info\r\n"}}));
}

TEST_F(FileHistoryTest, AnUndoWhoseSaveFailsChangesNothingAndCanBeTriedAgain)
{
    putBytes(ledger, "old\r\n");
    putBytes(infoFile, "old info\r\n");
    action([] {
        save(ledger, "new\r\n");
        save(infoFile, "new info\r\n");
    });
    const Folder after = folderSnapshot();
    DataFile::failNextWrite(infoFile, ENOSPC);
    try {
        history.undo();
        FAIL() << "the undo did not report its failed save";
    } catch (const UserError& error) {
        EXPECT_EQ(QString::fromStdString(error.what()),
                  QStringLiteral("Could not save \"3info.dat\": No space left on device"));
    }
    EXPECT_EQ(folderSnapshot(), after);
    EXPECT_EQ(history.undoCount(), 1u);

    history.undo();
    EXPECT_EQ(folderSnapshot(), (Folder{{ledger, "old\r\n"}, {infoFile, "old info\r\n"}}));
}

TEST_F(FileHistoryTest, AFailedUndoInsideTheWindowsActionLeavesNoFileHalfRestored)
{
    putBytes(ledger, "old\r\n");
    putBytes(infoFile, "old info\r\n");
    action([] {
        save(ledger, "new\r\n");
        save(infoFile, "new info\r\n");
    });
    const Folder after = folderSnapshot();
    DataFile::failNextWrite(infoFile, ENOSPC);
    {
        // The window's handler is the action; the undo runs inside it.
        DataFile::Transaction handler;
        EXPECT_THROW(history.undo(), UserError);
        handler.commit();
    }
    EXPECT_EQ(folderSnapshot(), after);
    EXPECT_TRUE(history.canUndo());
}

struct HandEdit
{
    const char* label;
    bool redo;
    void (*edit)();
    const char* message;
};

class HandEdits : public FileHistoryTest, public testing::WithParamInterface<HandEdit>
{};

TEST_P(HandEdits, EndTheHistoryInsteadOfBeingOverwritten)
{
    action([] { save(ledger, "1\r\n"); });
    action([] {
        save(ledger, "2\r\n");
        save(infoFile, "i\r\n");
    });
    if (GetParam().redo)
        history.undo();
    GetParam().edit();
    const Folder edited = folderSnapshot();
    try {
        if (GetParam().redo)
            history.redo();
        else
            history.undo();
        FAIL() << "the hand edit went unnoticed";
    } catch (const UserError& error) {
        EXPECT_EQ(QString::fromStdString(error.what()), QString::fromLatin1(GetParam().message));
    }
    EXPECT_EQ(folderSnapshot(), edited);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
}

INSTANTIATE_TEST_SUITE_P(
    FileHistory, HandEdits,
    testing::Values(
        HandEdit{"changed", false, [] { writeByHand(infoFile, "typed\r\n"); },
                 "\"3info.dat\" was changed outside Quillfen Pursewise, so the changes before it "
                 "can no longer be undone. Nothing was overwritten."},
        HandEdit{"deleted", false, [] { QFile::remove(ledger); },
                 "\"326.dat\" was changed outside Quillfen Pursewise, so the changes before it "
                 "can no longer be undone. Nothing was overwritten."},
        HandEdit{"made before a redo", true, [] { writeByHand(infoFile, "made\r\n"); },
                 "\"3info.dat\" was changed outside Quillfen Pursewise, so the changes before it "
                 "can no longer be redone. Nothing was overwritten."}),
    nameOfLabel<HandEdit>);

TEST_F(FileHistoryTest, UpkeepAloneIsNoStepYetUndoAndRedoAcceptItsBytes)
{
    action([] { save(ledger, "entry\r\n"); });
    {
        const FileHistory::Upkeep upkeep;
        action([] { save(ledger, "entry recomputed\r\n"); });
    }
    ASSERT_EQ(history.undoCount(), 1u);
    history.undo();
    EXPECT_EQ(folderSnapshot(), Folder{});
    // Reopening after the undo brings the file up to date again.
    {
        const FileHistory::Upkeep upkeep;
        action([] { save(infoFile, "opened\r\n"); });
    }
    history.redo();
    EXPECT_EQ(folderSnapshot(),
              (Folder{{ledger, "entry recomputed\r\n"}, {infoFile, "opened\r\n"}}));
}

TEST_F(FileHistoryTest, UpkeepInsideAUserActionBelongsToItsStep)
{
    putBytes(infoFile, "old\r\n");
    action([] {
        save(ledger, "entry\r\n");
        const FileHistory::Upkeep upkeep;
        save(infoFile, "recomputed\r\n");
    });
    history.undo();
    EXPECT_EQ(folderSnapshot(), (Folder{{infoFile, "old\r\n"}}));
}

TEST_F(FileHistoryTest, KeepsTheLastStepsUpToItsLimit)
{
    const int actions = int(FileHistory::stepLimit) + 5;
    for (int i = 1; i <= actions; ++i)
        action([i] { save(ledger, QByteArray::number(i)); });
    EXPECT_EQ(history.undoCount(), FileHistory::stepLimit);
    while (history.canUndo())
        history.undo();
    EXPECT_EQ(bytesOf(ledger), QByteArray::number(actions - int(FileHistory::stepLimit)));
}

TEST_F(FileHistoryTest, SavesOutsideAnActionAreNotRecorded)
{
    save(ledger, "alone\r\n");
    EXPECT_FALSE(history.canUndo());
}

} // namespace
