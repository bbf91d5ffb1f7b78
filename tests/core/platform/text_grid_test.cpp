#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// A grid of 3 columns and 5 rows whose cells (c, r) for r = 1..4 are pieces
// of one text: "a1 b1 c1 a2 ...".
struct PiecesOfOneText
{
    TextGrid grid{3, 5, 1};
    QString text;

    PiecesOfOneText()
    {
        QStringList words;
        for (int row = 1; row <= 4; ++row)
            for (const char* column : {"a", "b", "c"})
                words << QString::fromLatin1(column) + QString::number(row);
        text = words.join(u' ');
        for (int row = 1; row <= 4; ++row)
            for (int column = 0; column < 3; ++column)
                grid.setCellPiece(column, row, text, wordAt(column, row));
    }

    QStringView wordAt(int column, int row) const
    {
        return QStringView(text).mid((row - 1) * 9 + column * 3, 2);
    }
};

QString cellsOf(const TextGrid& grid)
{
    QStringList cells;
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << grid.cellView(column, row).toString();
    return cells.join(u',');
}

TEST(TextGridPieces, ReadAsTheirTextThroughEitherAccessor)
{
    PiecesOfOneText p;
    EXPECT_EQ(p.grid.cellView(1, 2), u"b2");
    EXPECT_EQ(p.grid.cell(1, 2), QStringLiteral("b2"));
    // Once handed out as a string, the cell still reads the same both ways.
    EXPECT_EQ(p.grid.cellView(1, 2), u"b2");
    EXPECT_EQ(cellsOf(p.grid), QStringLiteral(",,,a1,b1,c1,a2,b2,c2,a3,b3,c3,a4,b4,c4"));
}

TEST(TextGridPieces, OutliveTheCallersTextAndItsChanges)
{
    PiecesOfOneText p;
    p.text.fill(u'x');
    p.text = QString();
    EXPECT_EQ(cellsOf(p.grid), QStringLiteral(",,,a1,b1,c1,a2,b2,c2,a3,b3,c3,a4,b4,c4"));
}

TEST(TextGridPieces, MoveAndClearLikeAnyCell)
{
    PiecesOfOneText p;
    p.grid.copyCells(4, 1, 0, 2);
    p.grid.copyCells(2, 4, 0, 2);
    p.grid.clearCells(3, 1, 1);
    p.grid.setCell(2, 2, QStringLiteral("own"));
    p.grid.copyCells(2, 3, 2, 2);
    EXPECT_EQ(cellsOf(p.grid), QStringLiteral(",,,a4,b4,c4,a2,b2,own,a3,,own,a2,b2,c2"));
    p.grid.clearCells(1, 4, 0, 2);
    EXPECT_EQ(cellsOf(p.grid), QStringLiteral(",,,,,,,,,,,,,,"));
}

TEST(TextGridPieces, OfASecondTextLeaveThoseOfTheFirstIntact)
{
    PiecesOfOneText p;
    const QString second = QStringLiteral("new text");
    p.grid.setCellPiece(0, 1, second, QStringView(second).left(3));
    p.grid.setCellPiece(1, 1, second, QStringView(second).mid(4));
    EXPECT_EQ(cellsOf(p.grid), QStringLiteral(",,,new,text,c1,a2,b2,c2,a3,b3,c3,a4,b4,c4"));
}

TEST(TextGridPieces, OutsideTheirTextOrEmptyAreStoredAsTexts)
{
    TextGrid grid(2, 2, 0);
    const QString source = QStringLiteral("inside");
    const QString other = QStringLiteral("elsewhere");
    grid.setCellPiece(0, 0, source, QStringView(other).left(4));
    grid.setCellPiece(1, 0, source, QStringView(source).left(2));
    grid.setCellPiece(1, 0, source, QStringView(source).left(0));
    EXPECT_EQ(cellsOf(grid), QStringLiteral("else,,,"));
}

