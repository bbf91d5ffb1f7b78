#include "core/program/dialog_values.h"
#include "fuzz_support.h"
#include "core/platform/messages.h"

// A card information file (card 3: "3info.dat") holding arbitrary bytes:
// LoadInfo fills the ten header fields and nothing else; they are saved and
// read back unchanged, and that save is a fixed point byte for byte. Then the
// totals are moved and the limit edited on what was read.
namespace {

const QString infoFile = QStringLiteral("3info.dat");

QStringList header(const Pursewise& p)
{
    const RegisterFields& r = p.reg;
    return {r.L7, r.Edit1, r.E1, r.E2, r.E3, r.E4, r.E5, r.E6, r.E7, r.E8};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    Fuzz::clearFolder();
    Fuzz::putBytes(infoFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Pursewise first;
    first.reg.cardKey = QStringLiteral("3");
    const Fuzz::State before = Fuzz::stateOf(first);
    Fuzz::loads([&] { first.cardInfo.LoadInfo(); });
    Fuzz::State outside = Fuzz::stateOf(first);
    // Fields 5 to 14 of the picture are the ten header fields.
    for (std::size_t i = 5; i < 15; ++i)
        outside.fields[i] = before.fields[i];
    Fuzz::require(outside == before, "the load wrote outside the header fields");

    first.cardInfo.SaveInfo();
    const QByteArray saved = Fuzz::bytesOf(infoFile);
    Pursewise second;
    second.reg.cardKey = QStringLiteral("3");
    Fuzz::require(Fuzz::loads([&] { second.cardInfo.LoadInfo(); }), "a saved header does not load");
    Fuzz::require(header(second) == header(first), "the saved header reads back otherwise");
    second.cardInfo.SaveInfo();
    Fuzz::require(Fuzz::bytesOf(infoFile) == saved, "a saved header is not saved again unchanged");

    TCardInfo& info = second.cardInfo;
    guarded([&] { second.tc.CheckOverdrawn(); });
    guarded([&] { info.RecomputeAvailable(); });
    guarded([&] { info.AddToOwed(QStringLiteral("10.00")); });
    guarded([&] { info.SubtractFromReconciled(QStringLiteral(".05")); });
    guarded([&] { info.SubtractFromLimit(QStringLiteral("499.60")); });
    guarded([&] {
        CardValues edit;
        edit.creditLimit = QStringLiteral("1000.00");
        edit.creditLimitModified = true;
        second.tc.EditCard(edit);
    });
    return 0;
}
