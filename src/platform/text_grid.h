#pragma once

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

// A fixed-size table of texts with a current row: what the program's grids
// show and the ledger, card list and beginning balances are made of. Rows
// below `fixedRows` are headers and can never be current.
//
// A loaded file's cells are pieces of the file's text, which the table shares
// instead of copying each piece into a string of its own: a 1000-entry year is
// one text, not 4,000 small ones. A piece becomes its own string the first time
// `cell` hands it out; `cellView` reads it where it lies.
class TextGrid
{
public:
    TextGrid(int columns, int rows, int fixedRows);

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    bool contains(int column, int row) const
    {
        return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
    }

    const QString& cell(int column, int row) const;
    // The same text without making a string of it; valid until the table
    // next changes.
    QStringView cellView(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Sets the cell to the Latin-1 `text`, writing into the cell's own string
    // when it has room: a running balance rewritten down 1000 rows then
    // allocates nothing.
    void setCellLatin1(int column, int row, std::string_view text);
    // Sets the cell to `piece`, which lies inside `source`. The table keeps a
    // shared copy of `source` for as long as any cell is a piece of it.
    void setCellPiece(int column, int row, const QString& source, QStringView piece)
    {
        // Inline for the loaders, which call it for every line they read.
        const qsizetype from = piece.data() - source.constData();
        if (contains(column, row) && from >= 0 && !piece.isEmpty() &&
            source.size() <= maxSource && from + piece.size() <= source.size() &&
            source.constData() == m_source.constData()) {
            Cell& cell = m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
            if (cell.from < 0) {
                if (!cell.text.isEmpty())
                    cell.text.clear();
                ++m_pieces;
            }
            cell.from = std::int32_t(from);
            cell.size = std::int32_t(piece.size());
            return;
        }
        setCellPieceSlowly(column, row, source, piece);
    }

    int currentRow() const { return m_currentRow; }
    // Raises "Grid index out of range" for a header row or a row past the end,
    // as the grid control does; the current row then stays where it was.
    void setCurrentRow(int row);

    void clearCells(int row, int firstColumn, int lastColumn);
    void clearCells(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void copyCells(int fromRow, int toRow, int firstColumn, int lastColumn);

private:
    // A cell is either its own `text` or, while `from` is not negative, the
    // `size` characters of the shared source from `from` on.
    struct Cell
    {
        QString text;
        std::int32_t from = -1;
        std::int32_t size = 0;
    };

    static constexpr qsizetype maxSource = 0x7fffffff;

    void setCellPieceSlowly(int column, int row, const QString& source, QStringView piece);
    Cell& at(int column, int row) const;
    void makeOwn(Cell& cell) const;
    void assign(Cell& to, const Cell& from);
    void clear(Cell& cell)
    {
        if (cell.from >= 0) {
            cell.from = -1;
            if (--m_pieces == 0)
                m_source = QString();
        }
        if (!cell.text.isEmpty())
            cell.text.clear();
    }

    int m_columns;
    int m_rows;
    int m_fixedRows;
    int m_currentRow;
    // Mutable because reading a piece through `cell` turns it into its own
    // text; what the table holds stays the same.
    mutable std::vector<Cell> m_cells;
    mutable QString m_source;
    mutable qsizetype m_pieces = 0;
};