TEST(TextGridPieces, OutsideTheTableAreRefused)
{
    TextGrid grid(2, 2, 0);
    const QString source = QStringLiteral("text");
    EXPECT_THROW(grid.setCellPiece(2, 0, source, source), UserError);
    EXPECT_THROW(grid.setCellPiece(0, -1, source, source), UserError);
    EXPECT_THROW(grid.cellView(0, 2), UserError);
    EXPECT_THROW(grid.clearCells(0, 2, 0, 1), UserError);
}

TEST(TextGridPieces, FromAWriterReplaceWhatTheCellsHeld)
{
    PiecesOfOneText p;
    p.grid.setCell(0, 2, QStringLiteral("own"));
    const QString next = QStringLiteral("one two");
    {
        TextGrid::PieceWriter pieces(p.grid, next);
        pieces.set(0, 1, QStringView(next).left(3));   // over a piece of the first text
        pieces.set(0, 2, QStringView(next).mid(4));    // over a text of its own
        pieces.set(1, 2, QStringView(next).mid(4, 0)); // empty: the cell empties
        pieces.set(2, 2, QStringView(p.text).left(2)); // another text: copied
        EXPECT_THROW(pieces.set(3, 1, QStringView(next).left(3)), UserError);
        EXPECT_THROW(pieces.set(0, 5, QStringView(next).left(3)), UserError);
    }
    EXPECT_EQ(cellsOf(p.grid), QStringLiteral(",,,one,b1,c1,two,,a1,a3,b3,c3,a4,b4,c4"));
}

// The table lends its last text out for the next load only when no cell is
// a piece of it any more; a count that lags would let the next file's bytes
// overwrite cells still in use.
TEST(TextGridPieces, LendTheirTextOutOnlyWhenNoneIsLeft)
{
    TextGrid grid(7, 4, 1);
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    {
        TextGrid::PieceWriter pieces(grid, text);
        for (int row = 1; row <= 3; ++row)
            for (int column = 0; column < 7; ++column)
                if ((row + column) % 3 != 0)
                    pieces.set(column, row, QStringView(text).mid(row * 7 + column - 7, 1));
    }
    grid.setCell(2, 1, QStringLiteral("own"));
    grid.setCell(5, 2, QStringLiteral("own"));
    const QString left = cellsOf(grid);
    // Every width from 1 to 7 and every start; column 0 is cleared last.
    for (int first = 1; first < 7; ++first) {
        grid.clearCells(1, 3, first, 6);
        EXPECT_TRUE(grid.takeSpareText().isNull()) << first;
    }
    EXPECT_EQ(grid.cellView(0, 1), u"a");
    EXPECT_EQ(grid.cellView(2, 1), u"");
    grid.clearCells(1, 1, 0, 0);
    EXPECT_TRUE(grid.takeSpareText().isNull());
    grid.clearCells(2, 0, 0);
    EXPECT_EQ(grid.takeSpareText(), text);
    EXPECT_EQ(cellsOf(grid), QString(27, u','));
    EXPECT_NE(left, cellsOf(grid));
}

TEST(TextGridLatin1, RewritesACellInPlaceWithoutTouchingCopiesHandedOut)
{
    TextGrid grid(1, 2, 0);
    grid.setCellLatin1(0, 0, "1234.56");
    const QString handedOut = grid.cell(0, 0);
    grid.setCellLatin1(0, 0, "99.01");
    EXPECT_EQ(handedOut, QStringLiteral("1234.56"));
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("99.01"));
    grid.setCellLatin1(0, 0, "-.05");
    grid.setCellLatin1(0, 0, "100000.00");
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("100000.00"));

    const QString source = QStringLiteral("piece");
    grid.setCellPiece(0, 1, source, source);
    grid.setCellLatin1(0, 1, "7.00");
    EXPECT_EQ(grid.cellView(0, 1), u"7.00");
}

} // namespace
