#include "fuzz_support.h"
#include "core/platform/messages.h"

#include <QFile>

// A year list file (card 3: "3yl.dat") holding arbitrary bytes: LoadYears
// fills the year list and nothing else; it is saved and read back unchanged,
// and that save is a fixed point byte for byte. Then the card is deleted by
// its list, which may remove that card's files and nothing else.
namespace {

const QString yearFile = QStringLiteral("3yl.dat");
const QString bystander = QStringLiteral("bystander.txt");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    Fuzz::clearFolder();
    Fuzz::putBytes(yearFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Pursewise first;
    first.reg.cardKey = QStringLiteral("3");
    const Fuzz::State before = Fuzz::stateOf(first);
    Fuzz::loads([&] { first.yrList.LoadYears(); });
    Fuzz::State outside = Fuzz::stateOf(first);
    outside.years = before.years;
    Fuzz::require(outside == before, "the load wrote outside the year list");

    first.yrList.SaveYears();
    const QByteArray saved = Fuzz::bytesOf(yearFile);
    Pursewise second;
    second.reg.cardKey = QStringLiteral("3");
    Fuzz::require(Fuzz::loads([&] { second.yrList.LoadYears(); }), "a saved list does not load");
    Fuzz::require(second.years.items == first.years.items, "the saved list reads back otherwise");
    second.yrList.SaveYears();
    Fuzz::require(Fuzz::bytesOf(yearFile) == saved, "a saved list is not saved again unchanged");

    second.main.CurrentYr = QStringLiteral("26");
    second.yrList.LastYearIsNotCurrent();
    Fuzz::putBytes(bystander, "kept\r\n");
    guarded([&] { second.tc.DeleteCard(); });
    Fuzz::require(QFile::exists(bystander), "deleting a card removed a file not its own");
    return 0;
}
