#pragma once

#include <QLabel>
#include <QMouseEvent>

// A plain text label that acts as a command when clicked: the words of the
// menu strips. No shortcut, no highlight.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
    {
        setCursor(Qt::PointingHandCursor);
    }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
};
