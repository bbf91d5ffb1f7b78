#pragma once

#include <QString>

#include <vector>

// A fixed-size table of texts with a current row: what the program's grids
// show and the ledger, card list and beginning balances are made of. Rows
// below `fixedRows` are headers and can never be current.
class TextGrid
{
public:
    TextGrid(int columns, int rows, int fixedRows);

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    bool contains(int column, int row) const;

    const QString& cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    int currentRow() const { return m_currentRow; }
    // Raises "Grid index out of range" for a header row or a row past the end,
    // as the grid control does; the current row then stays where it was.
    void setCurrentRow(int row);

    void clearCells(int row, int firstColumn, int lastColumn);
    void copyCells(int fromRow, int toRow, int firstColumn, int lastColumn);

private:
    int m_columns;
    int m_rows;
    int m_fixedRows;
    int m_currentRow;
    std::vector<QString> m_cells;
};
