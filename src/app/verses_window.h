#pragma once

#include <QDialog>

// The window of verses, shown modally from the main window's menu strip.
class Tte : public QDialog
{
    Q_OBJECT

public:
    explicit Tte(QWidget* parent = nullptr);
};
