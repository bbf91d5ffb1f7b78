#include "app/big_window.h"

#include <QScreen>
#include <QTimer>
#include <QWidget>

void applyMinimumSize(QWidget* window)
{
    if (QScreen* display = window->screen()) {
        const QSize frame = window->frameGeometry().size() - window->size();
        window->setMinimumSize(minimumOuterSize(display->size()) - frame);
    }
}

bool lockAspect(QWidget* window, AspectLock& lock, const std::function<void()>& again)
{
    const QSize frame = window->frameGeometry().size() - window->size();
    const std::optional<QSize> wanted = lock.LockAspectRatio(window->size() + frame);
    if (!wanted)
        return false;
    window->resize(*wanted - frame);
    QTimer::singleShot(0, window, again);
    return true;
}
