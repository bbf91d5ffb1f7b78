#include "ui/kit/window_aspect.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// How long a window's size must stay the same before it counts as at rest,
// and how often a size the window manager ignored is asked for again.
constexpr int settleMilliseconds = 150;
constexpr int mostTries = 20;

// The client size the X server gives the window, or nothing off X. A window
// manager in the middle of an edge drag may ignore a resize without a word,
// and Qt then takes the size it asked for as the window's.
std::optional<QSize> serverSize(const QWidget* window)
{
    // Other platforms (offscreen among them) may offer the same interface
    // without a connection to a server.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const QWindow* handle = window->windowHandle();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || !handle)
        return std::nullopt;
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(
        connection, xcb_get_geometry(connection, xcb_drawable_t(window->winId())), nullptr);
    if (!reply)
        return std::nullopt;
    const qreal ratio = handle->devicePixelRatio();
    const QSize size(qRound(reply->width / ratio), qRound(reply->height / ratio));
    std::free(reply);
    return size;
}

} // namespace

void applyMinimumSize(QWidget* window)
{
    if (QScreen* display = window->screen()) {
        const QSize frame = window->frameGeometry().size() - window->size();
        window->setMinimumSize(minimumOuterSize(display->size()) - frame);
    }
}

WindowAspect::WindowAspect(QWidget* window) : QObject(window), m_window(window)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &WindowAspect::settle);
}

QSize WindowAspect::outerSize() const
{
    return m_window->frameGeometry().size();
}

QSize WindowAspect::fitted(QSize wanted, QSize available)
{
    if (available.isEmpty() ||
        (wanted.width() <= available.width() && wanted.height() <= available.height()))
        return wanted;
    QSize size(roundEven(available.height() * 4.0 / 3.0), available.height());
    if (size.width() > available.width())
        size = QSize(available.width(), roundEven(available.width() * 0.75));
    return size;
}

void WindowAspect::ask(QSize outer)
{
    const QScreen* screen = m_window->screen();
    const QSize size = fitted(outer, screen ? screen->availableGeometry().size() : QSize());
    // The lock's next pass measures from the size asked for: when that was
    // cut to the screen, from the cut size.
    if (size != outer)
        m_lock.restartFrom(size);
    m_asked = size - (outerSize() - m_window->size());
    m_before = m_window->size();
    m_window->resize(*m_asked);
}

void WindowAspect::resized()
{
    const QSize outer = outerSize();
    const QSize client = m_window->size();
    if (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        // A maximised window fills the area the window manager gives it;
        // the lock takes up again from the size it comes back to.
        m_asked.reset();
        m_settle.stop();
        m_maximised = true;
        return;
    }
    if (m_maximised) {
        m_maximised = false;
        m_lock.restartFrom(outer);
    }
    // Some window managers, openbox among them, take a request made near
    // the end of a drag and then, as the drag ends, put back the size the
    // edge was dragged to: back at the size it had before, the window asks
    // again, measured from where it rested before.
    if (!m_asked && m_taken && client == m_taken->before) {
        m_rest = m_taken->rest;
        m_asked = m_taken->asked;
    }
    m_taken.reset();
    // Another size than the one asked for: the window manager kept the size
    // an edge is dragged to. The change counts from the size at rest.
    const bool kept = m_asked && client != *m_asked;
    if (kept)
        m_lock.restartFrom(m_rest);
    const std::optional<QSize> wanted = m_lock.LockAspectRatio(outer);
    m_settle.start();
    if (!wanted || (kept && *wanted - (outer - client) == *m_asked))
        return; // nothing to change, or asked for already while a drag goes on
    m_tries = 0;
    ask(*wanted);
}

void WindowAspect::settle()
{
    // The frame is known by now: the smallest size counts it.
    applyMinimumSize(m_window);
    // A request the window manager ignored: the window takes its real size
    // (and is laid out for it), then asks again now that the drag is over.
    if (const std::optional<QSize> real = serverSize(m_window); real && *real != m_window->size())
        m_window->resize(*real);
    if (m_asked && m_window->size() != *m_asked && m_tries < mostTries) {
        ++m_tries;
        m_window->resize(*m_asked);
        m_settle.start();
        return;
    }
    if (m_asked && m_window->size() == *m_asked)
        m_taken = Taken{m_before, *m_asked, m_rest};
    m_asked.reset();
    m_rest = outerSize();
    m_tries = 0;
}
