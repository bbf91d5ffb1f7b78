// The balance chart of a 1000-entry year: its points computed from the
// register, a refresh that finds nothing changed, the chart window drawn
// again after a change (the series replaced, the axes fitted), and that with
// a whole picture of the window painted, offscreen.

#include "core/program/balance_chart.h"
#include "core/program/pursewise.h"
#include "core/register/grid.h"
#include "data_folder.h"
#include "ui/windows/balance_chart.h"
#include "ui/windows/program_windows.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The program's windows with card 1's 1000 entries in the register and its
// chart open.
struct OpenChart
{
    OpenChart()
    {
        windows = std::make_unique<ProgramWindows>(p);
        p.sg1.setCurrentRow(1);
        p.cardList.SelectFromGrid();
        p.tc.OpenCard();
        windows->ui().refresh();
        chart = windows->ui().balanceChart();
        chart->open();
        QApplication::processEvents();
    }

    Pursewise p;
    std::unique_ptr<ProgramWindows> windows;
    TBalanceChart* chart = nullptr;
};

void BalanceChartOf1000(benchmark::State& state)
{
    DataFolder folder;
    Pursewise p;
    p.start();
    p.sg1.setCurrentRow(1);
    p.cardList.SelectFromGrid();
    p.tc.OpenCard();
    std::size_t points = 0;
    for (auto _ : state)
        points = balanceChartOf(p).balance.size();
    state.counters["points"] = double(points);
}
BENCHMARK(BalanceChartOf1000)->Unit(benchmark::kMicrosecond);

// Row 1's charge moved by a cent, so that every balance point changes.
void nudge(Pursewise& p, int run)
{
    p.ledger.setCell(TGrid::Charges, 1,
                     run % 2 ? QStringLiteral("12.35") : QStringLiteral("12.34"));
}

// What a refresh of the register costs while the chart is open and the
// ledger has not changed: the points computed and found the same.
void ChartRefreshUnchanged1000(benchmark::State& state)
{
    DataFolder folder;
    OpenChart open;
    for (auto _ : state)
        open.chart->refresh();
}
BENCHMARK(ChartRefreshUnchanged1000)->Unit(benchmark::kMillisecond);

// A refresh after a change: every point of the series replaced.
void ChartRedraw1000(benchmark::State& state)
{
    DataFolder folder;
    OpenChart open;
    int run = 0;
    for (auto _ : state) {
        nudge(open.p, ++run);
        open.chart->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(ChartRedraw1000)->Unit(benchmark::kMillisecond);

// A redraw and the window painted whole, as a screen would show it.
void ChartRedrawAndPaint1000(benchmark::State& state)
{
    DataFolder folder;
    OpenChart open;
    int run = 0;
    for (auto _ : state) {
        nudge(open.p, ++run);
        open.chart->refresh();
        benchmark::DoNotOptimize(open.chart->grab());
    }
}
BENCHMARK(ChartRedrawAndPaint1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
