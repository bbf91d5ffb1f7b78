#pragma once

#include "core/layout/layout_math.h"

#include <QObject>
#include <QSize>
#include <QTimer>

#include <optional>

class QWidget;

// What the main and register windows share on resizing: the smallest size
// and the 4:3 lock. BigWindow applies both; the windows never reach them.

// The smallest size the window may be dragged to on its screen.
void applyMinimumSize(QWidget* window);

// The 4:3 lock of a big window whose size a window manager decides. Every
// resize runs the lock's pass and asks for the size it gives; the window
// lays itself out for the size it really has. While the user drags an edge
// the window manager keeps the size it is dragged to and ignores the
// request, so such a change is measured from the size the window last came
// to rest at (a drag of the bottom edge sets the width from the height, as
// a single resize would), and the request is made again once the window
// has been still for a moment. A size that would not fit the screen's
// available area is scaled down to fit, 4:3 still; a maximised window takes
// the area the window manager gives it.
class WindowAspect : public QObject
{
public:
    explicit WindowAspect(QWidget* window);

    // The first step of the window's layout pass, for the size it has now.
    void resized();

    // Whether the window has kept its size for a moment since it last
    // changed, with the lock's requests settled.
    bool atRest() const { return !m_settle.isActive(); }

    // The outer size the window is to end at, 4:3 and within `available`.
    static QSize fitted(QSize wanted, QSize available);

private:
    void settle();
    QSize outerSize() const;
    void ask(QSize outer);

    QWidget* m_window;
    AspectLock m_lock;
    QTimer m_settle;
    QSize m_rest; // the outer size at the last rest
    // A request the window took: the client sizes before and after, and
    // the outer size the window rested at before it.
    struct Taken
    {
        QSize before;
        QSize asked;
        QSize rest;
    };

    std::optional<QSize> m_asked; // the client size asked for, not yet seen to be taken
    QSize m_before;               // the client size when it was asked for
    std::optional<Taken> m_taken; // the last request taken, until the next resize
    int m_tries = 0;
    bool m_maximised = false;
};
