#pragma once

#include <QString>

#include <cstdint>
#include <string_view>
#include <utility>
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
    void setCellPiece(int column, int row, const QString& source, QStringView piece);

    // Stores pieces of one text for a loader that reads many cells from it.
    // The text is shared once (pieces of an earlier text first become texts
    // of their own); where the slots are, the table's size and the count of
    // new pieces then stay in the writer, so that a piece costs a few
    // instructions. A piece outside the text, or every piece of a text too
    // long to share, is copied instead. While a writer works, nothing else
    // may change the table.
    class PieceWriter;

    // The text the last pieces came from, once no cell is a piece of it any
    // more (after the cells were cleared): its memory can take the next file.
    QString takeSpareText()
    {
        return m_pieces == 0 ? std::exchange(m_source, QString()) : QString();
    }

    int currentRow() const { return m_currentRow; }
    // Raises "Grid index out of range" for a header row or a row past the end,
    // as the grid control does; the current row then stays where it was.
    void setCurrentRow(int row);

    void clearCells(int row, int firstColumn, int lastColumn);
    void clearCells(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void copyCells(int fromRow, int toRow, int firstColumn, int lastColumn);

private:
    // A cell is a piece of the shared source, `size` characters from `from`
    // on, while `from` is not negative; otherwise its text is the string of
    // the same index in m_texts, or it is empty. Eight bytes a cell keep a
    // 1000-entry ledger small enough to sweep quickly.
    static constexpr std::int32_t ownText = -1;
    static constexpr std::int32_t noText = -2;
    struct Cell
    {
        std::int32_t from = noText;
        std::int32_t size = 0;
    };
    static constexpr qsizetype maxSource = 0x7fffffff;

    std::size_t indexOf(int column, int row) const
    {
        return std::size_t(row) * std::size_t(m_columns) + std::size_t(column);
    }
    // The index of a cell in the table; "Grid index out of range" outside it.
    std::size_t at(int column, int row) const;
    void makeOwn(std::size_t index) const;
    void assign(std::size_t to, std::size_t from);
    void clear(std::size_t index)
    {
        Cell& cell = m_cells[index];
        if (cell.from >= 0) {
            --m_pieces;
        } else if (cell.from == ownText) {
            m_texts[index].clear();
        }
        cell.from = noText;
    }

    int m_columns;
    int m_rows;
    int m_fixedRows;
    int m_currentRow;
    // Mutable because reading a piece through `cell` turns it into its own
    // text; what the table holds stays the same.
    mutable std::vector<Cell> m_cells;
    mutable std::vector<QString> m_texts;
    mutable QString m_source;
    mutable qsizetype m_pieces = 0;
};

class TextGrid::PieceWriter
{
public:
    PieceWriter(TextGrid& grid, const QString& source);
    ~PieceWriter() { m_grid.m_pieces += m_added; }
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    // Sets the cell to `piece`; an empty piece empties it. Raises "Grid
    // index out of range" outside the table.
    void set(int column, int row, QStringView piece)
    {
        // Inline for the loaders, which call it for every line they read.
        // The offset is taken as unsigned bytes: a piece of another text
        // lands outside the range and is copied.
        const std::uintptr_t at = std::uintptr_t(piece.utf16()) - m_base;
        const auto size = std::size_t(piece.size());
        if (unsigned(column) < m_columns && unsigned(row) < m_rows && size - 1 < m_size &&
            at <= (m_size - size) * sizeof(char16_t)) {
            const std::size_t index = std::size_t(row) * m_columns + unsigned(column);
            Cell& cell = m_cells[index];
            if (cell.from < 0) {
                if (cell.from == ownText)
                    m_grid.m_texts[index].clear();
                ++m_added;
            }
            cell.from = std::int32_t(at / sizeof(char16_t));
            cell.size = std::int32_t(size);
            return;
        }
        setSlowly(column, row, piece);
    }

private:
    void setSlowly(int column, int row, QStringView piece);

    TextGrid& m_grid;
    Cell* m_cells;
    unsigned m_columns;
    unsigned m_rows;
    std::uintptr_t m_base = 0;
    std::size_t m_size = 0;
    qsizetype m_added = 0;
};
