#include "app/main_window.h"

TMain::TMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Quillfen Pursewise."));
    resize(640, 480);
}
