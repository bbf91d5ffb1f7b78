#pragma once

#include <QLockFile>
#include <QString>

// One program per data folder. The program holds the lock file
// "Pursewise.lock" in its data folder for as long as it runs, so a second copy
// started in the same folder can tell and leave before it reads or writes a
// data file. A lock left behind by a program that has ended (a crash, a power
// cut) names a process that no longer runs and is taken over; so is one that
// is no lock at all (an empty, garbled or unreadable file, or a folder in its
// place) when no running program holds it. Knows nothing of windows or
// messages: start-up decides what to tell the user.
class FolderLock
{
public:
    static inline const QString fileName = QStringLiteral("Pursewise.lock");

    enum class Outcome
    {
        Taken,         // this program now holds the folder
        HeldByAnother, // another running program holds it
        Failed         // the lock file could not be made (a read-only folder)
    };

    explicit FolderLock(const QString& folder);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Tries once, without waiting. A stale lock is removed and taken; a
    // folder named like the lock is removed when empty and otherwise moved
    // aside to "Pursewise.lock.damaged" (or ".damaged.1", ...), whole.
    Outcome take();
    bool isHeld() const { return m_lock.isLocked(); }

    // The message for the user when take() did not give the folder: another
    // copy runs there, or the lock file cannot be made (a read-only folder).
    QString refusal(Outcome outcome) const;

private:
    enum class Leftover
    {
        None,     // a real lock (or none): QLockFile has judged it
        Removed,  // an abandoned leftover is gone; the lock can be tried again
        Immovable // an abandoned leftover that cannot be removed or moved aside
    };
    Leftover clearLeftover();

    QString m_folder;
    QLockFile m_lock;
};

// Start-up's check, for main(): takes the lock. When another copy holds the
// folder, shows so and returns false: the program must then leave without
// touching any file. When the lock file cannot be made, shows that and
// returns true, since nothing can be overwritten there.
bool lockDataFolder(FolderLock& lock);
