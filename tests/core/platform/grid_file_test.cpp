#include "core/platform/cell_line.h"
#include "core/platform/grid_file.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"
#include "support/temp_dir.h"

#include <QDir>

#include <functional>
#include <string>

namespace {

// The message a call raises, or "<no error>" when it raises none.
std::string messageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const UserError& error) {
        return error.what();
    }
    return "<no error>";
}

// TextGrid ----------------------------------------------------------------

TEST(TextGrid, StartsEmptyWithTheFirstRowBelowTheHeadersCurrent)
{
    const TextGrid cards(8, 25, 1);
    EXPECT_EQ(cards.columnCount(), 8);
    EXPECT_EQ(cards.rowCount(), 25);
    EXPECT_EQ(cards.currentRow(), 1);
    for (int row = 0; row < 25; ++row)
        for (int column = 0; column < 8; ++column)
            EXPECT_TRUE(cards.cell(column, row).isEmpty()) << column << ' ' << row;

    // A table without headers starts on row 0.
    EXPECT_EQ(TextGrid(2, 100, 0).currentRow(), 0);
}

TEST(TextGrid, KeepsEachCellApart)
{
    TextGrid grid(8, 25, 1);
    grid.setCell(0, 1, QStringLiteral("1. Visa Gold"));
    grid.setCell(1, 0, QStringLiteral("Expires"));
    grid.setCell(7, 24, QStringLiteral("6/30/27"));
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("1. Visa Gold"));
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("Expires"));
    EXPECT_EQ(grid.cell(7, 24), QStringLiteral("6/30/27"));
    // Neighbours in either direction stay empty: columns and rows are not mixed up.
    EXPECT_TRUE(grid.cell(1, 1).isEmpty());
    EXPECT_TRUE(grid.cell(0, 2).isEmpty());
    EXPECT_TRUE(grid.cell(0, 0).isEmpty());
    EXPECT_TRUE(grid.cell(6, 24).isEmpty());
}

struct OutsideCell
{
    int column;
    int row;
};

class TextGridRefuses : public testing::TestWithParam<OutsideCell>
{};

TEST_P(TextGridRefuses, ReadingOrWritingACellOutsideTheTable)
{
    TextGrid grid(8, 25, 1);
    const auto [column, row] = GetParam();
    EXPECT_FALSE(grid.contains(column, row));
    EXPECT_EQ(messageOf([&] { grid.cell(column, row); }), "Grid index out of range");
    EXPECT_EQ(messageOf([&] { grid.setCell(column, row, QStringLiteral("x")); }),
              "Grid index out of range");
}

INSTANTIATE_TEST_SUITE_P(Edges, TextGridRefuses,
                         testing::Values(OutsideCell{-1, 1}, OutsideCell{8, 1}, OutsideCell{0, -1},
                                         OutsideCell{0, 25}, OutsideCell{8, 25},
                                         OutsideCell{-1, -1}));

TEST(TextGrid, ContainsEveryCornerCell)
{
    const TextGrid grid(8, 25, 1);
    EXPECT_TRUE(grid.contains(0, 0));
    EXPECT_TRUE(grid.contains(7, 0));
    EXPECT_TRUE(grid.contains(0, 24));
    EXPECT_TRUE(grid.contains(7, 24));
}

TEST(TextGrid, MovesTheCurrentRowWithinTheBodyOnly)
{
    TextGrid grid(8, 25, 1);
    grid.setCurrentRow(24);
    EXPECT_EQ(grid.currentRow(), 24);
    grid.setCurrentRow(1);
    EXPECT_EQ(grid.currentRow(), 1);
}

class TextGridCurrentRow : public testing::TestWithParam<int>
{};

TEST_P(TextGridCurrentRow, NeverBecomesAHeaderRowOrARowPastTheEnd)
{
    TextGrid grid(8, 25, 1);
    grid.setCurrentRow(5);
    EXPECT_EQ(messageOf([&] { grid.setCurrentRow(GetParam()); }), "Grid index out of range");
    EXPECT_EQ(grid.currentRow(), 5);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextGridCurrentRow, testing::Values(0, -1, 25, 26));

