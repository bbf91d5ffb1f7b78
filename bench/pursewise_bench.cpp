// Speed of the core's operations next to the least work each one cannot
// avoid on this machine: the same bytes read with one read, written with one
// atomic replace, 1000 sums of int64.

#include "core/platform/save_transaction.h"
#include "core/program/dialog_values.h"
#include "core/program/pursewise.h"
#include "core/program/reminders.h"
#include "core/program/statement_import.h"
#include "core/program/statement_export.h"
#include "core/program/undo_commands.h"
#include "data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>
#include <vector>

namespace {

// A started program with card 1 open in its register.
std::unique_ptr<Pursewise> openProgram()
{
    auto p = std::make_unique<Pursewise>();
    p->start();
    p->sg1.setCurrentRow(1);
    p->cardList.SelectFromGrid();
    p->tc.OpenCard();
    return p;
}

EntryValues anEntry()
{
    EntryValues entry;
    entry.date = QDate(2026, 12, 8);
    entry.description = QStringLiteral("Benchmark");
    entry.charge = QStringLiteral("10.00");
    entry.payment = QStringLiteral("10.00");
    return entry;
}

// --- Baselines -----------------------------------------------------------

void ReadBaseline(benchmark::State& state, const char* name)
{
    DataFolder folder;
    for (auto _ : state) {
        QFile file(QString::fromLatin1(name));
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK_CAPTURE(ReadBaseline, CardList, "CardList.dat");
BENCHMARK_CAPTURE(ReadBaseline, Ledger1000, "126.dat");

void AtomicWriteBaseline(benchmark::State& state)
{
    DataFolder folder;
    QFile source(QStringLiteral("126.dat"));
    source.open(QIODevice::ReadOnly);
    const QByteArray bytes = source.readAll();
    for (auto _ : state) {
        QSaveFile file(QStringLiteral("copy.dat"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.commit();
    }
}
BENCHMARK(AtomicWriteBaseline);

void SumBaseline(benchmark::State& state)
{
    std::vector<std::int64_t> cents(1000);
    std::iota(cents.begin(), cents.end(), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cents.data());
        benchmark::DoNotOptimize(std::accumulate(cents.begin(), cents.end(), std::int64_t(0)));
    }
}
BENCHMARK(SumBaseline);

// Summing 1000 int64 values and formatting 1000 money texts: what a running
// balance cannot do without.
void SumAndFormatBaseline(benchmark::State& state)
{
    const TccMath math;
    for (auto _ : state) {
        std::int64_t total = 0;
        for (int row = 0; row < 1000; ++row) {
            total += 1234;
            benchmark::DoNotOptimize(math.CentsToAmount(total));
        }
    }
}
BENCHMARK(SumAndFormatBaseline);

// --- Operations ----------------------------------------------------------

void AddAmounts(benchmark::State& state)
{
    const TccMath math;
    for (auto _ : state)
        benchmark::DoNotOptimize(math.AddAmounts("123456.78", "-.05"));
}
BENCHMARK(AddAmounts);

void LoadList(benchmark::State& state)
{
    DataFolder folder;
    for (auto _ : state) {
        TextGrid sg1(8, 25, 1);
        TCardList list(sg1);
        list.LoadList();
        benchmark::DoNotOptimize(list.cardCount());
    }
}
BENCHMARK(LoadList);

void LoadYear(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    for (auto _ : state) {
        p->grid.ClearLedger();
        p->grid.LoadYear();
    }
}
BENCHMARK(LoadYear);

void SaveYear(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    for (auto _ : state)
        p->grid.SaveYear();
}
BENCHMARK(SaveYear);

// Row 1's charge moves by a cent each time, so every one of the 1000
// balances is rewritten with a new text.
void RecomputeBalances(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    const QString charges[] = {QStringLiteral("12.34"), QStringLiteral("12.35")};
    int turn = 0;
    for (auto _ : state) {
        p->ledger.setCell(TGrid::Charges, 1, charges[turn ^= 1]);
        p->grid.RecomputeBalances();
    }
}
BENCHMARK(RecomputeBalances);

void OpenCard(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    for (auto _ : state)
        p->tc.OpenCard();
}
BENCHMARK(OpenCard);

// Appends a charge to a 999-entry ledger with all its saves, then removes it
// again (untimed) so that every iteration starts from the same ledger.
void AddChargeAppended(benchmark::State& state)
{
    DataFolder folder(999);
    auto p = openProgram();
    for (auto _ : state) {
        p->grid.SelectRowAfterLast();
        p->grid.CaptureSelectedRow();
        p->tc.AddCharge(anEntry());
        state.PauseTiming();
        p->tc.DeleteCharge();
        state.ResumeTiming();
    }
}
BENCHMARK(AddChargeAppended);

// The same charge as one user action, recorded in the undo history (each
// saved file's old bytes read once more), then undone and redone: the files
// written back and the register loaded again each time.
void AddChargeThenUndoAndRedo(benchmark::State& state)
{
    DataFolder folder(999);
    auto p = openProgram();
    UndoCommands undo(*p);
    for (auto _ : state) {
        {
            DataFile::Transaction action;
            p->grid.SelectRowAfterLast();
            p->grid.CaptureSelectedRow();
            p->tc.AddCharge(anEntry());
            action.commit();
        }
        for (const bool back : {true, false}) {
            DataFile::Transaction action;
            back ? undo.undo() : undo.redo();
            action.commit();
        }
        state.PauseTiming();
        {
            DataFile::Transaction action;
            undo.undo();
            action.commit();
        }
        p->history.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(AddChargeThenUndoAndRedo);

// Inserts a charge at row 1 of a 999-entry ledger, shifting every row.
void AddChargeInsertedAtRow1(benchmark::State& state)
{
    DataFolder folder(999);
    auto p = openProgram();
    for (auto _ : state) {
        p->ledger.setCurrentRow(1);
        p->grid.CaptureSelectedRow();
        p->grid.OpenGapAtSelectedRow();
        p->tc.AddCharge(anEntry());
        state.PauseTiming();
        p->tc.DeleteCharge();
        state.ResumeTiming();
    }
}
BENCHMARK(AddChargeInsertedAtRow1);

// The entry dialog's edit of row 1 of a 1000-entry ledger: remove, reopen the
// row, add again.
void EditRow1(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    for (auto _ : state) {
        p->ledger.setCurrentRow(1);
        p->grid.CaptureSelectedRow();
        p->tc.DeleteCharge();
        p->grid.OpenGapAtSelectedRow();
        EntryValues entry = anEntry();
        entry.charge = QStringLiteral("12.34");
        p->tc.AddCharge(entry);
    }
}
BENCHMARK(EditRow1);

// A statement of 1000 new charges in 2026, two or three a day.
Statement thousandCharges()
{
    Statement statement;
    for (int i = 0; i < 1000; ++i) {
        StatementEntry entry;
        entry.date = QDate(2026, 1, 1).addDays(i % 340);
        entry.description = QStringLiteral("Shop number %1").arg(i);
        entry.cents = 100 + i;
        entry.kind = EntryKind::Charge;
        entry.line = i + 1;
        statement.entries.push_back(entry);
    }
    return statement;
}

// The import's preview and post of 1000 charges into the empty year 2026 of
// card 1, with the action's commit; the folder is written afresh (untimed)
// before each time.
void ImportThousandEntries(benchmark::State& state)
{
    DataFolder folder(0);
    const Statement statement = thousandCharges();
    for (auto _ : state) {
        state.PauseTiming();
        DataFolder::writeFiles(0);
        auto p = openProgram();
        state.ResumeTiming();
        {
            DataFile::Transaction action;
            StatementImport import(*p);
            const std::vector<ImportLine> lines = import.preview(statement);
            benchmark::DoNotOptimize(import.post(lines, false));
            action.commit();
        }
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(ImportThousandEntries)->Unit(benchmark::kMillisecond);

// The year on view's 1000 entries gathered, written as CSV and saved to a
// file beside the data.
void ExportCsv1000(benchmark::State& state)
{
    DataFolder folder;
    auto p = openProgram();
    const QString file = QDir::current().filePath(QStringLiteral("export.csv"));
    for (auto _ : state)
        saveExport(file, exportCsv(yearOnViewRows(*p)));
    state.counters["entries"] = p->grid.entryCount();
}
BENCHMARK(ExportCsv1000)->Unit(benchmark::kMillisecond);

// The Reminders window's lines for 24 cards: the list's cells and the 24
// cards' files read, as each refresh of the open window does; beside it, the
// 24 files read alone.
void WriteInfoFiles()
{
    for (int card = 1; card <= 24; ++card)
        DataFile::writeLines(QStringLiteral("%1info.dat").arg(card),
                             {QStringLiteral("Card number %1").arg(card), "10/31/27", "18.9", "0",
                              "6/30/27", QStringLiteral("the %1th").arg(card), "900000.00", "0.00",
                              "900000.00", "0.00"});
}

void Reminders24Cards(benchmark::State& state)
{
    DataFolder folder;
    WriteInfoFiles();
    Pursewise p;
    p.start();
    std::size_t lines = 0;
    for (auto _ : state) {
        const std::vector<Reminder> reminders =
            remindersFor(p.sg1, p.cardList.cardCount(), cardInfoFromFile, Clock::today());
        lines = reminders.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
}
BENCHMARK(Reminders24Cards);

void ReadInfoFilesBaseline(benchmark::State& state)
{
    DataFolder folder;
    WriteInfoFiles();
    for (auto _ : state) {
        for (int card = 1; card <= 24; ++card) {
            QFile file(QStringLiteral("%1info.dat").arg(card));
            file.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(file.readAll());
        }
    }
}
BENCHMARK(ReadInfoFilesBaseline);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
