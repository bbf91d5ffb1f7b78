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
