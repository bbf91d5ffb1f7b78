#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <map>
#include <optional>
#include <vector>

// The session's undo and redo history, kept at the file layer: every user
// action that saves records, for each data file it wrote or removed, the
// bytes the file held before and after ("no file" counts as a state). Undo
// writes the before bytes back, Redo the after bytes, each as one
// all-or-nothing save, so one mechanism serves every kind of change.
//
// It does not reload what the windows show (the program does that after an
// undo or redo) and never overwrites a change it did not make: when a file no
// longer holds the bytes the history left in it (the user edited it by hand,
// or another program did), the whole history ends instead.
//
// The program installs one history (Pursewise makes it); DataFile and
// DataFile::Transaction report their saves to the installed one. Saves made
// outside a transaction are not recorded.
class FileHistory
{
public:
    // A file's bytes, or nothing when there is no such file.
    using Bytes = std::optional<QByteArray>;

    struct FileChange
    {
        QString name;
        Bytes before;
        Bytes after;
    };
    // One user action's changes, in the order it first touched each file.
    using Step = std::vector<FileChange>;

    // Keeps this many steps; the oldest is forgotten after that.
    static constexpr std::size_t stepLimit = 200;

    FileHistory();
    ~FileHistory();
    FileHistory(const FileHistory&) = delete;
    FileHistory& operator=(const FileHistory&) = delete;

    // The history saves report to, or null: the one made last of those that
    // still exist (a test may make a second program state beside the first).
    static FileHistory* installed();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }

    // Puts the files of the last step back as they were before it, as one
    // save; the step then waits for Redo. Raises the save's "Could not save"
    // when a file cannot be written (nothing changes and the step stays), and
    // ends the history with a message when a file was changed outside the
    // program since the step.
    void undo();
    void redo();
    // Forgets every step.
    void clear();

    // Saves made while an Upkeep is alive are the program's own upkeep (a
    // year's balances recomputed when it is opened), not a change the user
    // made: an action made of upkeep alone is no step of its own. Its new
    // bytes become part of the state the neighbouring steps expect, so an
    // undo neither fails on them nor takes them for a hand edit.
    class Upkeep
    {
    public:
        Upkeep();
        ~Upkeep();
        Upkeep(const Upkeep&) = delete;
        Upkeep& operator=(const Upkeep&) = delete;
    };

    // The hooks DataFile and its transactions call.
    // A save or removal of `name` was staged in the open transaction;
    // `after` is its new bytes, or nothing for a removal.
    void noteChange(const QString& name, const Bytes& after);
    // The outermost transaction made its staged changes / threw them away.
    void actionCommitted();
    void actionDiscarded();

private:
    struct Pending
    {
        FileChange change;
        bool upkeep = false;
    };

    // Writes each file's bytes from `step` (before or after) as one save,
    // once every file holds what `expected` says it should.
    void restore(const Step& step, bool toBefore);
    void foldUpkeep(const std::vector<FileChange>& changes);
    // What the newest step that wrote `name` left in it, or null.
    const Bytes* lastAfter(const QString& name) const;

    std::deque<Step> m_undo;  // oldest first
    std::vector<Step> m_redo; // the next step to redo last
    std::vector<Pending> m_pending;
    int m_upkeepDepth = 0;
    FileHistory* m_previous; // installed before this one
    bool m_restoring = false;
};
