#pragma once

#include <QDialog>

struct Ui;

// The entry dialog: adds, inserts or edits one entry of the register.
class TMakeOrEditEntry : public QDialog
{
    Q_OBJECT

public:
    explicit TMakeOrEditEntry(Ui& ui, QWidget* parent = nullptr);

    int EntryMode = 1; // 1 add, 2 insert, 3 edit
    int EntryKind = 0; // 0 none, 1 payment, 2 charge
    int OriginalKind = 0;

private:
    Ui& m_ui;
};
