#pragma once

#include "ui/kit/info_window.h"

#include <QString>

// The seven verses as the window shows them: rich text with each verse after
// its reference, an empty line between verses, and the words the King James
// text sets in italics in <i>.
QString versesText();

// The window of verses, shown modally from the main window's menu strip.
// Sizeable, but with no layout: resizing never moves or rewraps its texts.
// No buttons; the close box or Escape closes it.
class Tte : public InfoWindow
{
    Q_OBJECT

public:
    explicit Tte(QWidget* parent = nullptr);
};
