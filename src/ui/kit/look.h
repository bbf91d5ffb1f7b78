#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The design's colours are Windows colour numbers: 16744576 is #8080FF.
QColor designColour(unsigned value);

// A font of the design by family and character height in pixels, bold or not.
QFont designFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// Paints a widget's background in one colour.
void setBackground(QWidget* widget, const QColor& colour);

// The colours that the windows name as in a style sheet ("maroon" is #800000).
inline const QColor maroon{128, 0, 0};

// Writes a label's text in one colour, through its palette: a style sheet
// would bring Qt's style-sheet machinery into the window for one colour.
void setTextColour(QWidget* widget, const QColor& colour);
