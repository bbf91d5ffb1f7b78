#pragma once

#include <QDialog>

class QLabel;

// The frame of the About box and the verses window: a dialog with the
// program's icon on one background colour that opens in the middle of the
// screen, where F1 asks for no help. What it shows is the window's own.
class InfoWindow : public QDialog
{
    Q_OBJECT

public:
    void setVisible(bool visible) override;

protected:
    // What Escape does: close the window as its close box does, or nothing.
    enum class Escape
    {
        Closes,
        Ignored
    };

    InfoWindow(const QString& name, const QString& title, const QColor& background, Escape escape,
               Qt::WindowFlags flags, QWidget* parent);

    // A named label in `parent` that shows `text` in `font`.
    static QLabel* label(QWidget* parent, const char* name, const QString& text, const QFont& font);

    void keyPressEvent(QKeyEvent* event) override;

private:
    Escape m_escape;
};
