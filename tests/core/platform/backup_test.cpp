#include "core/platform/backup.h"
#include "core/platform/clock.h"
#include "core/platform/data_file.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

#include <QDir>

namespace {

// A data folder on 8 December 2026 with three data files and what else may
// lie beside them.
class DailyBackupTest : public InTempDir
{
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(9, 30)));
        putBytes(QStringLiteral("CardList.dat"), "1\r\n1\r\n0 1 1. Visa\r\n");
        putBytes(QStringLiteral("126.dat"), "0\r\n");
        putBytes(QStringLiteral("1yl.dat"), "26\r\n");
        putBytes(QStringLiteral("126.dat.damaged"), "x\r\n");
        putBytes(QStringLiteral("Pursewise.lock"), "123\r\n");
    }
    void TearDown() override
    {
        Clock::unfix();
        InTempDir::TearDown();
    }

    static std::map<QString, QByteArray> filesIn(const QString& folder)
    {
        std::map<QString, QByteArray> files;
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files[name] = bytesOf(dir.filePath(name));
        return files;
    }

    static QStringList dayFolders()
    {
        return QDir(QStringLiteral("backup"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    MessageRecorder messages;
};

TEST_F(DailyBackupTest, TheFirstSaveOfTheDayFirstCopiesEveryDataFileAsItWas)
{
    std::map<QString, QByteArray> dataFiles = folderSnapshot();
    dataFiles.erase(QStringLiteral("126.dat.damaged"));
    dataFiles.erase(QStringLiteral("Pursewise.lock"));

    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});

    EXPECT_EQ(dayFolders(), QStringList{QStringLiteral("2026-12-08")});
    EXPECT_EQ(filesIn(QStringLiteral("backup/2026-12-08")), dataFiles);
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), QByteArray("1\r\n"));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(DailyBackupTest, LaterChangesOfTheSameDayKeepTheMorningCopy)
{
    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});
    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("2")});
    DataFile::remove(QStringLiteral("1yl.dat"));

    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-08/126.dat")), QByteArray("0\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-08/1yl.dat")), QByteArray("26\r\n"));
}

TEST_F(DailyBackupTest, ARemovalIsAChangeToo)
{
    DataFile::remove(QStringLiteral("1yl.dat"));

    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-08/1yl.dat")), QByteArray("26\r\n"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("1yl.dat")));
}

TEST_F(DailyBackupTest, TheNextDayGetsAFolderOfItsOwn)
{
    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});
    Clock::fix(QDateTime(QDate(2026, 12, 9), QTime(0, 5)));
    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("2")});

    EXPECT_EQ(dayFolders(), (QStringList{"2026-12-08", "2026-12-09"}));
    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-08/126.dat")), QByteArray("0\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-09/126.dat")), QByteArray("1\r\n"));
}

TEST_F(DailyBackupTest, ABackupAlreadyMadeTodayByAnEarlierRunIsKept)
{
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("backup/2026-12-08")));
    putBytes(QStringLiteral("backup/2026-12-08/126.dat"), "morning\r\n");

    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});

    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-08/126.dat")), QByteArray("morning\r\n"));
}

TEST_F(DailyBackupTest, OnlyTheFourteenNewestDaysAreKeptAndNothingElseIsTouched)
{
    for (int day = 1; day <= 20; ++day)
        ASSERT_TRUE(QDir().mkpath(
            QStringLiteral("backup/%1").arg(DailyBackup::dayFolderName(QDate(2026, 11, day)))));
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("backup/my notes")));
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("backup/2026-11-30.partial")));
    putBytes(QStringLiteral("backup/readme.txt"), "mine\r\n");

    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});

    QStringList expected;
    for (int day = 8; day <= 20; ++day)
        expected << DailyBackup::dayFolderName(QDate(2026, 11, day));
    expected << QStringLiteral("2026-12-08") << QStringLiteral("my notes");
    EXPECT_EQ(dayFolders(), expected);
    EXPECT_EQ(bytesOf(QStringLiteral("backup/readme.txt")), QByteArray("mine\r\n"));
}

TEST_F(DailyBackupTest, AFolderWithoutDataFilesGetsNoBackup)
{
    for (const QString& name : QDir().entryList({QStringLiteral("*.dat")}, QDir::Files))
        ASSERT_TRUE(QFile::remove(name));

    DataFile::writeLines(QStringLiteral("CardList.dat"),
                         {QStringLiteral("0"), QStringLiteral("0")});

    EXPECT_FALSE(QDir().exists(QStringLiteral("backup")));
}

TEST_F(DailyBackupTest, AnUnfinishedCopyOfTodayIsMadeAgain)
{
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("backup/2026-12-08.partial")));
    putBytes(QStringLiteral("backup/2026-12-08.partial/126.dat"), "half");

    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});

    EXPECT_EQ(dayFolders(), QStringList{QStringLiteral("2026-12-08")});
    EXPECT_EQ(bytesOf(QStringLiteral("backup/2026-12-08/126.dat")), QByteArray("0\r\n"));
}

TEST_F(DailyBackupTest, AFailedBackupIsReportedOnceAndTheSavesGoOn)
{
    // A file where the backup folder should be.
    putBytes(QStringLiteral("backup"), "not a folder");

    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("1")});
    DataFile::writeLines(QStringLiteral("1yl.dat"), {QStringLiteral("26"), QStringLiteral("27")});

    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().front().startsWith(
        u"Could not back up the data files into \"backup/2026-12-08\": "))
        << messages.shown().front().toStdString();
    EXPECT_TRUE(messages.shown().front().endsWith(u". Saving goes on without today's backup."));
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), QByteArray("1\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("1yl.dat")), QByteArray("26\r\n27\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("backup")), QByteArray("not a folder"));
}

TEST_F(DailyBackupTest, AFileThatCannotBeReadLeavesNoHalfMadeCopy)
{
    putBytes(QStringLiteral("2info.dat"), "Store\r\n");
    ASSERT_TRUE(QFile::setPermissions(QStringLiteral("2info.dat"), {}));
    const auto permissions = QFile::permissions(path());
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                  QFileDevice::WriteOther | QFileDevice::ExeOther));

    const std::string result = asUnprivilegedUser([] {
        return DailyBackup::makeBackup(QDir::currentPath(), QDate(2026, 12, 8)).toStdString();
    });
    QFile::setPermissions(path(), permissions);

    EXPECT_EQ(result, "Could not back up the data files into \"backup/2026-12-08\": Permission "
                      "denied. Saving goes on without today's backup.");
    EXPECT_EQ(dayFolders(), QStringList());
}

} // namespace
