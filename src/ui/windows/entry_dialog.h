#pragma once

#include "core/program/entry_form.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ShortDateEdit;
struct Ui;

// The entry dialog: adds, inserts or edits one entry of the register. The
// register window sets EntryMode and SelectedRow, then shows it modally; OK
// hands the boxes to EntryForm, which checks the amount and posts the entry.
class TMakeOrEditEntry : public QDialog
{
    Q_OBJECT

public:
    explicit TMakeOrEditEntry(Ui& ui, QWidget* parent = nullptr);

    int EntryMode = 1; // 1 add, 2 insert, 3 edit
    int EntryKind = 0; // 0 none, 1 payment, 2 charge
    int OriginalKind = 0;

    // "Charge:" and "Payment:" chosen, by a click or by the opening in edit
    // mode: the other kind's amount is dropped and its box hidden.
    void R1Click();
    void R2Click();
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormActivate();
    void uncheckKinds();
    EntryFields fields() const;
    QLineEdit* amountBox(QWidget* parent, const char* name, int left, int top, int width);

    Ui& m_ui;
    EntryForm m_form;
    ShortDateEdit* m_DT1 = nullptr;
    QLineEdit* m_E1 = nullptr;
    QRadioButton* m_R1 = nullptr;
    QLineEdit* m_E2 = nullptr;
    QRadioButton* m_R2 = nullptr;
    QLineEdit* m_E3 = nullptr;
    QCheckBox* m_C1 = nullptr;
    QPushButton* m_OKBtn = nullptr;
    QPushButton* m_CancelBtn = nullptr;
};
