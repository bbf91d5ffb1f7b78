#include "app/program_windows.h"
#include "platform/message_box.h"
#include "platform/messages.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    installMessageBox();

    Pursewise state;
    ProgramWindows windows(state);
    windows.showMain();
    return QApplication::exec();
}
