#include "core/platform/clock.h"
#include "core/platform/grid_file.h"
#include "core/platform/short_date.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"
#include "core/cards/card_list.h"
#include "support/fixed_day.h"
#include "support/program_fixture.h"

#include <QDir>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const QString listFile = QStringLiteral("CardList.dat");
const QStringList headers = {"Card Name",    "Expires",      "Intro %",   "Rate %",
                             "Credit Limit", "Balance Owed", "Available", ""};

// The eight cell lines of one card in `row`, as the list file keeps them.
QByteArray cardLines(int row, const char* nameCell, const char* introExpiry = "6/30/27")
{
    const QByteArray r = QByteArray::number(row);
    return "0 " + r + ' ' + nameCell + "\r\n" + "1 " + r + " 10/31/27\r\n" + "2 " + r + " 0\r\n" +
           "3 " + r + " 18.9\r\n" + "4 " + r + " 900.00\r\n" + "5 " + r + " 250.00\r\n" + "6 " + r +
           " 650.00\r\n" + "7 " + r + ' ' + introExpiry + "\r\n";
}

// The lines of a piece of file, without their CR LF.
QStringList linesOf(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

std::string messageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const UserError& error) {
        return error.what();
    }
    return "<no error>";
}

// A card list on its own table, in an empty data folder, on 8 December 2026 at
// noon with short dates as M/d/yy.
class CardListTest : public OnTheFixedDay
{
protected:
    void SetUp() override
    {
        OnTheFixedDay::SetUp();
        for (int column = 0; column < 8; ++column)
            sg1.setCell(column, 0, headers[column]);
    }

    // Adds a card the way the card dialog's OK does: a fresh key, the first
    // free row, all eight cells, one more card.
    void addCard(const QString& name, const QString& limit = QStringLiteral("900.00"),
                 const QString& owed = QStringLiteral("0.00"),
                 const QString& introExpiry = QStringLiteral("6/30/27"))
    {
        list.NextKey();
        list.SelectNewRow();
        list.PutNameCell(QString::number(list.lastKey()) + QStringLiteral(". ") + name);
        list.PutExpiresCell(QStringLiteral("10/31/27"));
        list.PutIntroCell(QStringLiteral("0"));
        list.PutRateCell(QStringLiteral("18.9"));
        list.PutLimitCell(limit);
        list.PutOwedCell(owed);
        list.PutAvailableCell(limit);
        list.PutIntroExpiryCell(introExpiry);
        list.IncrementCount();
    }

    // The eight cells of one row.
    QStringList rowCells(int row) const
    {
        QStringList cells;
        for (int column = 0; column < 8; ++column)
            cells.append(sg1.cell(column, row));
        return cells;
    }

    // Every non-empty cell of the card rows as a cell line.
    QStringList cells() const { return cellLines(sg1, 1, 24, 0, 7); }

    TextGrid sg1{8, 25, 1};
    TCardList list{sg1};
};

// Saving --------------------------------------------------------------------

using CardListSave = CardListTest;

TEST_F(CardListSave, WritesTheCountersThenEveryCellRowByRow)
{
    list.NextKey();
    list.SelectNewRow();
    list.PutNameCell(QStringLiteral("1. Visa Gold"));
    list.PutExpiresCell(QStringLiteral("10/31/27"));
    list.PutIntroCell(QStringLiteral("0"));
    list.PutRateCell(QStringLiteral("18.9"));
    list.PutLimitCell(QStringLiteral("900.00"));
    list.PutOwedCell(QStringLiteral("250.00"));
    list.PutAvailableCell(QStringLiteral("650.00"));
    list.PutIntroExpiryCell(QStringLiteral("6/30/27"));
    list.IncrementCount();
    list.NextKey();
    list.SelectNewRow();
    // Written in another order than the columns: the file still runs 0 to 7.
    list.PutIntroExpiryCell(QStringLiteral("3/1/26"));
    list.PutAvailableCell(QStringLiteral("540.00"));
    list.PutOwedCell(QStringLiteral("-40.00"));
    list.PutLimitCell(QStringLiteral("500.00"));
    list.PutRateCell(QStringLiteral("24.99"));
    list.PutIntroCell(QStringLiteral("Expired"));
    list.PutExpiresCell(QStringLiteral("1/31/28"));
    list.PutNameCell(QStringLiteral("2. Store Card"));
    list.IncrementCount();

    list.SaveList();

    EXPECT_EQ(bytesOf(listFile), QByteArray("2\r\n2\r\n"
                                            "0 1 1. Visa Gold\r\n"
                                            "1 1 10/31/27\r\n"
                                            "2 1 0\r\n"
                                            "3 1 18.9\r\n"
                                            "4 1 900.00\r\n"
                                            "5 1 250.00\r\n"
                                            "6 1 650.00\r\n"
                                            "7 1 6/30/27\r\n"
                                            "0 2 2. Store Card\r\n"
                                            "1 2 1/31/28\r\n"
                                            "2 2 Expired\r\n"
                                            "3 2 24.99\r\n"
                                            "4 2 500.00\r\n"
                                            "5 2 -40.00\r\n"
                                            "6 2 540.00\r\n"
                                            "7 2 3/1/26\r\n"));
}

TEST_F(CardListSave, WritesAnEmptyListAsItsTwoCounters)
{
    list.SaveList();
    EXPECT_EQ(bytesOf(listFile), QByteArray("0\r\n0\r\n"));
}

