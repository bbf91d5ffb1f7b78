#pragma once

#include "core/program/card_form.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class ShortDateEdit;
struct Ui;

// The card dialog: a new card, or the particulars of the open card. The main
// window sets CardMode, the caption and the colour, then shows it modally;
// OK hands the boxes to CardForm, which checks them and adds or edits the card.
class TAddOrEditCard : public QDialog
{
    Q_OBJECT

public:
    explicit TAddOrEditCard(Ui& ui, QWidget* parent = nullptr);

    int CardMode = 0; // 0 add a card, 1 edit the open card
    // The user changed DT1 or DT2 since the dialog opened; the dialog's own
    // setting of the pickers does not count.
    bool IntroExpiryChanged = false;
    bool CardExpiryChanged = false;

    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void DT1Change();
    void DT2Change();
    void setDates(const QDate& introExpiry, const QDate& cardExpiry);
    CardValues values() const;
    QLineEdit* box(const char* name, int left, int top, int width);
    ShortDateEdit* picker(const char* name, int left, int top, int width);

    Ui& m_ui;
    CardForm m_form;
    QLineEdit* m_E1 = nullptr;
    QLineEdit* m_E2 = nullptr;
    QLineEdit* m_E3 = nullptr;
    QLineEdit* m_E4 = nullptr;
    QLineEdit* m_E5 = nullptr;
    QLineEdit* m_E6 = nullptr;
    ShortDateEdit* m_DT1 = nullptr;
    ShortDateEdit* m_DT2 = nullptr;
    QLabel* m_Label7 = nullptr;
    QLabel* m_Label10 = nullptr;
    QPushButton* m_OKBtn = nullptr;
    QPushButton* m_CancelBtn = nullptr;
    bool m_settingDates = false;
};
