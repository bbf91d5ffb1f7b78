#pragma once

#include "core/platform/user_error.h"

#include <QByteArray>
#include <QString>

// Makes the saves of one user action all-or-nothing across its files, so a
// crash or power cut between two saves never leaves, say, a card list that
// counts a charge its ledger lacks.
//
// While a transaction is open, DataFile does not replace files: each save
// writes its new bytes to a temporary file beside the old one ("326.dat" to
// "326.dat.Xy12Ab"), flushed to the disk, and each removal is noted. Reads of
// those names see the new state. Commit then writes the journal
// "Pursewise.journal", naming every temporary file and its target and every
// removal, atomically; renames the files; removes the removed ones; and
// removes the journal. A crash before the journal is complete leaves the old
// files (and some temporary ones); a crash after it is finished at the next
// start by recover(). Does not decide what to save: the sequences do.
namespace DataFile {

inline const QString journalName = QStringLiteral("Pursewise.journal");

class Transaction
{
public:
    // Opens a transaction; one opened inside another belongs to the outer one.
    Transaction();
    // An outermost transaction that was not committed throws its staged
    // files away: the files on disk stay as they were.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // The outermost transaction makes every staged change at once; an inner
    // one does nothing. Raises "Could not save ..." when a file cannot be
    // renamed into place; what the journal names is then finished by the next
    // commit or start.
    void commit();

    // Throws away every save and removal staged so far by the whole user
    // action: the outermost transaction's, not only this one's, since a
    // part of an action that must not half happen is still one action. The
    // files stay as they were before the action began, reads see them again,
    // and a later commit of the outer transaction makes no change. For an
    // action that is all or nothing (a statement import, a reconcile) and
    // fails part-way.
    void rollback();

private:
    bool m_outermost;
};

// At start-up, before anything is read: finishes a journal left by a crash,
// then removes leftover temporary files ("NAME.dat.XXXXXX"). Raises with a
// message when the journal cannot be finished or is not one this program
// wrote; the journal then stays where it is.
void recover();

// The pieces DataFile builds on.
namespace Staging {

bool active();
// What a staged name holds now: Written (the new bytes are at `path`),
// Removed, or None when nothing is staged for it.
enum class Pending
{
    None,
    Written,
    Removed
};
Pending pending(const QString& name, QString& path);
void stageWrite(const QString& name, const QString& temporary);
void stageRemove(const QString& name);

} // namespace Staging

// "Could not save "326.dat": No space left on device": `verb` is "save",
// "read" or "delete"; the reason is the system's text for `error`, or
// `fallback` when error is 0.
UserError fileError(const char* verb, const QString& name, int error, const QString& fallback);

// Writes `bytes` into a new temporary file beside `name`, flushed to the disk
// and closed, and returns its path; the file's permissions follow the file it
// is to replace. Raises "Could not save "<name>": <reason>" and leaves no
// temporary file when any step fails: a full disk is caught here, never after
// a rename. `injectedError`, when not 0, fails the write half-way with that
// error, as a full disk would.
QString writeTemporary(const QString& name, const QByteArray& bytes, int injectedError);
// Renames a temporary file over `name` and makes the rename durable.
void moveIntoPlace(const QString& temporary, const QString& name);

} // namespace DataFile
