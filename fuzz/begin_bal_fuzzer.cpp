#include "fuzz_support.h"
#include "core/platform/messages.h"

// A beginning balance file (card 3: "3bb.dat") holding arbitrary bytes:
// LoadBalances may stop with its message but writes only the balance table;
// every year, 00 included, is saved and read back unchanged, and that save is
// a fixed point byte for byte. Then the carries and the stale-year update run
// on it.
namespace {

const QString balanceFile = QStringLiteral("3bb.dat");

void openOn(Pursewise& p)
{
    p.reg.cardKey = QStringLiteral("3");
    p.main.CurrentYr = QStringLiteral("26");
    p.main.SelectedYr = QStringLiteral("24");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    Fuzz::clearFolder();
    Fuzz::putBytes(balanceFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    Pursewise first;
    openOn(first);
    const Fuzz::State before = Fuzz::stateOf(first);
    Fuzz::loads([&] { first.beginBal.LoadBalances(); });
    Fuzz::State outside = Fuzz::stateOf(first);
    outside.beginBal = before.beginBal;
    Fuzz::require(outside == before, "the load wrote outside the balance table");

    first.beginBal.SaveBalances();
    const QByteArray saved = Fuzz::bytesOf(balanceFile);
    Pursewise second;
    openOn(second);
    Fuzz::require(Fuzz::loads([&] { second.beginBal.LoadBalances(); }),
                  "saved balances do not load");
    Fuzz::require(Fuzz::cellsOf(second.beginBalGrid) == Fuzz::cellsOf(first.beginBalGrid),
                  "saved balances read back otherwise");
    second.beginBal.SaveBalances();
    Fuzz::require(Fuzz::bytesOf(balanceFile) == saved,
                  "saved balances are not saved again unchanged");

    // The carries, the running balance and a stale year brought up to date.
    guarded([&] {
        second.beginBal.TakeCurrentYear();
        second.beginBal.TakeSelectedYear();
        second.beginBal.IsStale();
        second.beginBal.CarryCharge(QStringLiteral("12.34"));
    });
    guarded([&] { second.beginBal.CarryPayment(QStringLiteral("5.00")); });
    guarded([&] { second.grid.RecomputeBalances(); });
    for (const char* year : {"00", "25", "26", "27", "99"}) {
        guarded([&] {
            second.tc.SelectYear(QString::fromLatin1(year));
            second.tc.ChangeYear();
        });
    }
    return 0;
}
