#pragma once

#include "app/layout_math.h"

#include <functional>

class QWidget;

// What the main and register windows share on resizing.

// The smallest size the window may be dragged to on its screen.
void applyMinimumSize(QWidget* window);

// The 4:3 lock for the window's present outer size. True when the window has
// been asked to take another size first: that size comes back as a resize of
// its own, and `again` runs once more for a platform that applies it without
// telling.
bool lockAspect(QWidget* window, AspectLock& lock, const std::function<void()>& again);
