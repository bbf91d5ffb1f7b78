#include "app/help_viewer.h"
#include "app/program_windows.h"
#include "platform/help_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    installMessageBox();
    // The help document's place is settled once, at start-up (help_file.h).
    HelpViewer help(HelpFile::locate());
    installHelpViewer(help);

    Pursewise state;
    ProgramWindows windows(state);
    windows.showMain();
    return QApplication::exec();
}
