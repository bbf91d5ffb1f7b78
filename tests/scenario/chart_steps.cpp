#include "core/program/statement_export.h"
#include "scenario_runner.h"
#include "step_failed.h"
#include "ui/windows/balance_chart.h"

#include <QChart>
#include <QChartView>
#include <QStringList>
#include <QXYSeries>

// The step that reads a chart through its series: the points it was given to
// draw, not the pixels it drew.

namespace {

// "2026-01-01 100.00; 2026-03-05 742.35", as a script writes the points.
QString pointsText(const std::vector<Step::Point>& points)
{
    QStringList items;
    for (const Step::Point& point : points)
        items << point.date.toString(Qt::ISODate) + u' ' + exportAmount(point.cents);
    return items.join(QStringLiteral("; "));
}

} // namespace

// The points of the named series of a chart view, each read back as the day
// its place on the date axis stands for and its amount in cents.
void ScenarioRunner::expectPoints(const Step& step)
{
    QWidget* c = control(step);
    const auto* view = qobject_cast<const QChartView*>(c);
    if (!view || !view->chart())
        fail(QStringLiteral("%1 is no chart").arg(c->objectName()));
    const QXYSeries* found = nullptr;
    QStringList names;
    for (const QAbstractSeries* series : view->chart()->series()) {
        names << u'"' + series->objectName() + u'"';
        if (series->objectName() == step.text)
            found = qobject_cast<const QXYSeries*>(series);
    }
    if (!found)
        fail(QStringLiteral("no series named \"%1\"; the chart's series are %2")
                 .arg(step.text,
                      names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "))));
    std::vector<Step::Point> seen;
    for (const QPointF& point : found->points())
        seen.push_back({TBalanceChart::dateAt(point.x()), qRound64(point.y() * 100)});
    if (seen != step.points)
        fail(seen.empty() ? QStringLiteral("no points") : u'"' + pointsText(seen) + u'"');
}
