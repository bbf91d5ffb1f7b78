#include "core/platform/folder_lock.h"
#include "core/platform/help_file.h"
#include "core/platform/messages.h"
#include "ui/kit/first_paint_probe.h"
#include "ui/kit/message_box.h"
#include "ui/windows/help_viewer.h"
#include "ui/windows/program_windows.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    // Lets the desktop match the windows to the installed desktop entry and
    // its icon (desktop/).
    QApplication::setDesktopFileName(QStringLiteral("example.quillfen.Pursewise"));
    installMessageBox();
    // One program per data folder: a second copy says so and leaves before
    // any window reads or writes a file.
    FolderLock folderLock(QDir::currentPath());
    if (!lockDataFolder(folderLock))
        return 1;
    // The help document's place is settled once, at start-up (help_file.h).
    std::unique_ptr<HelpViewer> help;
    installHelpViewer(HelpFile::locate(), help);

    Pursewise state;
    ProgramWindows windows(state);
    windows.showMain();
    FirstPaintProbe::watch(windows.window(QStringLiteral("Main")));
    return QApplication::exec();
}