TEST_F(CardListSave, LeavesOutEmptyCellsAndTheHeaderRow)
{
    addCard(QStringLiteral("Visa"));
    list.PutRateCell(QString());
    list.SaveList();
    const QByteArray bytes = bytesOf(listFile);
    EXPECT_FALSE(bytes.contains("3 1")) << bytes.constData();
    EXPECT_FALSE(bytes.contains("Card Name")) << bytes.constData();
    EXPECT_EQ(bytes.count("\r\n"), 2 + 7);
}

TEST_F(CardListSave, RewritesTheWholeFile)
{
    putBytes(listFile,
             "9\r\n3\r\n" + cardLines(1, "1. A") + cardLines(2, "2. B") + cardLines(3, "3. C"));
    addCard(QStringLiteral("Only"));
    list.SaveList();
    EXPECT_EQ(bytesOf(listFile),
              "1\r\n1\r\n" +
                  cardLines(1, "1. Only").replace("250.00", "0.00").replace("650.00", "900.00"));
}

TEST_F(CardListSave, AFileThatCannotBeWrittenLeavesTheListInMemoryAlone)
{
    addCard(QStringLiteral("Visa"));
    // A folder in the file's place cannot be replaced by the save.
    ASSERT_TRUE(QDir().mkdir(listFile));
    ASSERT_TRUE(QDir().mkdir(listFile + QStringLiteral("/keep")));
    const std::string message = messageOf([&] { list.SaveList(); });
    EXPECT_EQ(message.rfind("Could not save \"CardList.dat\": ", 0), 0u) << message;
    EXPECT_EQ(list.lastKey(), 1);
    EXPECT_EQ(list.cardCount(), 1);
    EXPECT_EQ(sg1.cell(TCardList::Name, 1), QStringLiteral("1. Visa"));
}

TEST_F(CardListSave, KeysAreNeverHandedOutTwice)
{
    addCard(QStringLiteral("One"));
    addCard(QStringLiteral("Two"));
    addCard(QStringLiteral("Three"));
    sg1.setCurrentRow(2);
    list.SelectFromGrid();
    list.RemoveSelectedRow();
    addCard(QStringLiteral("Four"));

    EXPECT_EQ(sg1.cell(TCardList::Name, 3), QStringLiteral("4. Four"));
    EXPECT_EQ(list.selectedKey(), QString()) << "the free row selects nothing";
    list.SaveList();
    EXPECT_TRUE(bytesOf(listFile).startsWith("4\r\n3\r\n0 1 1. One\r\n"));
    EXPECT_TRUE(bytesOf(listFile).contains("0 2 3. Three\r\n"));
}

// Loading -------------------------------------------------------------------

using CardListLoad = CardListTest;

TEST_F(CardListLoad, AMissingFileLeavesAnEmptyList)
{
    list.LoadList();
    EXPECT_EQ(list.lastKey(), 0);
    EXPECT_EQ(list.cardCount(), 0);
    EXPECT_TRUE(cells().isEmpty());
    EXPECT_EQ(rowCells(0), headers);
    EXPECT_TRUE(QDir().entryList(QDir::Files).isEmpty()) << "a load writes nothing";
}

TEST_F(CardListLoad, ReadsTheCountersAndEveryCell)
{
    const QByteArray cardOne = cardLines(1, "1. Visa Gold");
    const QByteArray cardTwo = cardLines(2, "2. Store Card", "3/1/26");
    putBytes(listFile, "2\r\n2\r\n" + cardOne + cardTwo);
    list.LoadList();
    EXPECT_EQ(list.lastKey(), 2);
    EXPECT_EQ(list.cardCount(), 2);
    EXPECT_EQ(cells(), linesOf(cardOne + cardTwo));
    EXPECT_EQ(sg1.cell(TCardList::IntroExpiry, 2), QStringLiteral("3/1/26"));
    EXPECT_EQ(rowCells(0), headers);
    EXPECT_FALSE(QFile::exists(listFile + QStringLiteral(".damaged")));
}

TEST_F(CardListLoad, AndSaveGiveBackTheSameBytes)
{
    const QByteArray file = "7\r\n3\r\n" + cardLines(1, "2. Visa") + cardLines(2, "5. Amex") +
                            cardLines(3, "7. Store Card");
    putBytes(listFile, file);
    list.LoadList();
    DataFile::remove(listFile);
    list.SaveList();
    EXPECT_EQ(bytesOf(listFile), file);
}

TEST_F(CardListLoad, KeepsNamesWithBlanksAndFullStops)
{
    const QString name = QStringLiteral("Mr. J. Smith  Visa. 2 ");
    addCard(name);
    addCard(QStringLiteral("12.5% Card"));
    list.SaveList();

    TextGrid loaded(8, 25, 1);
    TCardList reloaded(loaded);
    reloaded.LoadList();
    EXPECT_EQ(loaded.cell(TCardList::Name, 1), QStringLiteral("1. ") + name);
    EXPECT_EQ(loaded.cell(TCardList::Name, 2), QStringLiteral("2. 12.5% Card"));
    EXPECT_TRUE(reloaded.NameExists(name));
    EXPECT_TRUE(reloaded.NameExists(QStringLiteral("12.5% Card")));
    loaded.setCurrentRow(1);
    reloaded.SelectFromGrid();
    EXPECT_EQ(reloaded.selectedKey(), QStringLiteral("1"));
    loaded.setCurrentRow(2);
    reloaded.SelectFromGrid();
    EXPECT_EQ(reloaded.selectedKey(), QStringLiteral("2"));
}

