#include "core/platform/data_file.h"
#include "support/program_fixture.h"

#include <QDir>

#include <vector>

// A new card's key never names a file of the folder, whatever state the card
// list is in: a key that did would overwrite an old card's info file, ledgers
// and year list and lend the new card the old card's opening balances.
namespace {

const QString listFile = QStringLiteral("CardList.dat");

struct LeftoverCase
{
    const char* label;
    QByteArray list;                    // CardList.dat, or "<none>" for no file
    std::vector<const char*> leftovers; // files of cards the list does not show
    int newKey;
};

void PrintTo(const LeftoverCase& c, std::ostream* os)
{
    *os << c.label;
}

class NewCardKey : public ProgramTest, public testing::WithParamInterface<LeftoverCase>
{};

TEST_P(NewCardKey, PassesEveryKeyThatNamesAFileOfTheFolder)
{
    const LeftoverCase& c = GetParam();
    for (const char* name : c.leftovers)
        putBytes(QString::fromLatin1(name), "old card\r\n");
    if (c.list != "<none>")
        putBytes(listFile, c.list);
    restart();
    const auto before = folderSnapshot();
    messages.clear();

    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });

    EXPECT_TRUE(messages.shown().isEmpty())
        << c.label << ": " << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(p().reg.cardKey, QString::number(c.newKey)) << c.label;
    EXPECT_EQ(p().cardList.lastKey(), c.newKey) << c.label;
    // Every file of the old cards is as it was.
    const auto after = folderSnapshot();
    for (const char* name : c.leftovers)
        EXPECT_EQ(after.at(QString::fromLatin1(name)), before.at(QString::fromLatin1(name)))
            << c.label << ": " << name;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, NewCardKey,
    testing::Values(
        LeftoverCase{"no list beside card 1's files",
                     "<none>",
                     {"1info.dat", "126.dat", "1bb.dat", "1yl.dat"},
                     2},
        LeftoverCase{"an empty list file", "", {"1info.dat", "1bb.dat", "1yl.dat"}, 2},
        LeftoverCase{"a list that starts with a NUL",
                     QByteArray("\0\0\0\0", 4),
                     {"1info.dat", "126.dat"},
                     2},
        LeftoverCase{"a list of no cards and a counter of 0", "0\r\n0\r\n", {"3bb.dat"}, 4},
        LeftoverCase{"a counter that lags behind the files", "1\r\n0\r\n", {"7yl.dat"}, 8},
        LeftoverCase{"a ledger name holds key and year", "<none>", {"1206.dat"}, 13},
        LeftoverCase{"a year of a card with key 3", "<none>", {"326.dat"}, 4},
        LeftoverCase{"a kept copy of a damaged file", "<none>", {"5info.dat.damaged"}, 6},
        LeftoverCase{"no key in a two-digit name", "<none>", {"26.dat", "2.dat"}, 1},
        LeftoverCase{"a name no key can give", "<none>", {"0326.dat", "99999999999info.dat"}, 1},
        LeftoverCase{"the counter is ahead of the files", "9\r\n0\r\n", {"2info.dat"}, 10}),
    [](const testing::TestParamInfo<LeftoverCase>& info) {
        return "Case" + std::to_string(info.index);
    });

using NewCardKeyFolder = ProgramTest;

TEST_F(NewCardKeyFolder, AFolderNamedLikeACardFileIsPassedByToo)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("1info.dat")));
    messages.clear();
    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(p().reg.cardKey, QStringLiteral("2"));
    EXPECT_TRUE(QFileInfo(QStringLiteral("1info.dat")).isDir());
    EXPECT_TRUE(DataFile::exists(QStringLiteral("2info.dat")));
}

// The largest key a 32-bit counter holds: one more would be negative.
TEST_F(NewCardKeyFolder, NoKeyIsHandedOutPastTheLargestAndNothingChanges)
{
    putBytes(listFile, "2147483647\r\n1\r\n0 1 2147483647. Visa\r\n1 1 10/31/27\r\n2 1 0\r\n"
                       "3 1 18.9\r\n4 1 900.00\r\n5 1 0.00\r\n6 1 900.00\r\n7 1 6/30/27\r\n");
    restart();
    const auto before = folderSnapshot();
    messages.clear();
    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });
    EXPECT_EQ(messages.shown(),
              QStringList{"No more cards can be added: the card keys have reached 2147483647, "
                          "the largest the card list can hold."});
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(p().cardList.cardCount(), 1);
    EXPECT_EQ(p().cardList.lastKey(), 2147483647);
    EXPECT_TRUE(p().sg1.cell(TCardList::Name, 2).isEmpty());
}

TEST_F(NewCardKeyFolder, AFileNamedWithTheLargestKeyLeavesNoKeyEither)
{
    putBytes(QStringLiteral("2147483647yl.dat"), "26\r\n");
    const auto before = folderSnapshot();
    messages.clear();
    guarded(
        [this] { p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"))); });
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().front().startsWith(QStringLiteral("No more cards can be added")));
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_EQ(p().cardList.cardCount(), 0);
}

} // namespace
