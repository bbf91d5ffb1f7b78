#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Puts a window in the middle of the screen it is on (the primary screen
// before its first showing), as the About box and the verses window open.
inline void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
