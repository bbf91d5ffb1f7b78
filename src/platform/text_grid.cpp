#include "platform/text_grid.h"

#include "platform/user_error.h"

TextGrid::TextGrid(int columns, int rows, int fixedRows)
    : m_columns(columns), m_rows(rows), m_fixedRows(fixedRows), m_currentRow(fixedRows),
      m_cells(std::size_t(columns) * std::size_t(rows))
{}

TextGrid::Cell& TextGrid::at(int column, int row) const
{
    if (!contains(column, row))
        throw UserError("Grid index out of range");
    return m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
}

void TextGrid::makeOwn(Cell& cell) const
{
    if (cell.from < 0)
        return;
    cell.text = QStringView(m_source).mid(cell.from, cell.size).toString();
    cell.from = -1;
    if (--m_pieces == 0)
        m_source = QString();
}

void TextGrid::assign(Cell& to, const Cell& from)
{
    if (&to == &from)
        return;
    if (from.from >= 0) {
        if (to.from < 0)
            ++m_pieces;
        if (!to.text.isEmpty())
            to.text.clear();
        to.from = from.from;
        to.size = from.size;
        return;
    }
    clear(to);
    to.text = from.text;
}

const QString& TextGrid::cell(int column, int row) const
{
    Cell& found = at(column, row);
    makeOwn(found);
    return found.text;
}

QStringView TextGrid::cellView(int column, int row) const
{
    const Cell& found = at(column, row);
    if (found.from >= 0)
        return QStringView(m_source).mid(found.from, found.size);
    return found.text;
}

void TextGrid::setCell(int column, int row, const QString& text)
{
    Cell& found = at(column, row);
    clear(found);
    found.text = text;
}

void TextGrid::setCellLatin1(int column, int row, std::string_view text)
{
    Cell& found = at(column, row);
    if (found.from >= 0)
        clear(found);
    QString& own = found.text;
    const auto size = qsizetype(text.size());
    if (!own.isDetached() || own.capacity() < size) {
        own = QString::fromLatin1(text.data(), size);
        return;
    }
    own.resize(size);
    QChar* out = own.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QLatin1Char(text[std::size_t(i)]);
}

void TextGrid::setCellPieceSlowly(int column, int row, const QString& source, QStringView piece)
{
    const qsizetype from = piece.data() - source.constData();
    const bool inside = from >= 0 && from + piece.size() <= source.size();
    if (!inside || piece.isEmpty() || source.size() > maxSource) {
        setCell(column, row, piece.toString());
        return;
    }
    Cell& found = at(column, row);
    if (found.from >= 0 || !found.text.isEmpty())
        clear(found);
    if (m_source.constData() != source.constData()) {
        // Pieces of an earlier text become texts of their own, so that one
        // shared source serves every piece.
        if (m_pieces > 0) {
            for (Cell& other : m_cells)
                makeOwn(other);
        }
        m_source = source;
    }
    found.from = std::int32_t(from);
    found.size = std::int32_t(piece.size());
    ++m_pieces;
}

void TextGrid::setCurrentRow(int row)
{
    if (row < m_fixedRows || row >= m_rows)
        throw UserError("Grid index out of range");
    m_currentRow = row;
}

void TextGrid::clearCells(int row, int firstColumn, int lastColumn)
{
    clearCells(row, row, firstColumn, lastColumn);
}

void TextGrid::clearCells(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (!contains(firstColumn, firstRow) || !contains(lastColumn, lastRow))
        throw UserError("Grid index out of range");
    for (int row = firstRow; row <= lastRow; ++row) {
        Cell* cells = &m_cells[std::size_t(row) * std::size_t(m_columns)];
        for (int column = firstColumn; column <= lastColumn; ++column)
            clear(cells[column]);
    }
}

void TextGrid::copyCells(int fromRow, int toRow, int firstColumn, int lastColumn)
{
    for (int column = firstColumn; column <= lastColumn; ++column)
        assign(at(column, toRow), at(column, fromRow));
}
