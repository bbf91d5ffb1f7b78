#pragma once

#include <QDialog>

// The About box, shown modally from either big window's menu strip.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
