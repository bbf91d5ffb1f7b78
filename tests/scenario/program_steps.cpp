#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/program/pursewise.h"
#include "scenario_runner.h"
#include "step_failed.h"
#include "ui/windows/program_windows.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <utility>

// The steps that quit and start the program again and that size its windows.

namespace {

QString geometryText(const QRect& r)
{
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

// `clock` and `shortdate` set the program's clock and date format before it
// starts. Once it has started they are kept for the next `restart`, as the
// running program never sees its clock jump; with no `restart` later in the
// script such a step is out of place.
bool ScenarioRunner::forNextRestart(const Step& step)
{
    if (!m_windows && !m_ended)
        return false;
    const auto here = std::find_if(m_steps.begin(), m_steps.end(),
                                   [&step](const Step& s) { return &s == &step; });
    const bool restartFollows = std::any_of(
        here, m_steps.end(), [](const Step& s) { return s.kind == Step::Kind::Restart; });
    if (!restartFollows)
        fail(
            QStringLiteral("\"%1\" belongs before \"start\"").arg(step.source.section(u' ', 0, 0)));
    if (step.kind == Step::Kind::Clock)
        m_restartClock = step.moment;
    else
        m_restartShortDate = step.text;
    return true;
}

// A person quitting and starting again: the main window's close box ends the
// program, every window with it, and the program starts afresh on the same
// data folder, with the clock and date format that were set for it.
void ScenarioRunner::restart()
{
    if (!m_windows && !m_ended)
        fail(QStringLiteral("the program has not started yet"));
    if (!m_ended) {
        QWidget* main = window(QStringLiteral("Main"));
        requireUsable(main);
        activate(main);
        main->close();
        if (main->isVisible())
            fail(QStringLiteral("the main window stayed open"));
    }
    m_windows.reset();
    m_state.reset();
    m_ended = false;
    if (m_restartClock)
        Clock::fix(*std::exchange(m_restartClock, std::nullopt));
    if (m_restartShortDate)
        ShortDate::setFormat(*std::exchange(m_restartShortDate, std::nullopt));
    start();
}

// A window manager's resize: the window takes the new size and its own
// resize handling runs, so a big window's 4:3 lock asks for the size it
// wants and, offscreen, gets it. The step returns once the window has been
// still long enough for the lock to count the size as at rest (150 ms).
void ScenarioRunner::resize(const Step& step)
{
    QWidget* w = window(step.window);
    if (!w->isVisible())
        fail(QStringLiteral("the window %1 is hidden").arg(w->objectName()));
    w->resize(step.geometry.size());
    QTest::qWait(400);
    settle();
}

// A control's place and size in its window's client area; a window's client
// size alone.
void ScenarioRunner::expectGeometry(const Step& step)
{
    QWidget* c = target(step);
    if (c->isWindow()) {
        if (c->size() != step.geometry.size())
            fail(QStringLiteral("%1 %2").arg(c->width()).arg(c->height()));
        return;
    }
    const QRect seen(c->mapTo(c->window(), QPoint(0, 0)), c->size());
    if (seen != step.geometry)
        fail(geometryText(seen));
}