TEST(TextGrid, WithTwoHeaderRowsRefusesBothAsCurrent)
{
    TextGrid grid(3, 6, 2);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(messageOf([&] { grid.setCurrentRow(1); }), "Grid index out of range");
    EXPECT_EQ(messageOf([&] { grid.setCurrentRow(0); }), "Grid index out of range");
    EXPECT_EQ(grid.currentRow(), 2);
}

TEST(TextGrid, ClearsOnlyTheGivenColumnsOfOneRow)
{
    TextGrid grid(4, 3, 1);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            grid.setCell(column, row, QStringLiteral("%1,%2").arg(column).arg(row));
    grid.clearCells(1, 1, 2);
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("0,1"));
    EXPECT_TRUE(grid.cell(1, 1).isEmpty());
    EXPECT_TRUE(grid.cell(2, 1).isEmpty());
    EXPECT_EQ(grid.cell(3, 1), QStringLiteral("3,1"));
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("1,0"));
    EXPECT_EQ(grid.cell(2, 2), QStringLiteral("2,2"));
}

TEST(TextGrid, CopiesOnlyTheGivenColumnsOfOneRowIntoAnother)
{
    TextGrid grid(4, 3, 1);
    for (int column = 0; column < 4; ++column) {
        grid.setCell(column, 2, QStringLiteral("from %1").arg(column));
        grid.setCell(column, 1, QStringLiteral("to %1").arg(column));
    }
    grid.copyCells(2, 1, 1, 3);
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("to 0"));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("from 1"));
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("from 2"));
    EXPECT_EQ(grid.cell(3, 1), QStringLiteral("from 3"));
    // The source row is copied, not moved.
    EXPECT_EQ(grid.cell(3, 2), QStringLiteral("from 3"));
}

TEST(TextGrid, RefusesToClearOrCopyPastTheEdge)
{
    TextGrid grid(4, 3, 1);
    EXPECT_EQ(messageOf([&] { grid.clearCells(3, 0, 3); }), "Grid index out of range");
    EXPECT_EQ(messageOf([&] { grid.copyCells(3, 1, 0, 3); }), "Grid index out of range");
    EXPECT_EQ(messageOf([&] { grid.copyCells(1, 2, 0, 4); }), "Grid index out of range");
}

// Cell lines --------------------------------------------------------------

TEST(GridFileCellLines, RunRowByRowAndWithinARowByAscendingColumn)
{
    TextGrid grid(8, 25, 1);
    // Filled out of order on purpose: the lines must not follow filling order.
    grid.setCell(7, 2, QStringLiteral("6/30/27"));
    grid.setCell(0, 2, QStringLiteral("2. Store Card"));
    grid.setCell(3, 1, QStringLiteral("18.9"));
    grid.setCell(0, 1, QStringLiteral("1. Visa Gold"));
    grid.setCell(2, 1, QStringLiteral("0"));
    EXPECT_EQ(cellLines(grid, 1, 24, 0, 7), (QStringList{"0 1 1. Visa Gold", "2 1 0", "3 1 18.9",
                                                         "0 2 2. Store Card", "7 2 6/30/27"}));
}

TEST(GridFileCellLines, SkipEmptyCellsAndKeepTheTextWithItsBlanks)
{
    TextGrid grid(8, 25, 1);
    grid.setCell(0, 3, QStringLiteral("3. Mr. J. Smith  Visa "));
    grid.setCell(5, 3, QStringLiteral("-40.00"));
    EXPECT_EQ(cellLines(grid, 1, 24, 0, 7),
              (QStringList{"0 3 3. Mr. J. Smith  Visa ", "5 3 -40.00"}));
}

TEST(GridFileCellLines, OfAnEmptyTableAreNone)
{
    const TextGrid grid(8, 25, 1);
    EXPECT_TRUE(cellLines(grid, 1, 24, 0, 7).isEmpty());
}

