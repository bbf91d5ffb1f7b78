#pragma once

#include "ui/kit/info_window.h"

// The About box: the program's name, version, copyright lines and web
// address on a framed panel, and "OK". Fixed size, shown modally from either
// big window's menu strip; it reads and writes nothing. Only "OK", Enter and
// the close box close it: Escape does not.
class TAboutBox : public InfoWindow
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
