#pragma once

#include <QDialog>

struct Ui;

// The year chooser: another year of the open card for the register.
class TChangeYrForm : public QDialog
{
    Q_OBJECT

public:
    explicit TChangeYrForm(Ui& ui, QWidget* parent = nullptr);

private:
    Ui& m_ui;
};