struct LineBreakCase
{
    const char* label;
    QByteArray bytes;
};

class CardListLoadBreaks : public CardListTest, public testing::WithParamInterface<LineBreakCase>
{};

TEST_P(CardListLoadBreaks, LoadLikeCrLf)
{
    putBytes(listFile, GetParam().bytes);
    EXPECT_EQ(messageOf([&] { list.LoadList(); }), "<no error>") << GetParam().label;
    EXPECT_EQ(list.lastKey(), 3);
    EXPECT_EQ(list.cardCount(), 2);
    EXPECT_EQ(cells(),
              (QStringList{"0 1 1. Visa Gold", "7 1 6/30/27", "0 2 3. Store Card", "5 2 -40.00"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CardListLoadBreaks,
    testing::Values(
        LineBreakCase{"CR LF", "3\r\n2\r\n0 1 1. Visa Gold\r\n7 1 6/30/27\r\n0 2 3. Store "
                               "Card\r\n5 2 -40.00\r\n"},
        LineBreakCase{"LF only",
                      "3\n2\n0 1 1. Visa Gold\n7 1 6/30/27\n0 2 3. Store Card\n5 2 -40.00\n"},
        LineBreakCase{"CR only",
                      "3\r2\r0 1 1. Visa Gold\r7 1 6/30/27\r0 2 3. Store Card\r5 2 -40.00\r"},
        LineBreakCase{"no break after the last line", "3\r\n2\r\n0 1 1. Visa Gold\r\n7 1 "
                                                      "6/30/27\r\n0 2 3. Store Card\r\n5 2 -40.00"},
        LineBreakCase{"mixed breaks",
                      "3\n2\r\n0 1 1. Visa Gold\r7 1 6/30/27\r\n0 2 3. Store Card\n5 2 -40.00"}));

struct KeyCase
{
    const char* label;
    QByteArray bytes;
    int lastKey;
};

class CardListLoadKeys : public CardListTest, public testing::WithParamInterface<KeyCase>
{};

TEST_P(CardListLoadKeys, RaiseTheLastKeyToTheLargestListedKey)
{
    putBytes(listFile, GetParam().bytes);
    list.LoadList();
    EXPECT_EQ(list.lastKey(), GetParam().lastKey) << GetParam().label;
    list.NextKey();
    EXPECT_EQ(list.lastKey(), GetParam().lastKey + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CardListLoadKeys,
    testing::Values(KeyCase{"counter matches", "2\r\n2\r\n0 1 1. A\r\n0 2 2. B\r\n", 2},
                    KeyCase{"counter ahead after deletions", "9\r\n2\r\n0 1 1. A\r\n0 2 4. B\r\n",
                            9},
                    KeyCase{"counter behind the keys", "1\r\n2\r\n0 1 5. A\r\n0 2 3. B\r\n", 5},
                    KeyCase{"largest key in a later row",
                            "0\r\n3\r\n0 1 2. A\r\n0 2 11. B\r\n0 3 7. C\r\n", 11},
                    KeyCase{"negative counter, no cards", "-3\r\n0\r\n", 0}));

TEST_F(CardListLoad, AcceptsEveryCardCountFromNoneToTwentyFour)
{
    for (const int count : {0, 24}) {
        TextGrid grid(8, 25, 1);
        TCardList cards(grid);
        QByteArray file = QByteArray::number(count) + "\r\n" + QByteArray::number(count) + "\r\n";
        for (int row = 1; row <= count; ++row)
            file += "0 " + QByteArray::number(row) + ' ' + QByteArray::number(row) + ". C\r\n";
        putBytes(listFile, file);
        EXPECT_EQ(messageOf([&] { cards.LoadList(); }), "<no error>") << count;
        EXPECT_EQ(cards.cardCount(), count);
        EXPECT_EQ(cards.lastKey(), count);
    }
}

// Damaged files -------------------------------------------------------------

const std::string damagedFollowUp =
    "CardList.dat could not be read completely; its original content was kept as "
    "CardList.dat.damaged.";

struct DamagedCase
{
    const char* label;
    QByteArray goodPart; // the lines read before the load stops
    QByteArray badPart;  // the bad line and whatever follows it
    std::string message;
    int cardCount;
    int lastKey;
};

class CardListLoadDamaged : public CardListTest, public testing::WithParamInterface<DamagedCase>
{};

TEST_P(CardListLoadDamaged, StopsAtTheBadLineAndKeepsTheOriginalBytes)
{
    const DamagedCase& c = GetParam();
    const QByteArray file = c.goodPart + c.badPart;
    putBytes(listFile, file);
    try {
        list.LoadList();
        FAIL() << c.label << ": the damaged file loaded without a message";
    } catch (const UserError& error) {
        EXPECT_EQ(error.what(), c.message) << c.label;
        EXPECT_EQ(error.followUp(), damagedFollowUp) << c.label;
    }
    // The cells read before the bad line stay in the rows that hold cards;
    // nothing after it is read, and rows after a gap or a nameless row are
    // cleared, since they are no cards and the next save must not keep them.
    QStringList kept = linesOf(c.goodPart);
    kept.erase(kept.begin(), kept.begin() + std::min<qsizetype>(2, kept.size()));
    kept.removeIf([&](const QString& line) { return line.section(u' ', 1, 1).toInt() > c.cardCount; });
    EXPECT_EQ(cells(), kept) << c.label;
    EXPECT_EQ(rowCells(0), headers) << c.label;
    EXPECT_EQ(list.cardCount(), c.cardCount) << c.label;
    EXPECT_EQ(list.lastKey(), c.lastKey) << c.label;
    EXPECT_EQ(bytesOf(listFile + QStringLiteral(".damaged")), file) << c.label;
    EXPECT_EQ(bytesOf(listFile), file) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CardListLoadDamaged,
    testing::Values(
        DamagedCase{"column that is no number", "2\r\n2\r\n" + cardLines(1, "1. Visa Gold"),
                    "x 2 2. Store Card\r\n" + cardLines(2, "2. Store Card"),
                    "'x' is not a valid integer value", 1, 2},
        DamagedCase{"row that is no number", "2\r\n2\r\n" + cardLines(1, "1. Visa Gold"),
                    "0 two 2. Store Card\r\n", "'two' is not a valid integer value", 1, 2},
        DamagedCase{"first line is no number", "", "abc\r\n1\r\n" + cardLines(1, "1. Visa"),
                    "'abc' is not a valid integer value", 0, 0},
        DamagedCase{"second line is no number", "1\r\n", "z\r\n" + cardLines(1, "1. Visa"),
                    "'z' is not a valid integer value", 0, 1},
        DamagedCase{"empty file", "", "", "'' is not a valid integer value", 0, 0},
        DamagedCase{"blank line amid the cells", "3\r\n1\r\n" + cardLines(1, "3. Visa"),
                    "\r\n" + cardLines(2, "4. Amex"), "'' is not a valid integer value", 1, 3},
        DamagedCase{"25 cards", "1\r\n", "25\r\n" + cardLines(1, "1. Visa"),
                    "Line 2 of CardList.dat lies outside the table.", 0, 1},
        DamagedCase{"negative card count", "1\r\n", "-1\r\n" + cardLines(1, "1. Visa"),
                    "Line 2 of CardList.dat lies outside the table.", 0, 1},
        DamagedCase{"cell in row 25", "3\r\n3\r\n" + cardLines(1, "1. Visa"), "0 25 3. Amex\r\n",
                    "Line 11 of CardList.dat lies outside the table.", 1, 3},
        DamagedCase{"cell in the header row", "1\r\n1\r\n0 1 1. Visa\r\n",
                    "2 0 Intro %!\r\n7 1 6/30/27\r\n",
                    "Line 4 of CardList.dat lies outside the table.", 1, 1},
        DamagedCase{"cell in column 8", "1\r\n1\r\n0 1 1. Visa\r\n", "8 1 extra\r\n",
                    "Line 4 of CardList.dat lies outside the table.", 1, 1},
        DamagedCase{"counters lag behind the rows read", "1\r\n1\r\n0 1 7. Visa\r\n0 2 9. Amex\r\n",
                    "x\r\n", "'x' is not a valid integer value", 2, 9},
        DamagedCase{"count ahead of the rows read", "5\r\n4\r\n" + cardLines(1, "1. Visa"),
                    "0 2nd Amex\r\n", "'2nd' is not a valid integer value", 1, 5},
        DamagedCase{"rows after a gap are not cards", "5\r\n3\r\n0 1 1. Visa\r\n0 3 3. Amex\r\n",
                    "bad\r\n", "'bad' is not a valid integer value", 1, 5},
        // The count disagrees with the rows that hold cards: the next card
        // would overwrite a listed one, or count an empty row as a card.
        DamagedCase{"count below the cards",
                    "2\r\n1\r\n" + cardLines(1, "1. Visa") + cardLines(2, "2. Amex"), "",
                    "Line 2 of CardList.dat counts 1 card, but the list holds 2.", 2, 2},
        DamagedCase{"count above the cards",
                    "3\r\n3\r\n" + cardLines(1, "1. Visa") + cardLines(2, "2. Amex"), "",
                    "Line 2 of CardList.dat counts 3 cards, but the list holds 2.", 2, 3},
        DamagedCase{"count of no cards above an empty list", "3\r\n1\r\n", "",
                    "Line 2 of CardList.dat counts 1 card, but the list holds 0.", 0, 3},
        DamagedCase{"a gap between the cards",
                    "3\r\n2\r\n" + cardLines(1, "1. Visa") + cardLines(3, "3. Amex"), "",
                    "Row 2 of CardList.dat is empty, but a later row holds a card.", 1, 3},
        DamagedCase{"a row without a name",
                    "1\r\n1\r\n" + cardLines(1, "1. Visa") + "1 2 10/31/27\r\n", "",
                    "Row 2 of CardList.dat holds no card name.", 1, 1},
        // A key names the card's files: anything but a plain positive number
        // could name files outside the folder.
        DamagedCase{"a key that is a path", "2\r\n2\r\n" + cardLines(1, "1. Visa"),
                    "0 2 /elsewhere/pw. Victim\r\n",
                    "'/elsewhere/pw' is not a valid card key (line 11 of CardList.dat)", 1, 2},
        DamagedCase{"a key that goes up a folder", "2\r\n2\r\n" + cardLines(1, "1. Visa"),
                    "0 2 ../2. Victim\r\n", "'' is not a valid card key (line 11 of CardList.dat)",
                    1, 2},
        DamagedCase{"a negative key", "2\r\n2\r\n" + cardLines(1, "1. Visa"), "0 2 -2. Amex\r\n",
                    "'-2' is not a valid card key (line 11 of CardList.dat)", 1, 2},
        DamagedCase{"a key with a sign", "2\r\n2\r\n" + cardLines(1, "1. Visa"), "0 2 +2. Amex\r\n",
                    "'+2' is not a valid card key (line 11 of CardList.dat)", 1, 2},
        DamagedCase{"a key with a leading zero", "2\r\n2\r\n" + cardLines(1, "1. Visa"),
                    "0 2 02. Amex\r\n", "'02' is not a valid card key (line 11 of CardList.dat)", 1,
                    2},
        DamagedCase{"key zero", "2\r\n2\r\n" + cardLines(1, "1. Visa"), "0 2 0. Amex\r\n",
                    "'0' is not a valid card key (line 11 of CardList.dat)", 1, 2},
        DamagedCase{"a key past the largest", "2\r\n2\r\n" + cardLines(1, "1. Visa"),
                    "0 2 2147483648. Amex\r\n",
                    "'2147483648' is not a valid card key (line 11 of CardList.dat)", 1, 2},
        DamagedCase{"a name without a key", "4\r\n1\r\n", "0 1 Visa. Gold\r\n",
                    "'Visa' is not a valid card key (line 3 of CardList.dat)", 0, 4},
        DamagedCase{"a key with blanks", "4\r\n1\r\n", "0 1  4. Gold\r\n",
                    "' 4' is not a valid card key (line 3 of CardList.dat)", 0, 4},
        DamagedCase{"a very long key is quoted in part", "4\r\n1\r\n",
                    "0 1 " + QByteArray(5000, 'k') + ". Gold\r\n",
                    "'" + std::string(40, 'k') +
                        "\u2026' is not a valid card key (line 3 of CardList.dat)",
                    0, 4},
        DamagedCase{"two cards with one key", "2\r\n2\r\n" + cardLines(1, "1. Visa"),
                    "0 2 1. Amex\r\n", "Line 11 of CardList.dat gives row 2 the key 1 of row 1.", 1,
                    2},
        // An amount the totals cannot add names its place in the file.
        DamagedCase{"a limit that is no amount", "1\r\n1\r\n0 1 1. Visa\r\n1 1 10/31/27\r\n",
                    "4 1 12x.50\r\n",
                    "'12x.50' is not a valid floating point value (line 5 of CardList.dat)", 1, 1},
        DamagedCase{"an owed balance that is no amount", "1\r\n1\r\n0 1 1. Visa\r\n", "5 1 --3\r\n",
                    "'--3' is not a valid floating point value (line 4 of CardList.dat)", 1, 1},
        // Zeros from a power cut: nothing of the file is read.
        DamagedCase{"zeros after the first card", "",
                    "2\r\n2\r\n" + cardLines(1, "1. Visa") + QByteArray(64, '\0'),
                    "Line 11 of CardList.dat holds a NUL byte.", 0, 0}));

TEST_F(CardListLoad, ADamagedFileMovesAnOlderDifferentCopyAside)
{
    putBytes(listFile + QStringLiteral(".damaged"), "older copy\r\n");
    putBytes(listFile + QStringLiteral(".damaged.1"), "oldest copy\r\n");
    putBytes(listFile, "1\r\nx\r\n");
    EXPECT_THROW(list.LoadList(), UserError);
    EXPECT_EQ(bytesOf(listFile + QStringLiteral(".damaged")), QByteArray("1\r\nx\r\n"));
    EXPECT_EQ(bytesOf(listFile + QStringLiteral(".damaged.1")), QByteArray("oldest copy\r\n"));
    EXPECT_EQ(bytesOf(listFile + QStringLiteral(".damaged.2")), QByteArray("older copy\r\n"));
}

TEST_F(CardListLoad, TheSameDamagedFileTwiceKeepsOneCopy)
{
    putBytes(listFile, "1\r\nx\r\n");
    EXPECT_THROW(list.LoadList(), UserError);
    list.ResetLastKey();
    list.ResetCount();
    EXPECT_THROW(list.LoadList(), UserError);
    EXPECT_EQ(QDir().entryList(QDir::Files, QDir::Name),
              (QStringList{"CardList.dat", "CardList.dat.damaged"}));
}

TEST_F(CardListLoad, AfterADamagedFileTheNextCardTakesTheFirstFreeRowAndAFreshKey)
{
    putBytes(listFile,
             "1\r\n9\r\n" + cardLines(1, "4. Visa") + cardLines(2, "6. Amex") + "0 3x Amex\r\n");
    EXPECT_THROW(list.LoadList(), UserError);
    addCard(QStringLiteral("New"));
    EXPECT_EQ(list.cardCount(), 3);
    EXPECT_EQ(sg1.cell(TCardList::Name, 3), QStringLiteral("7. New"));
}

using CardListSelection = CardListTest;
using CardListCounters = CardListTest;
using CardListRemoval = CardListTest;
using CardListMarking = CardListTest;

// Selecting -----------------------------------------------------------------

struct SelectCase
{
    const char* nameCell;
    const char* key;
};

class CardListSelect : public CardListTest, public testing::WithParamInterface<SelectCase>
{};

TEST_P(CardListSelect, TakesTheKeyUpToTheFirstFullStopOfTheCurrentRow)
{
    sg1.setCell(TCardList::Name, 1, QStringLiteral("1. Other"));
    sg1.setCell(TCardList::Name, 2, QString::fromUtf8(GetParam().nameCell));
    list.setSelectedKey(QStringLiteral("99"));
    sg1.setCurrentRow(2);
    list.SelectFromGrid();
    EXPECT_EQ(list.selectedKey(), QString::fromUtf8(GetParam().key));
}

INSTANTIATE_TEST_SUITE_P(Cells, CardListSelect,
                         testing::Values(SelectCase{"12. Store Card", "12"},
                                         SelectCase{"3. Mr. J. Smith", "3"},
                                         SelectCase{"7.5. Odd", "7"}, SelectCase{"", ""}));

TEST_F(CardListSelection, ClearSelectionForgetsTheKey)
{
    list.setSelectedKey(QStringLiteral("4"));
    list.ClearSelection();
    EXPECT_TRUE(list.selectedKey().isEmpty());
}

TEST_F(CardListSelection, SelectNewRowMovesToTheFirstFreeRowAndSelectsNothing)
{
    addCard(QStringLiteral("A"));
    addCard(QStringLiteral("B"));
    sg1.setCurrentRow(1);
    list.SelectFromGrid();
    ASSERT_EQ(list.selectedKey(), QStringLiteral("1"));
    list.SelectNewRow();
    EXPECT_EQ(sg1.currentRow(), 3);
    EXPECT_TRUE(list.selectedKey().isEmpty());
}

TEST_F(CardListSelection, SelectNewRowOnTheCurrentRowChangesNothing)
{
    addCard(QStringLiteral("A"));
    sg1.setCurrentRow(2);
    list.setSelectedKey(QStringLiteral("1"));
    list.SelectNewRow();
    EXPECT_EQ(sg1.currentRow(), 2);
    EXPECT_EQ(list.selectedKey(), QStringLiteral("1")) << "staying on a row is no click";
}

TEST_F(CardListSelection, SelectNewRowWithTwentyFourCardsIsOutOfRange)
{
    for (int n = 1; n <= 24; ++n)
        addCard(QStringLiteral("Card %1").arg(n));
    sg1.setCurrentRow(5);
    list.SelectFromGrid();
    EXPECT_EQ(messageOf([&] { list.SelectNewRow(); }), "Grid index out of range");
    EXPECT_EQ(sg1.currentRow(), 5);
    EXPECT_EQ(list.selectedKey(), QStringLiteral("5"));
    EXPECT_EQ(list.cardCount(), 24);
    EXPECT_FALSE(QFile::exists(listFile));
}

// Counters ------------------------------------------------------------------

TEST_F(CardListCounters, StartAtZeroAndTheCardCountNeverGoesBelowIt)
{
    EXPECT_EQ(list.lastKey(), 0);
    EXPECT_EQ(list.cardCount(), 0);
    list.DecrementCount();
    EXPECT_EQ(list.cardCount(), 0);
    list.IncrementCount();
    list.IncrementCount();
    list.DecrementCount();
    EXPECT_EQ(list.cardCount(), 1);
    list.NextKey();
    list.NextKey();
    EXPECT_EQ(list.lastKey(), 2);
    list.ResetLastKey();
    list.ResetCount();
    EXPECT_EQ(list.lastKey(), 0);
    EXPECT_EQ(list.cardCount(), 0);
}

// Removing ------------------------------------------------------------------

struct RemoveCase
{
    const char* label;
    int row;
    std::vector<int> rowsLeft; // the former rows, in their new order
};

class CardListRemove : public CardListTest, public testing::WithParamInterface<RemoveCase>
{};

TEST_P(CardListRemove, ClosesTheGapAndKeepsTheCurrentRowNumber)
{
    addCard(QStringLiteral("One"), QStringLiteral("100.00"), QStringLiteral("1.00"));
    addCard(QStringLiteral("Two"), QStringLiteral("200.00"), QStringLiteral("2.00"));
    addCard(QStringLiteral("Three"), QStringLiteral("300.00"), QStringLiteral("-3.00"));
    std::vector<QStringList> before;
    for (int row = 0; row <= 3; ++row)
        before.push_back(rowCells(row));

    sg1.setCurrentRow(GetParam().row);
    list.RemoveSelectedRow();

    EXPECT_EQ(list.cardCount(), 2) << GetParam().label;
    EXPECT_EQ(sg1.currentRow(), GetParam().row) << GetParam().label;
    EXPECT_EQ(rowCells(0), before[0]);
    for (std::size_t i = 0; i < GetParam().rowsLeft.size(); ++i)
        EXPECT_EQ(rowCells(int(i) + 1), before[std::size_t(GetParam().rowsLeft[i])])
            << GetParam().label << ", row " << i + 1;
    EXPECT_EQ(rowCells(3), QStringList(8, QString())) << GetParam().label;
    EXPECT_EQ(list.lastKey(), 3) << "a removal gives no key back";
}

INSTANTIATE_TEST_SUITE_P(Rows, CardListRemove,
                         testing::Values(RemoveCase{"first", 1, {2, 3}},
                                         RemoveCase{"middle", 2, {1, 3}},
                                         RemoveCase{"last", 3, {1, 2}}));

TEST_F(CardListRemoval, RemovingTheOnlyCardLeavesAnEmptyList)
{
    addCard(QStringLiteral("Only"));
    sg1.setCurrentRow(1);
    list.RemoveSelectedRow();
    EXPECT_EQ(list.cardCount(), 0);
    EXPECT_TRUE(cells().isEmpty());
    list.SaveList();
    EXPECT_EQ(bytesOf(listFile), QByteArray("1\r\n0\r\n"));
}

TEST_F(CardListRemoval, RemovingAFreeRowBelowTheCardsLeavesThemInPlace)
{
    addCard(QStringLiteral("One"));
    addCard(QStringLiteral("Two"));
    const QStringList before = cells();
    sg1.setCurrentRow(3);
    list.ClearCurrentRow();
    EXPECT_EQ(cells(), before);
}

// Name lookup ---------------------------------------------------------------

struct NameCase
{
    const char* label;
    std::vector<const char*> rows; // Card Name cells from row 1 down; "" is an empty row
    const char* typed;
    bool exists;
};

class CardListNameExists : public CardListTest, public testing::WithParamInterface<NameCase>
{};

TEST_P(CardListNameExists, ComparesTheTypedNameExactly)
{
    int row = 1;
    for (const char* cell : GetParam().rows)
        sg1.setCell(TCardList::Name, row++, QString::fromUtf8(cell));
    EXPECT_EQ(list.NameExists(QString::fromUtf8(GetParam().typed)), GetParam().exists)
        << GetParam().label;
}

std::vector<const char*> fullList(const char* last)
{
    std::vector<const char*> rows(23, "1. Filler");
    rows.push_back(last);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Names, CardListNameExists,
    testing::Values(
        NameCase{"same name", {"1. Visa Gold", "2. Store Card"}, "Store Card", true},
        NameCase{"other case", {"1. Visa Gold"}, "visa gold", false},
        NameCase{"trailing blank typed", {"1. Visa Gold"}, "Visa Gold ", false},
        NameCase{"trailing blank listed", {"1. Visa Gold "}, "Visa Gold", false},
        NameCase{"part of a name", {"1. Visa Gold"}, "Visa", false},
        NameCase{"key typed too", {"1. Visa Gold"}, "1. Visa Gold", false},
        NameCase{"blanks and full stops", {"3. Mr. J. Smith  Visa"}, "Mr. J. Smith  Visa", true},
        NameCase{"double-digit key", {"1. A", "12. Store Card"}, "Store Card", true},
        NameCase{"empty list", {}, "Visa", false},
        NameCase{"the first empty row ends the list", {"1. A", "", "3. Visa"}, "Visa", false},
        NameCase{"found in row 24", fullList("24. Visa"), "Visa", true},
        NameCase{"24 cards, none matches", fullList("24. Visa"), "Amex", false}));

// Expired introductory rates ------------------------------------------------

struct ExpiryCase
{
    const char* label;
    QDateTime now;
    const char* introExpiry;
    bool expired;
};

class CardListMarkExpired : public CardListTest, public testing::WithParamInterface<ExpiryCase>
{};

TEST_P(CardListMarkExpired, ComparesNowWithTheExpiryDateAtMidnight)
{
    Clock::fix(GetParam().now);
    addCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QString::fromUtf8(GetParam().introExpiry));
    list.MarkExpired();
    EXPECT_EQ(sg1.cell(TCardList::Intro, 1),
              GetParam().expired ? QStringLiteral("Expired") : QStringLiteral("0"))
        << GetParam().label;
    EXPECT_EQ(sg1.cell(TCardList::IntroExpiry, 1), QString::fromUtf8(GetParam().introExpiry));
    EXPECT_FALSE(QFile::exists(listFile)) << "marking saves nothing";
}

const QDate december8(2026, 12, 8);

INSTANTIATE_TEST_SUITE_P(
    Dates, CardListMarkExpired,
    testing::Values(
        ExpiryCase{"today at noon", QDateTime(december8, QTime(12, 0)), "12/8/26", true},
        ExpiryCase{"today at the stroke of midnight", QDateTime(december8, QTime(0, 0)), "12/8/26",
                   false},
        ExpiryCase{"today a second after midnight", QDateTime(december8, QTime(0, 0, 1)), "12/8/26",
                   true},
        ExpiryCase{"yesterday", QDateTime(december8, QTime(12, 0)), "12/7/26", true},
        ExpiryCase{"last year", QDateTime(december8, QTime(12, 0)), "6/30/25", true},
        ExpiryCase{"tomorrow", QDateTime(december8, QTime(23, 59, 59)), "12/9/26", false},
        ExpiryCase{"next year", QDateTime(december8, QTime(12, 0)), "6/30/27", false}));

TEST_F(CardListMarking, MarkExpiredNeverRemovesTheMark)
{
    addCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QStringLiteral("1/1/30"));
    list.PutIntroCell(QStringLiteral("Expired"));
    list.MarkExpired();
    EXPECT_EQ(sg1.cell(TCardList::Intro, 1), QStringLiteral("Expired"));
}

TEST_F(CardListMarking, MarkExpiredLooksOnlyAtListedCards)
{
    addCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QStringLiteral("1/1/30"));
    addCard(QStringLiteral("Amex"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QStringLiteral("1/1/20"));
    // A row past the count, with a date that would be expired and one that is none.
    sg1.setCell(TCardList::IntroExpiry, 3, QStringLiteral("1/1/20"));
    sg1.setCell(TCardList::IntroExpiry, 4, QStringLiteral("not a date"));
    list.MarkExpired();
    EXPECT_EQ(sg1.cell(TCardList::Intro, 1), QStringLiteral("0"));
    EXPECT_EQ(sg1.cell(TCardList::Intro, 2), QStringLiteral("Expired"));
    EXPECT_TRUE(sg1.cell(TCardList::Intro, 3).isEmpty());
}

class CardListMarkExpiredBadDate : public CardListTest,
                                   public testing::WithParamInterface<const char*>
{};

TEST_P(CardListMarkExpiredBadDate, StopsAtTheCardWithTheMessage)
{
    addCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QStringLiteral("1/1/20"));
    addCard(QStringLiteral("Amex"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QString::fromUtf8(GetParam()));
    addCard(QStringLiteral("Store"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QStringLiteral("1/1/20"));
    EXPECT_EQ(messageOf([&] { list.MarkExpired(); }),
              std::string("'") + GetParam() + "' is not a valid date and time");
    EXPECT_EQ(sg1.cell(TCardList::Intro, 1), QStringLiteral("Expired"))
        << "done before the bad date stays";
    EXPECT_EQ(sg1.cell(TCardList::Intro, 2), QStringLiteral("0"));
    EXPECT_EQ(sg1.cell(TCardList::Intro, 3), QStringLiteral("0"))
        << "nothing after the bad date runs";
}

INSTANTIATE_TEST_SUITE_P(Texts, CardListMarkExpiredBadDate,
                         testing::Values("31/12/26", "2/30/26", "next June", " "));

TEST_F(CardListMarking, MarkExpiredPassesByARowWithoutADate)
{
    // What a load cut short by a damaged file can leave behind.
    sg1.setCell(TCardList::Name, 1, QStringLiteral("1. Visa"));
    sg1.setCell(TCardList::Intro, 1, QStringLiteral("0"));
    list.NextKey();
    list.IncrementCount();
    addCard(QStringLiteral("Amex"), QStringLiteral("900.00"), QStringLiteral("0.00"),
            QStringLiteral("1/1/20"));
    ASSERT_EQ(list.cardCount(), 2);
    EXPECT_EQ(messageOf([&] { list.MarkExpired(); }), "<no error>");
    EXPECT_EQ(sg1.cell(TCardList::Intro, 1), QStringLiteral("0"));
    EXPECT_EQ(sg1.cell(TCardList::Intro, 2), QStringLiteral("Expired"));
}

// Start-up ------------------------------------------------------------------

using CardListStartUp = ProgramTest;

TEST_F(CardListStartUp, MarksExpiredRatesAndSavesNothing)
{
    const QByteArray file =
        "2\r\n2\r\n" + cardLines(1, "1. Visa", "12/8/26") + cardLines(2, "2. Amex", "12/9/26");
    putBytes(listFile, file);
    messages.clear();
    restart();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 1), QStringLiteral("Expired"));
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 2), QStringLiteral("0"));
    EXPECT_EQ(bytesOf(listFile), file);
}

