// Start-up, timed from outside: each run starts a fresh process and takes the
// time from just before the start to the moment the process reports.
// - Startup/bare, Startup/fair, Startup/program: to the first paint of the
//   main window (PURSEWISE_FIRST_PAINT_EXIT, ui/kit/first_paint_probe.h), for
//   the two Qt-only baselines and for the program with 24 cards.
// - Runner/startup, Runner/open-and-insert: the scenario runner on the same
//   24 cards, to the end of its last step (PURSEWISE_REPORT_DONE): start-up
//   alone, and start-up, opening card 1's register of 999 entries and
//   inserting one charge at row 1 through the entry dialog.
// - FairOpenAndInsert: the fair baseline going through the same path with Qt
//   alone after its first paint (--open-and-insert), to its "done" report.
// The data folder is written afresh before every run, untimed. Runs use the
// platform of QT_QPA_PLATFORM (offscreen when unset), so under xvfb-run with
// QT_QPA_PLATFORM=xcb the same runs time a real X server's first paint. After
// the runs, the ratios of the medians are printed.

#include "data_folder.h"
#include "ui/kit/first_paint_probe.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int folderEntries = 999;

// The moment the child reported, or -1 when it ended without reporting.
long long runAndWaitForReport(const std::vector<std::string>& command, const QString& folder)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        // The platform's notes ("This plugin does not support raise()") would
        // bury the report.
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0)
            dup2(quiet, STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (chdir(folder.toLocal8Bit().constData()) != 0)
            _exit(127);
        std::vector<char*> arguments;
        for (const std::string& argument : command)
            arguments.push_back(const_cast<char*>(argument.c_str()));
        arguments.push_back(nullptr);
        execv(arguments[0], arguments.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    FILE* out = fdopen(pipeEnds[0], "r");
    long long reported = -1;
    char word[32];
    long long moment = 0;
    while (out && std::fscanf(out, "%31s %lld", word, &moment) == 2)
        reported = moment;
    if (out)
        std::fclose(out);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return reported;
}

// A fresh folder for settings, so that no run reads or changes the user's.
struct Environment
{
    QTemporaryDir settings;
    QTemporaryDir runtime;

    Environment()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("PURSEWISE_FIRST_PAINT_EXIT", "1");
        qputenv("PURSEWISE_REPORT_DONE", "1");
    }
};

void timeRuns(benchmark::State& state, const std::vector<std::string>& command, bool withCards)
{
    static Environment environment;
    DataFolder folder(folderEntries);
    const QString path = QDir::currentPath();
    for (auto _ : state) {
        if (withCards)
            DataFolder::writeFiles(folderEntries);
        const long long before = FirstPaintProbe::monotonicNanoseconds();
        const long long reported = runAndWaitForReport(command, path);
        if (reported < 0) {
            state.SkipWithError("the process ended without reporting");
            break;
        }
        state.SetIterationTime(static_cast<double>(reported - before) / 1e9);
    }
}

std::string scenario(const char* name)
{
    return std::string(PURSEWISE_BENCH_SCENARIOS) + "/" + name;
}

void StartupBare(benchmark::State& state)
{
    timeRuns(state, {PURSEWISE_BARE_BASELINE}, false);
}
void StartupFair(benchmark::State& state)
{
    timeRuns(state, {PURSEWISE_FAIR_BASELINE}, false);
}
void StartupProgram(benchmark::State& state)
{
    timeRuns(state, {PURSEWISE_PROGRAM}, true);
}
// PURSEWISE_BENCH_BEFORE names another build of the program (an earlier one,
// with the same first-paint report) to time in the same run.
void StartupBefore(benchmark::State& state)
{
    timeRuns(state, {std::getenv("PURSEWISE_BENCH_BEFORE")}, true);
}
// The fair baseline through the same path, with Qt alone (fair_baseline.cpp).
void FairOpenAndInsert(benchmark::State& state)
{
    timeRuns(state, {PURSEWISE_FAIR_BASELINE, "--open-and-insert"}, false);
}
void RunnerStartup(benchmark::State& state)
{
    timeRuns(state, {PURSEWISE_RUNNER, "--data", ".", scenario("startup.scenario")}, true);
}
void RunnerOpenAndInsert(benchmark::State& state)
{
    timeRuns(state, {PURSEWISE_RUNNER, "--data", ".", scenario("open-and-insert.scenario")}, true);
}

double lowest(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}
double highest(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

// 9 repetitions of each unless --benchmark_repetitions says otherwise.
int repetitions = 9;

void timed(const char* name, void (*run)(benchmark::State&))
{
    benchmark::RegisterBenchmark(name, run)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(repetitions)
        ->ComputeStatistics("min", lowest)
        ->ComputeStatistics("max", highest)
        ->Unit(benchmark::kMillisecond);
}

// The console report, and after it the ratios of the medians.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        ratio("program / bare", "StartupProgram", "StartupBare");
        ratio("program / fair", "StartupProgram", "StartupFair");
        ratio("fair / bare", "StartupFair", "StartupBare");
        ratio("before / bare", "StartupBefore", "StartupBare");
        ratio("open-and-insert / start-up", "RunnerOpenAndInsert", "RunnerStartup");
        ratio("fair open-and-insert / fair", "FairOpenAndInsert", "StartupFair");
        added("open-and-insert, runner", "RunnerOpenAndInsert", "RunnerStartup");
        added("open-and-insert, fair", "FairOpenAndInsert", "StartupFair");
    }

private:
    void ratio(const char* label, const std::string& over, const std::string& under)
    {
        if (m_medians.count(over) && m_medians.count(under) && m_medians[under] > 0)
            std::printf("ratio %-28s %.2f\n", label, m_medians[over] / m_medians[under]);
    }

    // What a path adds to start-up, in milliseconds of the medians.
    void added(const char* label, const std::string& longer, const std::string& shorter)
    {
        if (m_medians.count(longer) && m_medians.count(shorter))
            std::printf("added %-28s %.1f ms\n", label, m_medians[longer] - m_medians[shorter]);
    }

    std::map<std::string, double> m_medians;
};

} // namespace

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--benchmark_repetitions=", 0) == 0)
            repetitions = std::atoi(argv[i] + std::strlen("--benchmark_repetitions="));
    timed("StartupBare", StartupBare);
    timed("StartupFair", StartupFair);
    timed("FairOpenAndInsert", FairOpenAndInsert);
    timed("StartupProgram", StartupProgram);
    if (!qEnvironmentVariableIsEmpty("PURSEWISE_BENCH_BEFORE"))
        timed("StartupBefore", StartupBefore);
    if (*PURSEWISE_RUNNER != '\0') {
        timed("RunnerStartup", RunnerStartup);
        timed("RunnerOpenAndInsert", RunnerOpenAndInsert);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
