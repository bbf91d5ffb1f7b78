#include "dialogs/entry_dialog.h"

#include "app/ui.h"

TMakeOrEditEntry::TMakeOrEditEntry(Ui& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("MakeOrEditEntry"));
}