TEST(GridFileCellLines, CoverOnlyTheRowsAndColumnsAskedFor)
{
    TextGrid grid(8, 25, 1);
    grid.setCell(0, 0, QStringLiteral("Card Name"));
    grid.setCell(0, 1, QStringLiteral("1. A"));
    grid.setCell(1, 1, QStringLiteral("expires"));
    grid.setCell(2, 1, QStringLiteral("intro"));
    grid.setCell(0, 24, QStringLiteral("24. Z"));
    EXPECT_EQ(cellLines(grid, 1, 23, 1, 2), (QStringList{"1 1 expires", "2 1 intro"}));
    EXPECT_EQ(cellLines(grid, 0, 24, 0, 0),
              (QStringList{"0 0 Card Name", "0 1 1. A", "0 24 24. Z"}));
}

// Loading cell lines ------------------------------------------------------

const CellBlock cardRows{1, 24, 0, 7};

// Loads `lines`, joined as one file's text, from line `from` on.
void loadCellLines(const QString& name, const QStringList& lines, int from, TextGrid& grid,
                   const CellBlock& block)
{
    const QString text = lines.join(u'\n');
    DataFile::LineReader reader(text);
    QStringView skipped;
    for (int i = 0; i < from; ++i)
        reader.next(skipped);
    loadCellLines(name, text, reader, grid, block);
}

TEST(GridFileLoad, StoresEveryLineFromTheGivenIndexOn)
{
    TextGrid grid(8, 25, 1);
    loadCellLines(QStringLiteral("CardList.dat"),
                  QStringList{"9", "9", "0 1 1. Visa Gold", "7 24 6/30/27", "3 2  18.9 "}, 2, grid,
                  cardRows);
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("1. Visa Gold"));
    EXPECT_EQ(grid.cell(7, 24), QStringLiteral("6/30/27"));
    EXPECT_EQ(grid.cell(3, 2), QStringLiteral(" 18.9 "));
    // The leading lines are not cell lines and must not be read as such.
    EXPECT_EQ(cellLines(grid, 0, 24, 0, 7).size(), 3);
}

struct OutsideLine
{
    const char* label;
    QStringList lines;
    std::string message;
    QStringList kept = {"0 1 1. Visa Gold"};
};

class GridFileLoadRefuses : public testing::TestWithParam<OutsideLine>
{};

TEST_P(GridFileLoadRefuses, ACellOutsideTheBlockAndKeepsTheCellsBeforeIt)
{
    TextGrid grid(8, 25, 1);
    QStringList lines{"3", "2", "0 1 1. Visa Gold"};
    lines += GetParam().lines;
    lines += QStringLiteral("1 2 after");
    EXPECT_EQ(
        messageOf([&] { loadCellLines(QStringLiteral("CardList.dat"), lines, 2, grid, cardRows); }),
        GetParam().message)
        << GetParam().label;
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("1. Visa Gold"));
    // The load stopped: nothing after the bad line, and nothing outside the block.
    EXPECT_TRUE(grid.cell(1, 2).isEmpty());
    EXPECT_TRUE(grid.cell(0, 0).isEmpty());
    EXPECT_EQ(cellLines(grid, 0, 24, 0, 7), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GridFileLoadRefuses,
    testing::Values(
        OutsideLine{
            "header row", {"0 0 Card Name"}, "Line 4 of CardList.dat lies outside the table."},
        OutsideLine{
            "row past the end", {"0 25 x"}, "Line 4 of CardList.dat lies outside the table."},
        OutsideLine{
            "column past the end", {"8 1 x"}, "Line 4 of CardList.dat lies outside the table."},
        OutsideLine{
            "negative column", {"-1 1 x"}, "Line 4 of CardList.dat lies outside the table."},
        OutsideLine{"negative row", {"0 -3 x"}, "Line 4 of CardList.dat lies outside the table."},
        OutsideLine{"far away row counts its line from 1",
                    {"1 1 ok", "2 1 ok", "0 1000000 x"},
                    "Line 6 of CardList.dat lies outside the table.",
                    {"0 1 1. Visa Gold", "1 1 ok", "2 1 ok"}},
        OutsideLine{"column that is no number", {"x 2 text"}, "'x' is not a valid integer value"},
        OutsideLine{"row that is no number", {"1 two text"}, "'two' is not a valid integer value"},
        OutsideLine{"empty line", {""}, "'' is not a valid integer value"}));

