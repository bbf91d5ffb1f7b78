// The year report of a 1000-entry year: its HTML, its paged layout, and the
// whole PDF file, on the offscreen platform.

#include "core/program/pursewise.h"
#include "core/program/year_report.h"
#include "data_folder.h"
#include "ui/windows/report_printer.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A started program with card 1's 1000 entries in its register.
std::unique_ptr<Pursewise> openProgram()
{
    auto p = std::make_unique<Pursewise>();
    p->start();
    p->sg1.setCurrentRow(1);
    p->cardList.SelectFromGrid();
    p->tc.OpenCard();
    return p;
}

void ReportHtml1000(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    for (auto _ : state)
        benchmark::DoNotOptimize(reportHtml(yearReportOf(*p)));
}
BENCHMARK(ReportHtml1000)->Unit(benchmark::kMillisecond);

// The report laid out on A4 pages at 96 dots an inch, nothing drawn.
void ReportLayout1000(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    QImage page(794, 1123, QImage::Format_RGB32);
    int pages = 0;
    for (auto _ : state) {
        const ReportPages layout(yearReportOf(*p), page, QSizeF(794, 1123));
        pages = layout.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(ReportLayout1000)->Unit(benchmark::kMillisecond);

// The report built from the register and saved as a PDF file.
void ReportPdf1000(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    const QString file = QDir::current().filePath(QStringLiteral("report.pdf"));
    int pages = 0;
    for (auto _ : state)
        pages = saveYearReportPdf(yearReportOf(*p), file);
    state.counters["pages"] = pages;
}
BENCHMARK(ReportPdf1000)->Unit(benchmark::kMillisecond);

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
