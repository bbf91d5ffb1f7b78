#include "app/verses_window.h"

Tte::Tte(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("te"));
    setWindowTitle(QStringLiteral("Quillfen Pursewise"));
}
