#include "platform/text_grid.h"

#include "platform/user_error.h"

#include <cassert>

TextGrid::TextGrid(int columns, int rows, int fixedRows)
    : m_columns(columns), m_rows(rows), m_fixedRows(fixedRows), m_currentRow(fixedRows),
      m_cells(std::size_t(columns) * std::size_t(rows))
{}

bool TextGrid::contains(int column, int row) const
{
    return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
}

const QString& TextGrid::cell(int column, int row) const
{
    if (!contains(column, row))
        throw UserError("Grid index out of range");
    return m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
}

void TextGrid::setCell(int column, int row, const QString& text)
{
    if (!contains(column, row))
        throw UserError("Grid index out of range");
    m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)] = text;
}

void TextGrid::setCurrentRow(int row)
{
    if (row < m_fixedRows || row >= m_rows)
        throw UserError("Grid index out of range");
    m_currentRow = row;
}

void TextGrid::clearCells(int row, int firstColumn, int lastColumn)
{
    if (!contains(firstColumn, row) || !contains(lastColumn, row))
        throw UserError("Grid index out of range");
    for (int column = firstColumn; column <= lastColumn; ++column) {
        QString& text = m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
        if (!text.isEmpty())
            text.clear();
    }
}

void TextGrid::copyCells(int fromRow, int toRow, int firstColumn, int lastColumn)
{
    for (int column = firstColumn; column <= lastColumn; ++column)
        setCell(column, toRow, cell(column, fromRow));
}
