#pragma once

#include <QDialog>

struct Ui;

// The card dialog: a new card, or the particulars of the open card.
class TAddOrEditCard : public QDialog
{
    Q_OBJECT

public:
    explicit TAddOrEditCard(Ui& ui, QWidget* parent = nullptr);

    int CardMode = 0; // 0 add a card, 1 edit the open card
    bool IntroExpiryChanged = false;
    bool CardExpiryChanged = false;

private:
    Ui& m_ui;
};
