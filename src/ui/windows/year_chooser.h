#pragma once

#include "core/program/year_form.h"

#include <QDialog>

class QListWidget;
class QPushButton;
struct Ui;

// The year chooser: another year of the open card for the register. LB1 shows
// the card's year list each time the chooser opens, with the selection the
// list keeps; OK hands over to YearForm.
class TChangeYrForm : public QDialog
{
    Q_OBJECT

public:
    explicit TChangeYrForm(Ui& ui, QWidget* parent = nullptr);

    void OKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showYears();
    void LB1Click();

    Ui& m_ui;
    YearForm m_form;
    QListWidget* m_LB1 = nullptr;
    QPushButton* m_OK = nullptr;
    QPushButton* m_Cancel = nullptr;
    bool m_showing = false;
};
