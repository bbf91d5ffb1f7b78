#include "core/program/pursewise.h"
#include "support/temp_dir.h"

#include <QFile>

#include <functional>

// The fuzzers' seed files that the program itself would write come back byte
// for byte after a load and a save by the real loaders.
namespace {

struct SeedFile
{
    const char* kind; // the folder under fuzz/corpus
    const char* file;
};

struct Loader
{
    QString name; // the data file's name on disk
    std::function<void(Pursewise&)> load;
    std::function<void(Pursewise&)> save;
};

Loader loaderFor(const QString& kind)
{
    if (kind == u"card_list")
        return {QStringLiteral("CardList.dat"), [](Pursewise& p) { p.cardList.LoadList(); },
                [](Pursewise& p) { p.cardList.SaveList(); }};
    if (kind == u"summary")
        return {QStringLiteral("summary.dat"), [](Pursewise& p) { p.summary.LoadSummary(); },
                [](Pursewise& p) { p.summary.SaveSummary(); }};
    if (kind == u"card_info")
        return {QStringLiteral("3info.dat"), [](Pursewise& p) { p.cardInfo.LoadInfo(); },
                [](Pursewise& p) { p.cardInfo.SaveInfo(); }};
    if (kind == u"begin_bal")
        return {QStringLiteral("3bb.dat"), [](Pursewise& p) { p.beginBal.LoadBalances(); },
                [](Pursewise& p) { p.beginBal.SaveBalances(); }};
    if (kind == u"year_list")
        return {QStringLiteral("3yl.dat"), [](Pursewise& p) { p.yrList.LoadYears(); },
                [](Pursewise& p) { p.yrList.SaveYears(); }};
    return {QStringLiteral("326.dat"), [](Pursewise& p) { p.grid.LoadYear(); },
            [](Pursewise& p) { p.grid.SaveYear(); }};
}

class SeedFiles : public InTempDir, public testing::WithParamInterface<SeedFile>
{};

TEST_P(SeedFiles, ComeBackByteForByte)
{
    QFile seed(
        QStringLiteral(PURSEWISE_CORPUS "/%1/%2")
            .arg(QString::fromLatin1(GetParam().kind), QString::fromLatin1(GetParam().file)));
    ASSERT_TRUE(seed.open(QIODevice::ReadOnly)) << seed.fileName().toStdString();
    const QByteArray bytes = seed.readAll();
    const Loader loader = loaderFor(QString::fromLatin1(GetParam().kind));
    putBytes(loader.name, bytes);

    Pursewise p;
    p.reg.cardKey = QStringLiteral("3");
    p.main.CurrentYr = p.main.SelectedYr = QStringLiteral("26");
    loader.load(p);
    ASSERT_TRUE(QFile::remove(loader.name));
    loader.save(p);

    EXPECT_EQ(bytesOf(loader.name), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    WrittenByTheProgram, SeedFiles,
    testing::Values(SeedFile{"card_list", "two-cards.dat"}, SeedFile{"card_list", "empty-list.dat"},
                    SeedFile{"card_list", "keys-with-gaps.dat"}, SeedFile{"summary", "totals.dat"},
                    SeedFile{"summary", "zero.dat"}, SeedFile{"card_info", "visa.dat"},
                    SeedFile{"card_info", "credit.dat"}, SeedFile{"begin_bal", "three-years.dat"},
                    SeedFile{"begin_bal", "credit.dat"}, SeedFile{"begin_bal", "empty.dat"},
                    SeedFile{"year_list", "two-years.dat"}, SeedFile{"year_list", "one-year.dat"},
                    SeedFile{"year_list", "empty.dat"},
                    SeedFile{"year_ledger", "charge-and-refund.dat"},
                    SeedFile{"year_ledger", "opening.dat"},
                    SeedFile{"year_ledger", "empty-year.dat"},
                    SeedFile{"year_ledger", "forty-entries.dat"}),
    [](const testing::TestParamInfo<SeedFile>& info) {
        std::string name = std::string(info.param.kind) + "_" + info.param.file;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
