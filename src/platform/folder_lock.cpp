#include "platform/folder_lock.h"

#include "platform/messages.h"

#include <QDir>

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
    return m_lock.error() == QLockFile::LockFailedError ? Outcome::HeldByAnother : Outcome::Failed;
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
