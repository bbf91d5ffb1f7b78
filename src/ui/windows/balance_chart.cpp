#include "ui/windows/balance_chart.h"

#include "core/platform/late_library.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/screen_centre.h"
#include "ui/kit/ui.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

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

// The drawing module's entry points, loaded once: an installed program takes
// the installed module, a program run from its build folder the one built
// with it.
struct ChartModule
{
    MakeChartView make = nullptr;
    DrawChart draw = nullptr;
    QString missing; // why the module cannot be used, or nothing
};

const ChartModule& chartModule()
{
    static const ChartModule module = [] {
        const bool installed = QDir(QCoreApplication::applicationDirPath()) ==
                               QDir(QStringLiteral(PURSEWISE_INSTALLED_BINDIR));
        static LateLibrary library(installed ? QStringLiteral(PURSEWISE_CHART_MODULE_INSTALLED)
                                             : QStringLiteral(PURSEWISE_CHART_MODULE_BUILT));
        ChartModule found;
        if (!(library.find(found.make, makeChartViewName) &&
              library.find(found.draw, drawChartName)))
            found.missing = library.reason();
        return found;
    }();
    return module;
}

ChartLine line(const char* name, const QColor& colour, Qt::PenStyle style, bool pointsVisible)
{
    ChartLine made;
    made.name = QString::fromLatin1(name);
    made.colour = colour;
    made.style = style;
    made.pointsVisible = pointsVisible;
    return made;
}

} // namespace

TBalanceChart::TBalanceChart(Ui& ui, QWidget* parent) : QWidget(parent, Qt::Window), m_ui(ui)
{
    setObjectName(QStringLiteral("Chart"));
    setWindowTitle(QStringLiteral("Balance chart"));
    setWindowIcon(programIcon());
    setFont(designFont(QStringLiteral("MS Sans Serif"), 13));
    resize(640, 420);

    const ChartModule& module = chartModule();
    if (module.missing.isEmpty()) {
        ChartLook look;
        look.titleFont = designFont(QStringLiteral("Tahoma"), 17, true);
        look.balance = line("Balance", designColour(8388608), Qt::SolidLine, true); // navy
        look.limit = line("Limit", designColour(128), Qt::DashLine, false);         // maroon
        m_view = module.make(look, this);
        m_draw = module.draw;
    } else {
        auto* reason = new QLabel(
            QStringLiteral("The balance chart cannot be drawn: %1").arg(module.missing), this);
        reason->setWordWrap(true);
        reason->setAlignment(Qt::AlignCenter);
        m_view = reason;
    }
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
    if (chart == m_drawn || !m_draw)
        return;
    ChartDrawing drawing;
    drawing.title = chartTitle(chart);
    drawing.from = QDate(chart.year, 1, 1).startOfDay();
    drawing.to = QDate(chart.year, 12, 31).startOfDay();
    // From the lowest to the highest amount drawn, zero always included,
    // with a tenth of the span to spare above and below; the view rounds
    // the ends to nice numbers.
    std::int64_t low = 0;
    std::int64_t high = 0;
    for (const auto* points : {&chart.balance, &chart.limit})
        for (const ChartPoint& point : *points) {
            low = std::min(low, point.cents);
            high = std::max(high, point.cents);
        }
    const qreal spare = std::max<qreal>(units(high) - units(low), 1) / 10;
    drawing.low = low < 0 ? units(low) - spare : 0;
    drawing.high = units(high) + spare;
    drawing.balance = seriesPoints(chart.balance);
    drawing.limit = seriesPoints(chart.limit);
    m_draw(m_view, drawing);
    m_drawn = std::move(chart);
}
