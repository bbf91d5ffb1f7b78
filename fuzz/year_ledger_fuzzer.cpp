#include "core/program/dialog_values.h"
#include "fuzz_support.h"
#include "core/platform/messages.h"
#include "core/program/register_commands.h"

// A year ledger file (card 3, year 26: "326.dat") holding arbitrary bytes:
// LoadYear may stop with its message but writes only entry rows and the
// entry count; what it read is saved and read back unchanged, and that save
// is a fixed point byte for byte. Then the register's buttons run on it.
namespace {

const QString ledgerFile = QStringLiteral("326.dat");

void openOn(Pursewise& p)
{
    p.reg.cardKey = QStringLiteral("3");
    p.main.CurrentYr = QStringLiteral("26");
    p.main.SelectedYr = QStringLiteral("26");
}

Fuzz::State outsideTheEntries(const Pursewise& p, const Fuzz::State& before)
{
    Fuzz::State state = Fuzz::stateOf(p);
    const int columns = p.ledger.columnCount();
    for (int row = 1; row < p.ledger.rowCount(); ++row)
        for (int column = 1; column < columns; ++column) {
            const std::size_t i = std::size_t(row) * std::size_t(columns) + std::size_t(column);
            state.ledger[i] = before.ledger[i];
        }
    state.counters[2] = before.counters[2];
    return state;
}

std::vector<QString> entries(const Pursewise& p)
{
    std::vector<QString> cells = Fuzz::cellsOf(p.ledger);
    cells.push_back(QString::number(p.grid.entryCount()));
    return cells;
}

EntryValues someEntry()
{
    EntryValues entry;
    entry.date = QDate(2026, 12, 1);
    entry.description = QStringLiteral("Fuzz");
    entry.charge = QStringLiteral("12.34");
    entry.payment = QStringLiteral("5.00");
    entry.cleared = true;
    return entry;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    Fuzz::clearFolder();
    Fuzz::putBytes(ledgerFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Pursewise first;
    openOn(first);
    const Fuzz::State before = Fuzz::stateOf(first);
    Fuzz::loads([&] { first.grid.LoadYear(); });
    Fuzz::require(outsideTheEntries(first, before) == before,
                  "the load wrote outside the entry rows");
    Fuzz::require(first.grid.entryCount() >= 0 && first.grid.entryCount() <= 1000,
                  "the entry count lies outside the table");

    first.grid.SaveYear();
    const QByteArray saved = Fuzz::bytesOf(ledgerFile);
    Pursewise second;
    openOn(second);
    Fuzz::require(Fuzz::loads([&] { second.grid.LoadYear(); }), "a saved ledger does not load");
    Fuzz::require(entries(second) == entries(first), "the saved ledger reads back otherwise");
    second.grid.SaveYear();
    Fuzz::require(Fuzz::bytesOf(ledgerFile) == saved,
                  "a saved ledger is not saved again unchanged");

    // The register's buttons on what was read.
    RegisterCommands buttons(second);
    guarded([&] {
        second.beginBal.TakeCurrentYear();
        second.beginBal.TakeSelectedYear();
        second.grid.RecomputeBalances();
    });
    for (int row : {1, 2, second.grid.entryCount()}) {
        guarded([&] {
            second.ledger.setCurrentRow(row);
            buttons.bb7Click();
        });
        guarded([&] {
            second.ledger.setCurrentRow(row);
            if (buttons.bb4Click()) {
                second.grid.OpenGapAtSelectedRow();
                second.tc.AddCharge(someEntry());
            }
        });
        guarded([&] {
            second.ledger.setCurrentRow(row);
            buttons.bb5Click();
        });
    }
    guarded([&] {
        if (buttons.bb3Click())
            second.tc.AddPayment(someEntry());
    });
    return 0;
}
