#include "core/platform/data_file.h"
#include "core/platform/messages.h"
#include "support/program_fixture.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

// Saves on a real full disk: the data folder is a small tmpfs of its own,
// filled to the last byte. Mounting needs root, which CI runs as; elsewhere
// these tests are skipped.
namespace {

// The working directory becomes a fresh 256 KiB tmpfs.
template <typename Base>
class OnASmallDisk : public Base
{
protected:
    void SetUp() override
    {
        Base::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a tmpfs needs root";
        m_folder = QFile::encodeName(QDir::currentPath());
        if (::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=256k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        m_mounted = true;
        // The working directory was the folder under the mount point.
        ASSERT_EQ(::chdir(m_folder.constData()), 0);
    }

    void TearDown() override
    {
        if (m_mounted) {
            EXPECT_EQ(::chdir("/"), 0);
            ::umount2(m_folder.constData(), MNT_DETACH);
        }
        Base::TearDown();
    }

    // Fills the disk to its last byte with one file, "filler".
    static void fillTheDisk()
    {
        const int fd = ::open("filler", O_WRONLY | O_CREAT | O_APPEND, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {}
        // The last pages may still take a few bytes.
        while (::write(fd, "f", 1) > 0) {}
        EXPECT_EQ(errno, ENOSPC);
        ::close(fd);
    }

    static void freeTheDisk() { ASSERT_EQ(::unlink("filler"), 0); }

    static std::map<QString, QByteArray> dataFiles()
    {
        auto files = folderSnapshot();
        files.erase(QStringLiteral("filler"));
        return files;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

class FullDiskSave : public OnASmallDisk<InTempDir>, public testing::WithParamInterface<int>
{};

TEST_P(FullDiskSave, FailsWithAMessageAndLeavesTheOldFileWhole)
{
    const QByteArray old = QByteArray("1 1 12/1/26\r\n").repeated(150);
    putBytes(QStringLiteral("326.dat"), old);
    fillTheDisk();
    try {
        DataFile::writeBytes(QStringLiteral("326.dat"), QByteArray(GetParam(), 'n'));
        FAIL() << "the save of " << GetParam() << " bytes reported success";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not save \"326.dat\": No space left on device");
    }
    EXPECT_EQ(dataFiles(), (std::map<QString, QByteArray>{{QStringLiteral("326.dat"), old}}));
}

// Sizes from one byte to well past Qt's 16 KiB write buffer.
INSTANTIATE_TEST_SUITE_P(Sizes, FullDiskSave, testing::Values(1, 100, 4000, 15000, 40000));

// A whole action on a full disk: a charge added in the register.
class FullDiskAction : public OnASmallDisk<ProgramTest>
{
protected:
    void SetUp() override
    {
        OnASmallDisk<ProgramTest>::SetUp();
        if (IsSkipped())
            return;
        restart();
        p().tc.AddCard(
            sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("100.00")));
        clickCard(1);
        mainWindow().B1Click();
        addCharge(QStringLiteral("Books"), QStringLiteral("25.00"));
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    }

    // The Add button and the entry dialog's OK, as the window runs them.
    void addChargeAsTheWindowDoes(const QString& amount)
    {
        guarded([&] {
            ASSERT_TRUE(registerWindow().bb3Click());
            p().tc.AddCharge(entry(QStringLiteral("Fuel"), amount, false));
        });
    }
};

TEST_F(FullDiskAction, SaysSoAndChangesNoFileThenSavesOnceThereIsRoom)
{
    const auto before = dataFiles();
    fillTheDisk();
    addChargeAsTheWindowDoes(QStringLiteral("30.00"));
    ASSERT_EQ(messages.shown().size(), 1) << messages.shown().join(u'|').toStdString();
    EXPECT_TRUE(messages.shown().front().startsWith(QStringLiteral("Could not save \"")));
    EXPECT_TRUE(messages.shown().front().endsWith(QStringLiteral("\": No space left on device")));
    EXPECT_EQ(dataFiles(), before);

    // The files still agree: a restart shows the card as it was.
    restart();
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("125.00"));

    messages.clear();
    freeTheDisk();
    clickCard(1);
    mainWindow().B1Click();
    addChargeAsTheWindowDoes(QStringLiteral("30.00"));
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    restart();
    EXPECT_EQ(p().sg1.cell(TCardList::Owed, 1), QStringLiteral("155.00"));
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), QByteArray("900.00\r\n155.00\r\n745.00\r\n"));
}

} // namespace
