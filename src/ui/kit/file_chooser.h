#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The one place the program asks the user for a file outside its data: a
// statement to import, or where an export or a report goes. Tests and the
// scenario runner answer in the user's place through an answerer.
enum class FileChoice
{
    Open, // an existing file to read
    Save  // a file to write; asks before replacing one
};

// The path the user chose, or an empty text when the dialog was cancelled.
// `suggested` is the name a save dialog starts with.
QString chooseFile(QWidget* parent, FileChoice kind, const QString& caption, const QString& filter,
                   const QString& suggested = QString());

// Answers every later file dialog in the user's place: the answer is the path
// chosen, or nothing for a cancelled dialog. Returns the answerer it replaces;
// an empty answerer brings the real dialog back.
using FileAnswerer = std::function<std::optional<QString>(FileChoice kind, const QString& caption)>;
FileAnswerer setFileAnswerer(FileAnswerer answerer);

// For a window that shows a file dialog of its own: the answerer's answer
// when one is installed (itself nothing for a cancelled dialog), or nothing
// at all when the window is to show its dialog.
std::optional<std::optional<QString>> answeredFile(FileChoice kind, const QString& caption);
