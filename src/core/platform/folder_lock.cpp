#include "core/platform/folder_lock.h"

#include "core/platform/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the lock file at `path` when no program holds it. A running
// program's QLockFile keeps an flock() on its lock file for as long as it
// holds the folder (taken before it writes its process id, so even a file it
// has only just made counts), which makes "nobody holds an flock on it" the
// proof that no running program does. The name is unlinked only while it
// still leads to the file just locked: another copy starting at the same
// moment may have replaced it with a lock of its own.
bool removeIfUnheld(const QByteArray& path, const struct stat& found, bool& immovable)
{
    int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    // A lock file that its own user cannot read (mode 000) was made readable
    // by whoever made it; it is made readable again, to be judged like any
    // other, and given its mode back if a program turns out to hold it.
    bool madeReadable = false;
    if (fd < 0 && errno == EACCES && found.st_uid == ::geteuid() &&
        ::chmod(path.constData(), (found.st_mode & 07777) | S_IRUSR) == 0) {
        madeReadable = true;
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    bool removed = false;
    if (fd >= 0) {
        struct stat opened {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            ::lstat(path.constData(), &named) == 0 && sameFile(opened, named)) {
            removed = ::unlink(path.constData()) == 0;
            immovable = !removed;
        }
        ::close(fd);
    }
    if (madeReadable && !removed)
        ::chmod(path.constData(), found.st_mode & 07777);
    return removed;
}

// Clears a folder where the lock file belongs. An empty one is removed; one
// with anything in it is renamed, never emptied, to the first free name of
// "Pursewise.lock.damaged", "Pursewise.lock.damaged.1", ...
bool clearFolder(const QString& path)
{
    if (::rmdir(QFile::encodeName(path).constData()) == 0)
        return true;
    if (errno != ENOTEMPTY && errno != EEXIST)
        return false;
    const QString aside = path + QStringLiteral(".damaged");
    QString target = aside;
    for (int n = 1; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = aside + u'.' + QString::number(n);
    return QDir().rename(path, target);
}

} // namespace

FolderLock::FolderLock(const QString& folder)
    : m_folder(QDir(folder).absolutePath()), m_lock(QDir(folder).filePath(fileName))
{
    // A lock is stale only when the program that made it no longer runs; the
    // age of the lock says nothing, since the program stays open for hours.
    m_lock.setStaleLockTime(0);
}

FolderLock::Outcome FolderLock::take()
{
    if (m_lock.tryLock(0))
        return Outcome::Taken;
    if (m_lock.error() == QLockFile::LockFailedError) {
        switch (clearLeftover()) {
        case Leftover::None:
            break;
        case Leftover::Removed:
            if (m_lock.tryLock(0))
                return Outcome::Taken;
            break;
        case Leftover::Immovable:
            return Outcome::Failed;
        }
    }
    return m_lock.error() == QLockFile::LockFailedError ? Outcome::HeldByAnother : Outcome::Failed;
}

// QLockFile judges a lock by the process it names, and a file that names
// none (empty, garbled, unreadable) or a folder it never takes over: with no
// stale time such a leftover would refuse every start for ever.
FolderLock::Leftover FolderLock::clearLeftover()
{
    const QString path = m_lock.fileName();
    const QByteArray nativePath = QFile::encodeName(path);
    struct stat found {};
    if (::lstat(nativePath.constData(), &found) != 0)
        return errno == ENOENT ? Leftover::Removed : Leftover::None;
    if (S_ISDIR(found.st_mode))
        return clearFolder(path) ? Leftover::Removed : Leftover::Immovable;
    if (!S_ISREG(found.st_mode))
        return Leftover::None;
    qint64 pid = 0;
    QString host;
    QString app;
    if (m_lock.getLockInfo(&pid, &host, &app))
        return Leftover::None;
    bool immovable = false;
    if (removeIfUnheld(nativePath, found, immovable))
        return Leftover::Removed;
    return immovable ? Leftover::Immovable : Leftover::None;
}

QString FolderLock::refusal(Outcome outcome) const
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    if (outcome == Outcome::HeldByAnother)
        return QStringLiteral("Quillfen Pursewise is already running with the data folder \"%1\". "
                              "Use the program that is open; this copy closes without changing "
                              "anything.")
            .arg(folder);
    return QStringLiteral("The lock file %1 could not be made in the data folder \"%2\", so "
                          "changes probably cannot be saved there either.")
        .arg(fileName, folder);
}

bool lockDataFolder(FolderLock& lock)
{
    const FolderLock::Outcome outcome = lock.take();
    if (outcome == FolderLock::Outcome::Taken)
        return true;
    showMessage(lock.refusal(outcome));
    // A folder this user cannot write to cannot be overwritten by this copy
    // either: it opens, and each save reports its own failure.
    return outcome == FolderLock::Outcome::Failed;
}
