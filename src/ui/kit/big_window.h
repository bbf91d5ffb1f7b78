#pragma once

#include <QWidget>

#include <string_view>

class QFrame;
class WindowAspect;

// The frame of the main window and the register: the painted title strip,
// the client area below it, the 4:3 lock and the smallest size, F1 for help,
// and one layout pass for every size the window settles at. It knows none of
// the controls in the client area: a window places those in layOutClient.
class BigWindow : public QWidget
{
    Q_OBJECT

public:
    // The design's client area: a 640 by 480 window less its frame and title.
    static constexpr int clientWidth = 632;
    static constexpr int clientHeight = 453;

    // Lays the window out for its size: the 4:3 lock first, then the client
    // area below the title and what the window holds in it.
    void FormResize();

    // Whether the window has kept its size for a moment since it last
    // changed: a change before then counts as part of an edge drag.
    bool isAtRest() const;

protected:
    BigWindow(const QString& name, const QString& title, QWidget* parent);

    // The window's own part of the layout pass, for a client area of `area`.
    virtual void layOutClient(QSize area) = 0;

    QWidget* clientArea() const { return m_area; }

    // The control of that name in the client area.
    QWidget* named(std::string_view name) const;

    // The size the named control's text asks for in a font of `pixels`,
    // which the control then keeps.
    QSize naturalSize(std::string_view name, int pixels) const;

    // The strip across the top of the client area that holds the menu words,
    // in the platform's button colour.
    QFrame* makeMenuStrip();

    // The window font at `pixels` high, which every control without a font
    // of its own takes.
    void setFontPixels(int pixels);

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_area = nullptr;
    WindowAspect* m_aspect = nullptr;
    // Counts the layout passes begun, so that a pass knows when the size the
    // lock asked for was taken, and laid out, inside it.
    int m_passes = 0;
};
