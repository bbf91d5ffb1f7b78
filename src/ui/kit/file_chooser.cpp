#include "ui/kit/file_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace {

FileAnswerer& answerer()
{
    static FileAnswerer installed;
    return installed;
}

} // namespace

QString chooseFile(QWidget* parent, FileChoice kind, const QString& caption, const QString& filter,
                   const QString& suggested)
{
    if (const auto answer = answeredFile(kind, caption))
        return answer->value_or(QString());
    // The dialog opens in the user's home folder, not in the data folder,
    // where statements and reports do not belong.
    const QString start = QDir::home().filePath(suggested);
    return kind == FileChoice::Open
               ? QFileDialog::getOpenFileName(parent, caption, QDir::homePath(), filter)
               : QFileDialog::getSaveFileName(parent, caption, start, filter);
}

std::optional<std::optional<QString>> answeredFile(FileChoice kind, const QString& caption)
{
    if (!answerer())
        return std::nullopt;
    return answerer()(kind, caption);
}

FileAnswerer setFileAnswerer(FileAnswerer replacement)
{
    return std::exchange(answerer(), std::move(replacement));
}
