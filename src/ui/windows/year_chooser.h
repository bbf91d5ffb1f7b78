#pragma once

#include "core/program/year_form.h"
#include "ui/kit/dialog_frame.h"

class QListWidget;

// The year chooser: another year of the open card for the register. LB1 shows
// the card's year list each time the chooser opens, with the selection the
// list keeps; OK hands over to YearForm.
class TChangeYrForm : public DialogFrame
{
    Q_OBJECT

public:
    explicit TChangeYrForm(Ui& ui, QWidget* parent = nullptr);

    void OKClick();

protected:
    void opened() override;

private:
    void LB1Click();

    YearForm m_form;
    QListWidget* m_LB1 = nullptr;
    bool m_showing = false;
};
