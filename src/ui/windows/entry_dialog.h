#pragma once

#include "core/program/entry_form.h"
#include "ui/kit/dialog_frame.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class ShortDateEdit;

// The entry dialog: adds, inserts or edits one entry of the register. The
// register window sets the mode and SelectedRow, then shows it modally; OK
// hands the boxes to EntryForm, which checks the amount and posts the entry.
class TMakeOrEditEntry : public DialogFrame
{
    Q_OBJECT

public:
    explicit TMakeOrEditEntry(Ui& ui, QWidget* parent = nullptr);

    // EntryMode: kept between showings, set by the register before each.
    EntryMode mode() const { return m_mode; }
    void setMode(EntryMode mode) { m_mode = mode; }
    // EntryKind, the kind chosen now, and OriginalKind, the kind of the
    // entry being edited; both set afresh on every opening.
    EntryKind kind() const { return m_kind; }
    EntryKind originalKind() const { return m_originalKind; }

    // "Charge:" and "Payment:" chosen, by a click or by the opening in edit
    // mode: the other kind's amount is dropped and its box hidden.
    void R1Click();
    void R2Click();
    void OKBtnClick();

protected:
    void opened() override;

private:
    void uncheckKinds();
    EntryFields fields() const;
    QLineEdit* amountBox(QWidget* parent, const char* name, int left, int top, int width);

    EntryForm m_form;
    EntryMode m_mode = EntryMode::Add;
    EntryKind m_kind = EntryKind::None;
    EntryKind m_originalKind = EntryKind::None;
    ShortDateEdit* m_DT1 = nullptr;
    QLineEdit* m_E1 = nullptr;
    QRadioButton* m_R1 = nullptr;
    QLineEdit* m_E2 = nullptr;
    QRadioButton* m_R2 = nullptr;
    QLineEdit* m_E3 = nullptr;
    QCheckBox* m_C1 = nullptr;
};
