#include "fuzz_support.h"
#include "core/platform/messages.h"

// "summary.dat" holding arbitrary bytes: LoadSummary fills the three totals
// and nothing else; they are saved and read back unchanged, and that save is
// a fixed point byte for byte.
namespace {

const QString summaryFile = QStringLiteral("summary.dat");

QStringList totals(const Pursewise& p)
{
    return {p.main.E1, p.main.E2, p.main.E3};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    Fuzz::clearFolder();
    Fuzz::putBytes(summaryFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Pursewise first;
    const Fuzz::State before = Fuzz::stateOf(first);
    Fuzz::loads([&] { first.summary.LoadSummary(); });
    Fuzz::State outside = Fuzz::stateOf(first);
    for (int i = 0; i < 3; ++i)
        outside.fields[std::size_t(i)] = before.fields[std::size_t(i)];
    Fuzz::require(outside == before, "the load wrote outside the totals");

    first.summary.SaveSummary();
    const QByteArray saved = Fuzz::bytesOf(summaryFile);
    Pursewise second;
    Fuzz::require(Fuzz::loads([&] { second.summary.LoadSummary(); }), "saved totals do not load");
    Fuzz::require(totals(second) == totals(first), "saved totals read back otherwise");
    second.summary.SaveSummary();
    Fuzz::require(Fuzz::bytesOf(summaryFile) == saved,
                  "saved totals are not saved again unchanged");

    guarded([&] { second.start(); });
    return 0;
}
