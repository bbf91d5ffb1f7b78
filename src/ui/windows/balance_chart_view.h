#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>

class QWidget;

// What the balance chart window hands to the chart view, which draws with Qt
// Charts. The view lives in a module of its own (balance_chart_view.cpp,
// built as libpursewise_chart.so) that the window loads the first time a
// chart is drawn: Qt Charts and the OpenGL libraries it brings cost every
// start some milliseconds of loading and relocating, for a window few
// sessions open. Plain values only, and C functions, so that the module
// needs nothing of the program.

// How one line of the chart is drawn.
struct ChartLine
{
    QString name;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    bool pointsVisible = false;
};

// Everything one drawing shows.
struct ChartDrawing
{
    QString title;
    QDateTime from;
    QDateTime to;
    // The money axis from low to high, rounded by the view to nice numbers.
    qreal low = 0;
    qreal high = 0;
    // The lines' points: (moment in milliseconds since the epoch, amount in
    // currency units).
    QList<QPointF> balance;
    QList<QPointF> limit;
};

// The view's lines, fixed when it is made: the running balance and the limit.
struct ChartLook
{
    QFont titleFont;
    ChartLine balance;
    ChartLine limit;
};

// The module's two entry points.
using MakeChartView = QWidget* (*)(const ChartLook& look, QWidget* parent);
using DrawChart = void (*)(QWidget* view, const ChartDrawing& drawing);
inline constexpr char makeChartViewName[] = "pursewiseMakeChartView";
inline constexpr char drawChartName[] = "pursewiseDrawChart";
