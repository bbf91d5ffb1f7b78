#pragma once

#include <QSize>

#include <cmath>
#include <optional>

// The design's rounding: to the nearest whole number, a half going to the
// even neighbour (481.5 is 482, 480.5 is 480).
inline int roundEven(double value)
{
    return int(std::nearbyint(value));
}

// Dropping the fraction towards zero.
inline int trunc0(double value)
{
    return int(std::trunc(value));
}

// Keeps a big window at 4:3, from the change of its outer size since the last
// pass: a height change larger than the width change sets the width from the
// height, any other change the height from the width. Setting a size that
// differs is itself a resize and runs a nested pass at once.
class AspectLock
{
public:
    // The pass for a resize to `outer`: the size the window must take, or
    // nothing when it keeps `outer`. Runs the nested passes a change causes.
    std::optional<QSize> LockAspectRatio(QSize outer);

    // The next pass measures its change from `outer` instead of the size of
    // the last pass.
    void restartFrom(QSize outer)
    {
        m_prevWidth = outer.width();
        m_prevHeight = outer.height();
    }

    int prevWidth() const { return m_prevWidth; }
    int prevHeight() const { return m_prevHeight; }

private:
    int m_prevWidth = 0;
    int m_prevHeight = 0;
};

// The smallest outer size a big window may be dragged to on a screen of this
// size: 512 by 384 on a screen at most 640 wide or at most 480 high, else 640
// by 480.
QSize minimumOuterSize(QSize screen);
