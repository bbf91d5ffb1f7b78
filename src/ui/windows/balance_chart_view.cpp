// The balance chart's drawing with Qt Charts, built as a module of its own
// and loaded by the chart window at its first drawing (balance_chart_view.h).

#include "ui/windows/balance_chart_view.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace {

QLineSeries* series(const ChartLine& line)
{
    auto* drawn = new QLineSeries;
    drawn->setObjectName(line.name);
    drawn->setName(line.name);
    QPen pen(line.colour);
    pen.setWidth(2);
    pen.setStyle(line.style);
    drawn->setPen(pen);
    drawn->setPointsVisible(line.pointsVisible);
    return drawn;
}

// The chart view with its parts at hand for each drawing.
class BalanceChartView : public QChartView
{
public:
    // Made with its chart: a view made without one makes a chart of its own,
    // which setChart would let go of without deleting it.
    BalanceChartView(const ChartLook& look, QWidget* parent) : QChartView(new QChart, parent)
    {
        setObjectName(QStringLiteral("ChartView"));
        QChart* chart = this->chart();
        chart->setTitleFont(look.titleFont);
        chart->legend()->setAlignment(Qt::AlignBottom);
        m_balance = series(look.balance);
        m_limit = series(look.limit);
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
        setRenderHint(QPainter::Antialiasing);
    }

    void draw(const ChartDrawing& drawing)
    {
        chart()->setTitle(drawing.title);
        // Every change of an axis places each point of the series again: the
        // old points go first, the axes are set, and the new points are
        // placed once, in one replace per series.
        m_balance->clear();
        m_limit->clear();
        m_dates->setRange(drawing.from, drawing.to);
        m_money->setRange(drawing.low, drawing.high);
        m_money->applyNiceNumbers();
        m_balance->replace(drawing.balance);
        m_limit->replace(drawing.limit);
    }

private:
    QLineSeries* m_balance = nullptr;
    QLineSeries* m_limit = nullptr;
    QDateTimeAxis* m_dates = nullptr;
    QValueAxis* m_money = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT QWidget* pursewiseMakeChartView(const ChartLook& look, QWidget* parent)
{
    return new BalanceChartView(look, parent);
}

extern "C" Q_DECL_EXPORT void pursewiseDrawChart(QWidget* view, const ChartDrawing& drawing)
{
    static_cast<BalanceChartView*>(view)->draw(drawing);
}
