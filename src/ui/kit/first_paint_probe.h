#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

// For the start-up benchmarks only: with PURSEWISE_FIRST_PAINT_EXIT set in the
// environment, the first paint of the watched window prints the moment on the
// monotonic clock ("first-paint 123456789" in nanoseconds) to standard output
// and ends the program as soon as that paint is done. The benchmark compares
// the moment with the one it took before starting the process. Without the
// variable nothing is watched. Needs Qt Widgets only, so the baseline programs
// in bench/ use the same probe.
class FirstPaintProbe : public QObject
{
public:
    // Watches `window` when the variable is set.
    static void watch(QWidget* window)
    {
        if (!qEnvironmentVariableIsEmpty("PURSEWISE_FIRST_PAINT_EXIT"))
            window->installEventFilter(new FirstPaintProbe(window));
    }

    static long long monotonicNanoseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The quit runs after this paint and its flush to the screen.
            QTimer::singleShot(0, this, [] {
                std::printf("first-paint %lld\n", monotonicNanoseconds());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    explicit FirstPaintProbe(QObject* parent) : QObject(parent) {}

    bool m_seen = false;
};
