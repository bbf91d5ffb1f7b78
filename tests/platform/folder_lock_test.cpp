#include "platform/folder_lock.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QLockFile>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using FolderLockTest = InTempDir;

TEST_F(FolderLockTest, TheFirstProgramTakesTheFolder)
{
    FolderLock lock(path());
    EXPECT_EQ(lock.take(), FolderLock::Outcome::Taken);
    EXPECT_TRUE(lock.isHeld());
    EXPECT_TRUE(QFile::exists(QStringLiteral("Pursewise.lock")));
}

TEST_F(FolderLockTest, ASecondProgramInTheSameFolderIsRefused)
{
    FolderLock first(path());
    ASSERT_EQ(first.take(), FolderLock::Outcome::Taken);
    FolderLock second(path());
    EXPECT_EQ(second.take(), FolderLock::Outcome::HeldByAnother);
    EXPECT_FALSE(second.isHeld());
    EXPECT_TRUE(first.isHeld());
}

TEST_F(FolderLockTest, TheFolderIsFreeAgainOnceTheFirstProgramEnds)
{
    {
        FolderLock first(path());
        ASSERT_EQ(first.take(), FolderLock::Outcome::Taken);
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("Pursewise.lock")));
    FolderLock second(path());
    EXPECT_EQ(second.take(), FolderLock::Outcome::Taken);
}

TEST_F(FolderLockTest, ProgramsInTwoFoldersDoNotMeet)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("other")));
    FolderLock here(path());
    FolderLock there(QDir(path()).filePath(QStringLiteral("other")));
    EXPECT_EQ(here.take(), FolderLock::Outcome::Taken);
    EXPECT_EQ(there.take(), FolderLock::Outcome::Taken);
}

// A program that took the lock and died without giving it back, as in a
// crash or a power cut: its process no longer runs.
void crashWhileHoldingTheLock(const QString& folder)
{
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(QDir(folder).filePath(FolderLock::fileName));
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FolderLockTest, ALockLeftByACrashedProgramIsTakenOver)
{
    crashWhileHoldingTheLock(path());
    ASSERT_TRUE(QFile::exists(QStringLiteral("Pursewise.lock")));

    FolderLock lock(path());
    EXPECT_EQ(lock.take(), FolderLock::Outcome::Taken);
}

TEST_F(FolderLockTest, AnOldLockOfARunningProgramIsNotStale)
{
    FolderLock first(path());
    ASSERT_EQ(first.take(), FolderLock::Outcome::Taken);
    // A day old, as when the first program has been open since yesterday.
    QFile lockFile(QStringLiteral("Pursewise.lock"));
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                     QFileDevice::FileModificationTime));
    lockFile.close();

    FolderLock second(path());
    EXPECT_EQ(second.take(), FolderLock::Outcome::HeldByAnother);
}

using StartUpLock = InTempDir;

TEST_F(StartUpLock, ASecondCopySaysSoAndTouchesNoFile)
{
    putBytes(QStringLiteral("CardList.dat"), "1\r\n1\r\n0 1 1. Visa\r\n");
    FolderLock first(path());
    ASSERT_EQ(first.take(), FolderLock::Outcome::Taken);
    const auto before = folderSnapshot();

    MessageRecorder messages;
    FolderLock second(path());
    EXPECT_FALSE(lockDataFolder(second));

    EXPECT_EQ(messages.shown(),
              QStringList{QStringLiteral("Quillfen Pursewise is already running with the data "
                                         "folder \"%1\". Use the program that is open; this copy "
                                         "closes without changing anything.")
                              .arg(QDir::toNativeSeparators(path()))});
    EXPECT_EQ(folderSnapshot(), before);
}

TEST_F(StartUpLock, TwoProgramsInOneFolderTheSecondLeaves)
{
    putBytes(QStringLiteral("CardList.dat"), "1\r\n1\r\n0 1 1. Visa\r\n");
    int ready[2];
    int done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t first = fork();
    if (first == 0) {
        // The first program: holds the folder until told to quit.
        FolderLock lock(path());
        const char taken = lock.take() == FolderLock::Outcome::Taken ? 'y' : 'n';
        char quit = 0;
        const bool talked = write(ready[1], &taken, 1) == 1 && read(done[0], &quit, 1) == 1;
        _exit(talked ? 0 : 1);
    }
    char taken = 0;
    ASSERT_EQ(read(ready[0], &taken, 1), 1);
    ASSERT_EQ(taken, 'y');
    const auto before = folderSnapshot();

    MessageRecorder messages;
    FolderLock second(path());
    const bool secondRuns = lockDataFolder(second);
    const auto after = folderSnapshot();

    const char quit = 'q';
    EXPECT_EQ(write(done[1], &quit, 1), 1);
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_FALSE(secondRuns);
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(after, before);
    // Once the first program has ended, the folder is free.
    FolderLock third(path());
    EXPECT_EQ(third.take(), FolderLock::Outcome::Taken);
}

TEST_F(StartUpLock, TheOnlyCopyStartsWithoutAMessage)
{
    MessageRecorder messages;
    FolderLock lock(path());
    EXPECT_TRUE(lockDataFolder(lock));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(StartUpLock, AFolderThatCannotTakeTheLockIsSaidToBeReadOnlyAndOpens)
{
    ReadOnlyFolder readOnly(path());
    const std::string result = asUnprivilegedUser([this] {
        MessageRecorder messages;
        FolderLock lock(path());
        const bool opens = lockDataFolder(lock);
        return std::string(opens ? "opens: " : "leaves: ") +
               messages.shown().join(u'|').toStdString();
    });
    EXPECT_EQ(result, QStringLiteral("opens: The lock file Pursewise.lock could not be made in the "
                                     "data folder \"%1\", so changes probably cannot be saved "
                                     "there either.")
                          .arg(QDir::toNativeSeparators(path()))
                          .toStdString());
}

} // namespace
