#include "platform/text_grid.h"
#include "platform/user_error.h"

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
