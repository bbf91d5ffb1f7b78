#include "app/print_window.h"

Tpursepri::Tpursepri(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pursepri"));
    setWindowTitle(QStringLiteral("Quillfen Pursewise"));
}