TEST(GridFileLoad, NamesTheFileItReadsInTheMessage)
{
    TextGrid grid(2, 100, 0);
    EXPECT_EQ(messageOf([&] {
                  loadCellLines(QStringLiteral("7bb.dat"), QStringList{"0 26 100.00", "2 26 x"}, 0,
                                grid, {0, 99, 0, 1});
              }),
              "Line 2 of 7bb.dat lies outside the table.");
    EXPECT_EQ(grid.cell(0, 26), QStringLiteral("100.00"));
}

TEST(GridFileLoad, AcceptsTheEdgesOfTheBlock)
{
    TextGrid grid(8, 25, 1);
    loadCellLines(QStringLiteral("CardList.dat"), QStringList{"0 1 a", "7 1 b", "0 24 c", "7 24 d"},
                  0, grid, cardRows);
    EXPECT_EQ(cellLines(grid, 1, 24, 0, 7), (QStringList{"0 1 a", "7 1 b", "0 24 c", "7 24 d"}));
}

// The loader reads the usual line on a quick path and every other line with
// the full parser. Whatever the line and wherever it stands, the result must
// be the one of reading the lines one by one with that parser.
struct LoadOutcome
{
    std::string message;
    QString cells;
};

LoadOutcome loadedBy(const std::function<void(TextGrid&)>& load)
{
    TextGrid grid(8, 25, 1);
    LoadOutcome outcome{messageOf([&] { load(grid); }), {}};
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            if (!grid.cellView(column, row).isEmpty())
                outcome.cells += QStringLiteral("%1,%2=%3;")
                                     .arg(column)
                                     .arg(row)
                                     .arg(grid.cellView(column, row));
    return outcome;
}

LoadOutcome loadedLineByLine(const QString& text, const CellBlock& block)
{
    return loadedBy([&](TextGrid& grid) {
        DataFile::LineReader reader(text);
        QStringView line;
        while (reader.next(line)) {
            const CellLineView cell = parseCellLineView(line);
            if (cell.row < block.firstRow || cell.row > block.lastRow ||
                cell.column < block.firstColumn || cell.column > block.lastColumn)
                throw UserError(QStringLiteral("Line %1 of x.dat lies outside the table.")
                                    .arg(reader.lineNumber())
                                    .toStdString());
            grid.setCell(cell.column, cell.row, cell.text.toString());
        }
    });
}

TEST(GridFileLoad, ReadsEveryLineAsTheLineParserDoesWhereverItStands)
{
    const char* const shapes[] = {"3 7 12.34",
                                  "12 24 x",
                                  "0 1",
                                  "0 1 ",
                                  "1 2  two blanks",
                                  "7 9 text with 3 4 numbers",
                                  "01 002 leading zeros",
                                  "1  2 blank twice",
                                  " 1 2 leading blank",
                                  "+1 2 sign",
                                  "-1 2 negative",
                                  "1 -2 negative row",
                                  "1 2x text",
                                  "1x 2 text",
                                  "x 2 text",
                                  "",
                                  "123456789 1 nine digits",
                                  "1234567890 1 ten digits",
                                  "1 123456789 nine",
                                  "1 1234567890",
                                  "0 1 caf\u00e9 \u20ac",
                                  "0 1 \u0661 Arabic digit",
                                  "\u0661 1 Arabic column",
                                  "99999999999999999999 1 overflow",
                                  "1 9999999999999999999999",
                                  "4294967297 1 wraps to 1",
                                  "1 4294967298 wraps to 2"};
    const CellBlock blocks[] = {{1, 24, 0, 7}, {0, 0, 0, 0}, {5, 4, 0, 7}};
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    // Around the shape, lines of the usual kind, so that it stands at the
    // start, in the middle and at the end of the text, with and without a
    // final break.
    const QString before = QStringLiteral("0 1 first\r\n2 3 second line\r\n");
    const QString after = QStringLiteral("4 5 after\r\n6 7 and the last");
    for (const CellBlock& block : blocks) {
        for (const char* shape : shapes) {
            for (const char* lineBreak : breaks) {
                const QString line = QString::fromUtf8(shape);
                const QString br = QString::fromLatin1(lineBreak);
                for (const QString& text : {line, line + br, before + line, before + line + br,
                                            before + line + br + after, line + br + after + br}) {
                    const LoadOutcome expected = loadedLineByLine(text, block);
                    const LoadOutcome loaded = loadedBy([&](TextGrid& grid) {
                        DataFile::LineReader reader(text);
                        loadCellLines(QStringLiteral("x.dat"), text, reader, grid, block);
                    });
                    EXPECT_EQ(loaded.message, expected.message) << text.toStdString();
                    EXPECT_EQ(loaded.cells, expected.cells) << text.toStdString();
                }
            }
        }
    }
}