TEST_F(CardListStartUp, ADamagedListShowsBothMessagesAndTheRestStillRuns)
{
    const QByteArray file = "3\r\n3\r\n" + cardLines(1, "1. Visa", "6/30/26") + "0 y 2. Amex\r\n" +
                            cardLines(3, "3. Store", "6/30/26");
    putBytes(listFile, file);
    putBytes(QStringLiteral("summary.dat"), "1500.00\r\n300.00\r\n1200.00\r\n");
    messages.clear();
    restart();

    EXPECT_EQ(messages.shown(), (QStringList{"'y' is not a valid integer value",
                                             QString::fromStdString(damagedFollowUp)}));
    EXPECT_EQ(bytesOf(listFile + QStringLiteral(".damaged")), file);
    EXPECT_EQ(bytesOf(listFile), file);
    EXPECT_EQ(p().cardList.cardCount(), 1);
    EXPECT_EQ(p().cardList.lastKey(), 3);
    EXPECT_EQ(p().main.CurrentYr, QStringLiteral("26"));
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ(p().main.E1, QStringLiteral("1500.00"));
    EXPECT_EQ(p().main.E2, QStringLiteral("300.00"));
    EXPECT_EQ(p().main.E3, QStringLiteral("1200.00"));
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 1), QStringLiteral("Expired"));
    EXPECT_EQ(p().sg1.cell(TCardList::Name, 0), QStringLiteral("Card Name"));
}

