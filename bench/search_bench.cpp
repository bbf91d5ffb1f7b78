// Speed of a search over every ledger of 24 cards over 30 years, at 200 and
// at 1000 entries a year, next to the least work it cannot avoid: reading
// the same 720 files' bytes.

#include "core/platform/text_grid.h"
#include "core/program/search.h"
#include "data_folder.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int cards = 24;
constexpr int years = 30;

QString yearText(int calendarYear)
{
    return QStringLiteral("%1").arg(calendarYear % 100, 2, 10, QLatin1Char('0'));
}

// The bench's data folder with every card's year list naming 1997 to 2026
// and a ledger of `entries` entries for each of those years: dates spread
// over the year, a payment every fifth entry, a charge otherwise.
class SearchFolder
{
public:
    explicit SearchFolder(int entries) : m_folder(entries)
    {
        m_cards.setCell(0, 0, QStringLiteral("Card Name"));
        for (int card = 1; card <= cards; ++card) {
            m_cards.setCell(0, card, QStringLiteral("%1. Card number %1").arg(card));
            QByteArray list;
            for (int year = 2026 - years + 1; year <= 2026; ++year) {
                list += yearText(year).toLatin1() + "\r\n";
                write(QString::number(card) + yearText(year) + QStringLiteral(".dat"),
                      ledger(entries, year));
            }
            write(QString::number(card) + QStringLiteral("yl.dat"), list);
        }
    }

    const TextGrid& cardList() const { return m_cards; }

    static const SearchFolder& of(int entries)
    {
        static std::map<int, std::unique_ptr<SearchFolder>> folders;
        // One folder at a time: the 1000-entry one takes some 63 MB.
        if (!folders.count(entries)) {
            folders.clear();
            folders[entries] = std::make_unique<SearchFolder>(entries);
        }
        return *folders[entries];
    }

private:
    static QByteArray ledger(int entries, int year)
    {
        QByteArray bytes = QByteArray::number(entries) + "\r\n";
        long long balance = 0;
        for (int row = 1; row <= entries; ++row) {
            const QByteArray r = QByteArray::number(row);
            const QByteArray date = QByteArray::number(1 + row % 12) + '/' +
                                    QByteArray::number(1 + row % 28) + '/' +
                                    yearText(year).toLatin1();
            const bool payment = row % 5 == 0;
            balance += payment ? -500 : 1234;
            bytes += "1 " + r + ' ' + date + "\r\n";
            bytes += "2 " + r + " Groceries and household, entry " + r + "\r\n";
            bytes += (payment ? "4 " : "3 ") + r + (payment ? " 5.00" : " 12.34") + "\r\n";
            if (row % 3 == 0)
                bytes += "5 " + r + " X\r\n";
            bytes += "6 " + r + ' ' + QByteArray::number(double(balance) / 100, 'f', 2) + "\r\n";
        }
        return bytes;
    }

    static void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("could not write %s", qPrintable(name));
    }

    DataFolder m_folder;
    TextGrid m_cards{8, 25, 1};
};

void ReadAllBaseline(benchmark::State& state)
{
    SearchFolder::of(int(state.range(0)));
    for (auto _ : state) {
        for (int card = 1; card <= cards; ++card)
            for (int year = 2026 - years + 1; year <= 2026; ++year) {
                QFile file(QString::number(card) + yearText(year) + QStringLiteral(".dat"));
                file.open(QIODevice::ReadOnly);
                benchmark::DoNotOptimize(file.readAll());
            }
    }
}
BENCHMARK(ReadAllBaseline)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state, SearchQuery query)
{
    const SearchFolder& folder = SearchFolder::of(int(state.range(0)));
    std::size_t hits = 0;
    for (auto _ : state) {
        const SearchResult result = searchLedgers(folder.cardList(), query);
        hits = result.hits.size();
        if (!result.unreadable.isEmpty())
            state.SkipWithError("a ledger could not be read");
    }
    state.counters["hits"] = double(hits);
}
BENCHMARK_CAPTURE(Search, Text, SearchQuery{QStringLiteral("ENTRY 77"), {}, {}, {}})
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Amount, SearchQuery{{}, 500, {}, {}})
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, DateRange, SearchQuery{{}, {}, QDate(2026, 3, 1), QDate(2026, 3, 31)})
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, AllFields,
                  SearchQuery{QStringLiteral("entry 1"), 1234, QDate(2020, 1, 1),
                              QDate(2026, 6, 30)})
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
