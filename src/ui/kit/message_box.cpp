#include "ui/kit/message_box.h"

#include "core/platform/messages.h"

#include <QApplication>
#include <QMessageBox>

void installMessageBox()
{
    setMessageSink([](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle, text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setObjectName(QStringLiteral("MessageBox"));
        box.exec();
    });
}
