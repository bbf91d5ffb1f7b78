#include "dialogs/card_dialog.h"

#include "app/ui.h"

TAddOrEditCard::TAddOrEditCard(Ui& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("AddOrEditCard"));
}
