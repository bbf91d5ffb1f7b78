#pragma once

#include <QDialog>

// The About box: the program's name, version, copyright lines and web
// address on a framed panel, and "OK". Fixed size, shown modally from either
// big window's menu strip; it reads and writes nothing.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
