#include "app/main_window.h"
#include "platform/message_box.h"
#include "platform/messages.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    installMessageBox();

    TMain mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
