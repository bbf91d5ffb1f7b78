#include "dialogs/year_chooser.h"

#include "app/ui.h"

TChangeYrForm::TChangeYrForm(Ui& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("ChangeYrForm"));
    setWindowTitle(QStringLiteral("                Select year to view."));
}
