#include "core/platform/folder_lock.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <functional>
#include <map>

#include <ostream>
#include <sys/stat.h>
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

// --- Lock files that no program holds ---

// What was left in the lock file's place, and how.
struct LeftOverCase
{
    const char* label;
    std::function<void()> leave;
    std::map<QString, QByteArray> aside; // files that must be kept, by path
};

void PrintTo(const LeftOverCase& c, std::ostream* os)
{
    *os << c.label;
}

void leaveLockFile(const QByteArray& bytes)
{
    QFile file(FolderLock::fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void leaveLockFolder(const std::map<QString, QByteArray>& files)
{
    ASSERT_TRUE(QDir().mkdir(FolderLock::fileName));
    for (const auto& [name, bytes] : files) {
        QFile file(QDir(FolderLock::fileName).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
}

class AbandonedLock : public InTempDir, public testing::WithParamInterface<LeftOverCase>
{};

TEST_P(AbandonedLock, IsTakenOverAndNothingOfTheUsersIsLost)
{
    const LeftOverCase& c = GetParam();
    c.leave();
    ASSERT_TRUE(QFileInfo::exists(FolderLock::fileName));

    FolderLock lock(path());
    EXPECT_EQ(lock.take(), FolderLock::Outcome::Taken) << c.label;
    EXPECT_TRUE(lock.isHeld());

    // The lock is now this program's own, and a second copy is refused.
    qint64 pid = 0;
    QString host;
    QString app;
    QLockFile probe(QDir(path()).filePath(FolderLock::fileName));
    ASSERT_TRUE(probe.getLockInfo(&pid, &host, &app));
    EXPECT_EQ(pid, qint64(getpid()));
    FolderLock second(path());
    EXPECT_EQ(second.take(), FolderLock::Outcome::HeldByAnother);
    for (const auto& [name, bytes] : c.aside)
        EXPECT_EQ(bytesOf(name), bytes) << c.label << ": " << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Leftovers, AbandonedLock,
    testing::Values(
        LeftOverCase{"an empty lock file", [] { leaveLockFile(QByteArray()); }, {}},
        LeftOverCase{"a lock file of garbage",
                     [] { leaveLockFile(QByteArray("\xff\xfe\0 garbage\r\nmore")); },
                     {}},
        LeftOverCase{"a lock file of blank lines", [] { leaveLockFile("\n\n\n"); }, {}},
        LeftOverCase{"an empty folder in its place", [] { leaveLockFolder({}); }, {}},
        LeftOverCase{"a folder holding a file, moved aside whole",
                     [] { leaveLockFolder({{QStringLiteral("notes.txt"), "keep me\r\n"}}); },
                     {{QStringLiteral("Pursewise.lock.damaged/notes.txt"), "keep me\r\n"}}},
        LeftOverCase{"a folder holding a hidden file, moved aside whole",
                     [] { leaveLockFolder({{QStringLiteral(".hidden"), "x"}}); },
                     {{QStringLiteral("Pursewise.lock.damaged/.hidden"), "x"}}},
        LeftOverCase{"a folder whose usual place aside is taken goes to the next free name",
                     [] {
                         ASSERT_TRUE(QDir().mkdir(QStringLiteral("Pursewise.lock.damaged")));
                         QFile older(QStringLiteral("Pursewise.lock.damaged/old.txt"));
                         ASSERT_TRUE(older.open(QIODevice::WriteOnly));
                         ASSERT_EQ(older.write("old"), 3);
                         older.close();
                         leaveLockFolder({{QStringLiteral("new.txt"), "new"}});
                     },
                     {{QStringLiteral("Pursewise.lock.damaged/old.txt"), "old"},
                      {QStringLiteral("Pursewise.lock.damaged.1/new.txt"), "new"}}}),
    [](const testing::TestParamInfo<LeftOverCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(FolderLockTest, AnUnreadableLockFileOfTheUsersOwnThatNoProgramHoldsIsTakenOver)
{
    FolderOpenToAll open(path());
    const std::string result = asUnprivilegedUser([this] {
        {
            QFile file(FolderLock::fileName);
            if (!file.open(QIODevice::WriteOnly) || file.write("junk") != 4)
                return std::string("no lock file");
        }
        if (chmod(FolderLock::fileName.toLocal8Bit().constData(), 0) != 0)
            return std::string("no chmod");
        FolderLock lock(path());
        const bool taken = lock.take() == FolderLock::Outcome::Taken;
        FolderLock second(path());
        const bool secondRefused = second.take() == FolderLock::Outcome::HeldByAnother;
        return std::string(taken ? "taken" : "refused") +
               (secondRefused ? ", second refused" : ", second not refused");
    });
    EXPECT_EQ(result, "taken, second refused");
}

TEST_F(FolderLockTest, AnAbandonedLeftoverInAReadOnlyFolderIsSaidToBeUnmakeable)
{
    leaveLockFile("garbage");
    ReadOnlyFolder readOnly(path());
    const std::string result = asUnprivilegedUser([this] {
        FolderLock lock(path());
        return std::string(lock.take() == FolderLock::Outcome::Failed ? "failed" : "other");
    });
    EXPECT_EQ(result, "failed");
    EXPECT_EQ(bytesOf(FolderLock::fileName), QByteArray("garbage"));
}

// A running program whose lock file was damaged or made unreadable while it
// runs still holds the folder.
TEST_F(FolderLockTest, ARunningProgramsLockIsNotStaleWhateverHappensToItsContent)
{
    FolderLock first(path());
    ASSERT_EQ(first.take(), FolderLock::Outcome::Taken);
    {
        QFile lockFile(FolderLock::fileName);
        ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lockFile.write("garbage");
    }
    FolderLock second(path());
    EXPECT_EQ(second.take(), FolderLock::Outcome::HeldByAnother);

    ASSERT_TRUE(QFile::setPermissions(FolderLock::fileName, QFileDevice::Permissions()));
    FolderLock third(path());
    EXPECT_EQ(third.take(), FolderLock::Outcome::HeldByAnother);
    EXPECT_TRUE(first.isHeld());
}

// Another program holding the folder: a child process that takes the lock,
// then runs `afterTaking` (false counts as a failure), and holds the folder
// until release().
class OtherProgram
{
public:
    explicit OtherProgram(const QString& folder, const std::function<bool()>& afterTaking = {})
    {
        if (pipe(m_ready) != 0 || pipe(m_done) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            FolderLock lock(folder);
            const bool ok =
                lock.take() == FolderLock::Outcome::Taken && (!afterTaking || afterTaking());
            const char taken = ok ? 'y' : 'n';
            char quit = 0;
            const bool talked = write(m_ready[1], &taken, 1) == 1 && read(m_done[0], &quit, 1) == 1;
            _exit(talked ? 0 : 1);
        }
        char taken = 0;
        m_holds = read(m_ready[0], &taken, 1) == 1 && taken == 'y';
    }
    ~OtherProgram() { release(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool holds() const { return m_holds; }

    void release()
    {
        if (m_pid <= 0)
            return;
        const char quit = 'q';
        if (write(m_done[1], &quit, 1) == 1) {
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
        m_pid = -1;
    }

private:
    int m_ready[2] = {-1, -1};
    int m_done[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_holds = false;
};

TEST_F(FolderLockTest, AnEmptyLockFileOfAProgramInAnotherProcessIsNotStale)
{
    // The first program, its lock file emptied under it.
    OtherProgram first(path(), [this] {
        return QFile::resize(QDir(path()).filePath(FolderLock::fileName), 0);
    });
    ASSERT_TRUE(first.holds());
    ASSERT_EQ(QFileInfo(FolderLock::fileName).size(), 0);

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
    OtherProgram first(path());
    ASSERT_TRUE(first.holds());
    const auto before = folderSnapshot();

    MessageRecorder messages;
    FolderLock second(path());
    EXPECT_FALSE(lockDataFolder(second));
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(folderSnapshot(), before);
    // Once the first program has ended, the folder is free.
    first.release();
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
