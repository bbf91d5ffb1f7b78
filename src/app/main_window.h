#pragma once

#include <QMainWindow>

// The card list window. For now it only carries the program's caption.
class TMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMain(QWidget* parent = nullptr);
};