TEST_F(CardListStartUp, ACardCutShortByTheDamageBringsNoThirdMessage)
{
    const QByteArray file = "2\r\n2\r\n" + cardLines(1, "1. Visa", "6/30/26") +
                            "0 2 2. Amex\r\n1 2 10/31/27\r\n2 2 0\r\n3 2 18.9\r\n4 two 900.00\r\n";
    putBytes(listFile, file);
    messages.clear();
    restart();
    EXPECT_EQ(messages.shown(), (QStringList{"'two' is not a valid integer value",
                                             QString::fromStdString(damagedFollowUp)}));
    EXPECT_EQ(p().cardList.cardCount(), 2);
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 1), QStringLiteral("Expired"));
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 2), QStringLiteral("0"));
}

TEST_F(CardListStartUp, AnUnreadableExpiryDateIsReportedAndTheTotalsStillLoad)
{
    putBytes(listFile, "2\r\n2\r\n" + cardLines(1, "1. Visa", "6/30/26") +
                           cardLines(2, "2. Amex", "30.6.26"));
    putBytes(QStringLiteral("summary.dat"), "1800.00\r\n500.00\r\n1300.00\r\n");
    messages.clear();
    restart();
    EXPECT_EQ(messages.shown(), QStringList{"'30.6.26' is not a valid date and time"});
    EXPECT_EQ(p().cardList.cardCount(), 2);
    EXPECT_EQ(p().sg1.cell(TCardList::Intro, 1), QStringLiteral("Expired"));
    EXPECT_EQ(p().main.E2, QStringLiteral("500.00"));
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_FALSE(QFile::exists(listFile + QStringLiteral(".damaged")));
}

} // namespace
