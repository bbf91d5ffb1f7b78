#include "core/platform/text_grid.h"

#include "core/platform/user_error.h"

TextGrid::TextGrid(int columns, int rows, int fixedRows)
    : m_columns(columns), m_rows(rows), m_fixedRows(fixedRows), m_currentRow(fixedRows),
      m_cells(std::size_t(columns) * std::size_t(rows)),
      m_texts(std::size_t(columns) * std::size_t(rows))
{}

std::size_t TextGrid::at(int column, int row) const
{
    if (!contains(column, row))
        throw UserError("Grid index out of range");
    return indexOf(column, row);
}

void TextGrid::makeOwn(std::size_t index) const
{
    Cell& cell = m_cells[index];
    if (cell.from < 0)
        return;
    m_texts[index] = QStringView(m_source).mid(cell.from, cell.size).toString();
    cell.from = ownText;
    --m_pieces;
}

void TextGrid::assign(std::size_t to, std::size_t from)
{
    if (to == from)
        return;
    const Cell source = m_cells[from];
    if (source.from >= 0) {
        Cell& target = m_cells[to];
        if (target.from < 0) {
            if (target.from == ownText)
                m_texts[to].clear();
            ++m_pieces;
        }
        target = source;
        return;
    }
    clear(to);
    if (source.from == ownText) {
        m_texts[to] = m_texts[from];
        m_cells[to].from = ownText;
    }
}

const QString& TextGrid::cell(int column, int row) const
{
    const std::size_t index = at(column, row);
    makeOwn(index);
    return m_texts[index];
}

QStringView TextGrid::cellView(int column, int row) const
{
    const std::size_t index = at(column, row);
    const Cell& cell = m_cells[index];
    if (cell.from >= 0)
        return QStringView(m_source).mid(cell.from, cell.size);
    return m_texts[index];
}

void TextGrid::setCell(int column, int row, const QString& text)
{
    const std::size_t index = at(column, row);
    clear(index);
    if (!text.isEmpty()) {
        m_texts[index] = text;
        m_cells[index].from = ownText;
    }
}

void TextGrid::setCellLatin1(int column, int row, std::string_view text)
{
    const std::size_t index = at(column, row);
    if (text.empty() || m_cells[index].from >= 0)
        clear(index);
    if (text.empty())
        return;
    m_cells[index].from = ownText;
    QString& own = m_texts[index];
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

void TextGrid::setCellPiece(int column, int row, const QString& source, QStringView piece)
{
    const bool inside = !piece.isEmpty() && piece.data() >= source.constData() &&
                        piece.data() + piece.size() <= source.constData() + source.size();
    if (!inside) {
        setCell(column, row, piece.toString());
        return;
    }
    PieceWriter(*this, source).set(column, row, piece);
}

TextGrid::PieceWriter::PieceWriter(TextGrid& grid, const QString& source)
    : m_grid(grid), m_cells(grid.m_cells.data()), m_columns(unsigned(grid.m_columns)),
      m_rows(unsigned(grid.m_rows))
{
    if (source.isEmpty() || source.size() > maxSource)
        return;
    if (grid.m_source.constData() != source.constData() || grid.m_source.size() != source.size()) {
        // Pieces of an earlier text become texts of their own, so that one
        // shared source serves every piece.
        if (grid.m_pieces > 0) {
            for (std::size_t other = 0; other < grid.m_cells.size(); ++other)
                grid.makeOwn(other);
        }
        grid.m_source = source;
    }
    m_base = std::uintptr_t(grid.m_source.constData());
    m_size = std::size_t(source.size());
}

void TextGrid::PieceWriter::setSlowly(int column, int row, QStringView piece)
{
    // The table's own calls keep its count, so the writer's goes back first.
    m_grid.m_pieces += std::exchange(m_added, 0);
    if (piece.isEmpty())
        m_grid.clear(m_grid.at(column, row));
    else
        m_grid.setCell(column, row, piece.toString());
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
        for (int column = firstColumn; column <= lastColumn; ++column)
            clear(indexOf(column, row));
    }
}

void TextGrid::copyCells(int fromRow, int toRow, int firstColumn, int lastColumn)
{
    for (int column = firstColumn; column <= lastColumn; ++column)
        assign(at(column, toRow), at(column, fromRow));
}
