#pragma once

#include <QString>

#include <functional>

class Pursewise;

// Undo and Redo of both big windows: the session's FileHistory puts the data
// files back, then everything the windows show is loaded from them again: the
// card list, the totals and, while the register is open, its card at the year
// and row it was showing. A card that no longer exists closes the register.
// When the history ends because a file was changed outside the program, the
// windows are loaded from the files as well.
class UndoCommands
{
public:
    explicit UndoCommands(Pursewise& p);

    bool canUndo() const;
    bool canRedo() const;
    // Nothing happens when there is nothing to undo or redo.
    void undo();
    void redo();

private:
    // Runs the history's undo or redo, then reloads.
    void restore(const std::function<void()>& step);
    void reload();
    void reloadRegister(const QString& key, const QString& year, int row);

    Pursewise& m_p;
};
