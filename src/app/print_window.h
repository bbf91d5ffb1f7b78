#pragma once

#include <QWidget>

// The window that prints a card's year ledger file; modeless.
class Tpursepri : public QWidget
{
    Q_OBJECT

public:
    explicit Tpursepri(QWidget* parent = nullptr);
};
