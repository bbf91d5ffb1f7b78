// The register window's layout pass with 1000 entries in its ledger, through
// the real windows on the offscreen platform. Each run of the window size
// between two sizes is timed two ways: the layout pass alone (FormResize at
// the new size), and the whole resize with every event it causes, painting
// included.

#include "ui/windows/program_windows.h"
#include "data_folder.h"
#include "core/program/pursewise.h"
#include "ui/windows/register_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The program with card 1's register shown at 640 by 480.
struct OpenRegister
{
    DataFolder folder;
    Pursewise p;
    std::unique_ptr<ProgramWindows> windows;
    TForm1* form = nullptr;

    OpenRegister()
    {
        p.start();
        windows = std::make_unique<ProgramWindows>(p);
        windows->showMain();
        p.sg1.setCurrentRow(1);
        p.cardList.SelectFromGrid();
        p.tc.OpenCard();
        windows->ui().refresh();
        form = static_cast<TForm1*>(windows->window(QStringLiteral("Form1")));
        QApplication::processEvents();
    }
};

const QSize sizes[] = {QSize(640, 480), QSize(1000, 750)};

// The window takes the next size with its events handled (untimed); then the
// layout pass for that size is timed on its own.
void RegisterLayoutPass(benchmark::State& state)
{
    OpenRegister program;
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        program.form->resize(sizes[turn ^= 1]);
        QApplication::processEvents();
        state.ResumeTiming();
        program.form->FormResize();
    }
    state.counters["entries"] = program.p.grid.entryCount();
}
BENCHMARK(RegisterLayoutPass)->Unit(benchmark::kMicrosecond);

// A resize as the user makes one: the new size, its layout pass, and the
// repaint of what shows.
void RegisterResizeWithEvents(benchmark::State& state)
{
    OpenRegister program;
    int turn = 0;
    for (auto _ : state) {
        program.form->resize(sizes[turn ^= 1]);
        QApplication::processEvents();
    }
    state.counters["entries"] = program.p.grid.entryCount();
}
BENCHMARK(RegisterResizeWithEvents)->Unit(benchmark::kMicrosecond);

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
