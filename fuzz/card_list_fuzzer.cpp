#include "core/program/dialog_values.h"
#include "fuzz_support.h"
#include "core/platform/data_file.h"
#include "core/platform/messages.h"
#include "core/program/main_commands.h"

// "CardList.dat" holding arbitrary bytes: LoadList may stop with its message
// but writes only the card rows and the two counters; what it read is saved
// and read back unchanged, and that save is a fixed point byte for byte. Then
// start-up's uses of the list and the card sequences run on it.
namespace {

const QString listFile = QStringLiteral("CardList.dat");

// The state with the card rows and the counters the load may set put back.
Fuzz::State outsideTheList(const Pursewise& p, const Fuzz::State& before)
{
    Fuzz::State state = Fuzz::stateOf(p);
    const int columns = p.sg1.columnCount();
    for (std::size_t i = std::size_t(columns); i < state.sg1.size(); ++i)
        state.sg1[i] = before.sg1[i];
    state.counters[0] = before.counters[0];
    state.counters[1] = before.counters[1];
    return state;
}

std::vector<QString> cardRows(const Pursewise& p)
{
    std::vector<QString> cells = Fuzz::cellsOf(p.sg1);
    cells.push_back(QString::number(p.cardList.lastKey()));
    cells.push_back(QString::number(p.cardList.cardCount()));
    return cells;
}

CardValues someCard()
{
    CardValues card;
    card.name = QStringLiteral("Fuzz");
    card.cardExpiry = QDate(2027, 10, 31);
    card.rate = QStringLiteral("18.9");
    card.introRate = QStringLiteral("0");
    card.introExpiry = QDate(2027, 6, 30);
    card.dueDay = QStringLiteral("15");
    card.creditLimit = QStringLiteral("900.00");
    card.openingBalance = QStringLiteral("25.00");
    return card;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    Fuzz::clearFolder();
    Fuzz::putBytes(listFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Pursewise first;
    const Fuzz::State before = Fuzz::stateOf(first);
    Fuzz::loads([&] { first.cardList.LoadList(); });
    Fuzz::require(outsideTheList(first, before) == before, "the load wrote outside the card rows");
    Fuzz::require(first.cardList.cardCount() >= 0 && first.cardList.cardCount() <= 24,
                  "the card count lies outside the table");

    first.cardList.SaveList();
    const QByteArray saved = Fuzz::bytesOf(listFile);
    Pursewise second;
    Fuzz::require(Fuzz::loads([&] { second.cardList.LoadList(); }), "a saved list does not load");
    Fuzz::require(cardRows(second) == cardRows(first), "the saved list reads back otherwise");
    second.cardList.SaveList();
    Fuzz::require(Fuzz::bytesOf(listFile) == saved, "a saved list is not saved again unchanged");

    // The program's uses of a loaded list.
    guarded([&] { second.start(); });
    for (int row = 1; row <= 24; ++row) {
        second.sg1.setCurrentRow(row);
        second.cardList.SelectFromGrid();
        second.cardList.RowOfKey(second.cardList.selectedKey());
    }
    second.cardList.NameExists(QStringLiteral("Fuzz"));
    guarded([&] { second.summary.ComputeTotals(); });
    MainCommands commands(second);
    guarded([&] { second.tc.AddCard(someCard()); });
    for (int row : {1, 2}) {
        guarded([&] {
            second.sg1.setCurrentRow(row);
            second.cardList.SelectFromGrid();
            commands.B1Click();
            commands.B3Click();
        });
    }
    return 0;
}