// Reading a data file and keeping a damaged copy ---------------------------

using GridFileOnDisk = InTempDir;

const QByteArray damagedList("2\r\n1\r\n0 1 1. Visa\r\nx 1 10/31/27\r\n\xE9\r\n");
const std::string keptFollowUp =
    "CardList.dat could not be read completely; its original content was kept as "
    "CardList.dat.damaged.";

// Runs readDataFile on CardList.dat with a parser that stops at the first line
// that does not start with a digit; `seen` gets the lines it accepted.
void readStoppingAtALetter(QStringList& seen)
{
    readDataFile(QStringLiteral("CardList.dat"), [&seen](const QString& text) {
        DataFile::LineReader lines(text);
        QStringView line;
        while (lines.next(line)) {
            bool ok = false;
            (void)line.left(1).toInt(&ok);
            if (!ok)
                throw UserError("'" + line.toString().toStdString() +
                                "' is not a valid integer value");
            seen.append(line.toString());
        }
    });
}

struct NulCase
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

void PrintTo(const NulCase& c, std::ostream* os)
{
    *os << c.label;
}

class GridFileNul : public InTempDir, public testing::WithParamInterface<NulCase>
{};

// A power cut leaves blocks of zeros; the program writes no NUL, so one
// anywhere is damage: nothing is handed over and the bytes are kept.
TEST_P(GridFileNul, IsDamageWhereverItStandsAndNamesItsLine)
{
    const NulCase& c = GetParam();
    putBytes(QStringLiteral("CardList.dat"), c.bytes);
    QStringList seen;
    try {
        readStoppingAtALetter(seen);
        FAIL() << c.label << ": the file was read";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), c.message) << c.label;
        EXPECT_EQ(error.followUp(), keptFollowUp) << c.label;
    }
    EXPECT_TRUE(seen.isEmpty()) << c.label;
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), c.bytes) << c.label;
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat")), c.bytes) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Files, GridFileNul,
    testing::Values(NulCase{"first byte", QByteArray("\0\0\0\0", 4),
                            "Line 1 of CardList.dat holds a NUL byte."},
                    NulCase{"after CR LF lines", QByteArray("2\r\n1\r\n0 1 1. V\0sa\r\n", 19),
                            "Line 3 of CardList.dat holds a NUL byte."},
                    NulCase{"after LF and lone CR lines", QByteArray("2\n1\r0 1 1. Visa\r\n\0", 18),
                            "Line 4 of CardList.dat holds a NUL byte."},
                    NulCase{"a zeroed block at the end", "2\r\n1\r\n" + QByteArray(512, '\0'),
                            "Line 3 of CardList.dat holds a NUL byte."}),
    [](const testing::TestParamInfo<NulCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(GridFileOnDisk, AGoodFileIsHandedOverLineByLineAndLeavesNoCopy)
{
    putBytes(QStringLiteral("CardList.dat"), "2\r\n1\n0 1 1. Visa\r7 1 6/30/27");
    QStringList seen;
    readStoppingAtALetter(seen);
    EXPECT_EQ(seen, (QStringList{"2", "1", "0 1 1. Visa", "7 1 6/30/27"}));
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"CardList.dat"});
}

