#include "core/layout/layout_math.h"

#include <cstdlib>

std::optional<QSize> AspectLock::LockAspectRatio(QSize outer)
{
    const int dh = std::abs(outer.height() - m_prevHeight);
    const int dw = std::abs(outer.width() - m_prevWidth);
    m_prevHeight = outer.height();
    m_prevWidth = outer.width();
    QSize wanted = outer;
    if (dh > dw)
        wanted.setWidth(roundEven(outer.height() * 4.0 / 3.0));
    else
        wanted.setHeight(roundEven(outer.width() * 0.75));
    if (wanted == outer)
        return std::nullopt;
    // The new size is a resize of its own; its pass may change it once more.
    const std::optional<QSize> nested = LockAspectRatio(wanted);
    return nested ? nested : wanted;
}

QSize minimumOuterSize(QSize screen)
{
    if (screen.width() <= 640 || screen.height() <= 480)
        return {512, 384};
    return {640, 480};
}
