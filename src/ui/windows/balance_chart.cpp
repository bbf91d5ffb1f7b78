#include "ui/windows/balance_chart.h"

#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/screen_centre.h"
#include "ui/kit/ui.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPen>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

// Money on the chart in currency units: 74235 cents is 742.35. Only the
// drawing is in floating point; the balances were summed in cents.
qreal units(std::int64_t cents)
{
    return qreal(cents) / 100;
}

QList<QPointF> seriesPoints(const std::vector<ChartPoint>& points)
{
    QList<QPointF> out;
    out.reserve(qsizetype(points.size()));
    for (const ChartPoint& point : points)
        out.append(QPointF(TBalanceChart::xOf(point.date), units(point.cents)));
    return out;
}

QLineSeries* series(const char* name, const QColor& colour, Qt::PenStyle style)
{
    auto* line = new QLineSeries;
    line->setObjectName(QString::fromLatin1(name));
    line->setName(QString::fromLatin1(name));
    QPen pen(colour);
    pen.setWidth(2);
    pen.setStyle(style);
    line->setPen(pen);
    return line;
}

} // namespace

TBalanceChart::TBalanceChart(Ui& ui, QWidget* parent) : QWidget(parent, Qt::Window), m_ui(ui)
{
    setObjectName(QStringLiteral("Chart"));
    setWindowTitle(QStringLiteral("Balance chart"));
    setWindowIcon(programIcon());
    setFont(designFont(QStringLiteral("MS Sans Serif"), 13));
    resize(640, 420);

    auto* chart = new QChart;
    chart->setTitleFont(designFont(QStringLiteral("Tahoma"), 17, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_balance = series("Balance", designColour(8388608), Qt::SolidLine); // navy
    m_balance->setPointsVisible(true);
    m_limit = series("Limit", designColour(128), Qt::DashLine); // maroon
    chart->addSeries(m_balance);
    chart->addSeries(m_limit);

    // Five ticks split the year into quarters: 1 Jan, 2 Apr, 2 Jul, 1 Oct, 31 Dec.
    m_dates = new QDateTimeAxis;
    m_dates->setObjectName(QStringLiteral("Dates"));
    m_dates->setFormat(QStringLiteral("d MMM"));
    m_dates->setTickCount(5);
    m_money = new QValueAxis;
    m_money->setObjectName(QStringLiteral("Money"));
    m_money->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_money, Qt::AlignLeft);
    for (QLineSeries* line : {m_balance, m_limit}) {
        line->attachAxis(m_dates);
        line->attachAxis(m_money);
    }

    m_view = new QChartView(chart, this);
    m_view->setObjectName(QStringLiteral("ChartView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

qreal TBalanceChart::xOf(QDate date)
{
    return qreal(date.startOfDay().toMSecsSinceEpoch());
}

QDate TBalanceChart::dateAt(qreal x)
{
    return QDateTime::fromMSecsSinceEpoch(qRound64(x)).date();
}

void TBalanceChart::open()
{
    draw();
    if (!m_placed) {
        centreOnScreen(this);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void TBalanceChart::refresh()
{
    if (!m_ui.p.reg.shown) {
        if (isVisible())
            hide();
        return;
    }
    if (isVisible())
        draw();
}

void TBalanceChart::draw()
{
    BalanceChart chart = balanceChartOf(m_ui.p);
    if (chart == m_drawn)
        return;
    m_view->chart()->setTitle(chartTitle(chart));
    // Every change of an axis places each point of the series again: the
    // old points go first, the axes are set, and the new points are placed
    // once, in one replace per series.
    m_balance->clear();
    m_limit->clear();
    m_dates->setRange(QDate(chart.year, 1, 1).startOfDay(), QDate(chart.year, 12, 31).startOfDay());
    fitMoneyAxis(chart);
    m_balance->replace(seriesPoints(chart.balance));
    m_limit->replace(seriesPoints(chart.limit));
    m_drawn = std::move(chart);
}

// From the lowest to the highest amount drawn, zero always included, with a
// tenth of the span to spare above and below, on round numbers.
void TBalanceChart::fitMoneyAxis(const BalanceChart& chart)
{
    std::int64_t low = 0;
    std::int64_t high = 0;
    for (const auto* points : {&chart.balance, &chart.limit})
        for (const ChartPoint& point : *points) {
            low = std::min(low, point.cents);
            high = std::max(high, point.cents);
        }
    const qreal spare = std::max<qreal>(units(high) - units(low), 1) / 10;
    m_money->setRange(low < 0 ? units(low) - spare : 0, units(high) + spare);
    m_money->applyNiceNumbers();
}