TEST_F(GridFileOnDisk, ABadLineKeepsTheOriginalBytesAsADamagedCopy)
{
    putBytes(QStringLiteral("CardList.dat"), damagedList);
    QStringList seen;
    try {
        readStoppingAtALetter(seen);
        FAIL() << "the bad line was accepted";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "'x 1 10/31/27' is not a valid integer value");
        EXPECT_EQ(error.followUp(), keptFollowUp);
    }
    EXPECT_EQ(seen, (QStringList{"2", "1", "0 1 1. Visa"}));
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), damagedList);
    // The file itself is read, never changed.
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat")), damagedList);
}

TEST_F(GridFileOnDisk, AMissingFileIsAReadErrorWithoutACopy)
{
    EXPECT_EQ(messageOf([] { readDataFile(QStringLiteral("3bb.dat"), [](const QString&) {}); }),
              "Could not read \"3bb.dat\": No such file or directory");
    EXPECT_TRUE(QDir().entryList(QDir::Files).isEmpty());
}

TEST_F(GridFileOnDisk, KeepingACopyWritesTheBytesAndNamesTheCopy)
{
    const QByteArray bytes("26\r\n2\x80\r\n\r\n");
    EXPECT_EQ(keepDamagedCopy(QStringLiteral("4yl.dat"), bytes),
              "4yl.dat could not be read completely; its original content was kept as "
              "4yl.dat.damaged.");
    EXPECT_EQ(bytesOf(QStringLiteral("4yl.dat.damaged")), bytes);
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"4yl.dat.damaged"});
}

TEST_F(GridFileOnDisk, AnOlderCopyOfOtherBytesMovesAsideToTheFirstFreeNumber)
{
    putBytes(QStringLiteral("CardList.dat.damaged"), "oldest\r\n");
    keepDamagedCopy(QStringLiteral("CardList.dat"), "older\r\n");
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), QByteArray("older\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged.1")), QByteArray("oldest\r\n"));

    keepDamagedCopy(QStringLiteral("CardList.dat"), "newest\r\n");
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), QByteArray("newest\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged.1")), QByteArray("oldest\r\n"));
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged.2")), QByteArray("older\r\n"));
    EXPECT_EQ(QDir().entryList(QDir::Files).size(), 3);
}

TEST_F(GridFileOnDisk, AnOlderCopyOfTheSameBytesIsNotDuplicated)
{
    putBytes(QStringLiteral("CardList.dat.damaged"), damagedList);
    EXPECT_EQ(keepDamagedCopy(QStringLiteral("CardList.dat"), damagedList), keptFollowUp);
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat.damaged")), damagedList);
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"CardList.dat.damaged"});
}

TEST_F(GridFileOnDisk, ReadingTheSameDamagedFileTwiceKeepsOneCopy)
{
    putBytes(QStringLiteral("CardList.dat"), damagedList);
    QStringList seen;
    EXPECT_THROW(readStoppingAtALetter(seen), UserError);
    EXPECT_THROW(readStoppingAtALetter(seen), UserError);
    EXPECT_EQ(QDir().entryList(QDir::Files, QDir::Name),
              (QStringList{"CardList.dat", "CardList.dat.damaged"}));
}

TEST_F(GridFileOnDisk, ACopyThatCannotBeWrittenIsReportedAsTheFollowUp)
{
    putBytes(QStringLiteral("CardList.dat"), damagedList);
    // A folder in the copy's place with the same name cannot be replaced.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("CardList.dat.damaged")));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("CardList.dat.damaged/keep")));
    QStringList seen;
    try {
        readStoppingAtALetter(seen);
        FAIL() << "the bad line was accepted";
    } catch (const UserError& error) {
        // The first message still names the bad line; the second says the copy failed.
        EXPECT_STREQ(error.what(), "'x 1 10/31/27' is not a valid integer value");
        EXPECT_NE(error.followUp(), keptFollowUp);
        EXPECT_NE(error.followUp().find("CardList.dat.damaged"), std::string::npos)
            << error.followUp();
    }
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat")), damagedList);
}

} // namespace
