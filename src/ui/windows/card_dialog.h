#pragma once

#include "core/program/card_form.h"
#include "ui/kit/dialog_frame.h"

class QLabel;
class QLineEdit;
class ShortDateEdit;

// The card dialog: a new card, or the particulars of the open card. The main
// window sets the mode, the caption and the colour, then shows it modally;
// OK hands the boxes to CardForm, which checks them and adds or edits the card.
class TAddOrEditCard : public DialogFrame
{
    Q_OBJECT

public:
    explicit TAddOrEditCard(Ui& ui, QWidget* parent = nullptr);

    // CardMode: kept between showings, set by the main window before each.
    CardMode mode() const { return m_mode; }
    void setMode(CardMode mode) { m_mode = mode; }
    // The user changed DT1 or DT2 since the dialog opened; the dialog's own
    // setting of the pickers does not count.
    bool IntroExpiryChanged = false;
    bool CardExpiryChanged = false;

    void OKBtnClick();

protected:
    void opened() override;

private:
    void FormCreate();
    void DT1Change();
    void DT2Change();
    void setDates(const QDate& introExpiry, const QDate& cardExpiry);
    CardValues values() const;
    QLineEdit* box(const char* name, int left, int top, int width);
    ShortDateEdit* picker(const char* name, int left, int top, int width);

    CardForm m_form;
    CardMode m_mode = CardMode::Add;
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
    bool m_settingDates = false;
};
