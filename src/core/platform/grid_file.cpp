#include "core/platform/grid_file.h"

#include "core/platform/cell_line.h"
#include "core/platform/conversions.h"
#include "core/platform/fast_text.h"
#include "core/platform/file_history.h"

#include <QFile>

#include <functional>

namespace {

// Calls `visit(column, row, text)` for every non-empty cell of the block, row
// by row and within a row by ascending column: the order of the files.
template <typename Visit>
void forEachFilledCell(const TextGrid& grid, int firstRow, int lastRow, int firstColumn,
                       int lastColumn, Visit&& visit)
{
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QStringView text = grid.cellView(column, row);
            if (!text.isEmpty())
                visit(column, row, text);
        }
    }
}

} // namespace

QStringList cellLines(const TextGrid& grid, int firstRow, int lastRow, int firstColumn,
                      int lastColumn)
{
    QStringList lines;
    forEachFilledCell(grid, firstRow, lastRow, firstColumn, lastColumn,
                      [&](int column, int row, QStringView text) {
                          lines.append(formatCellLine({column, row, text.toString()}));
                      });
    return lines;
}

void addCellLines(DataFile::LineWriter& file, const TextGrid& grid, int firstRow, int lastRow,
                  int firstColumn, int lastColumn)
{
    forEachFilledCell(
        grid, firstRow, lastRow, firstColumn, lastColumn,
        [&](int column, int row, QStringView text) { addCellLine(file, column, row, text); });
}

void loadCellLines(const QString& name, const QString& text, DataFile::LineReader& reader,
                   TextGrid& grid, const CellBlock& block, const CellCheck& check)
{
    const qsizetype linesBefore = reader.lineNumber();
    const QStringView rest = reader.takeRest();
    // The cells stay pieces of `text` when the reader walks it, as it does
    // for every file the program reads.
    const QStringView whole(text);
    const bool inside = !rest.isEmpty() && std::less_equal<>()(whole.begin(), rest.begin()) &&
                        std::less_equal<>()(rest.end(), whole.end());
    TextGrid::PieceWriter pieces(grid, inside ? text : QString());
    FastText::forEachCellLine(rest, linesBefore, [&](const CellLineView& cell, qsizetype number) {
        if (cell.row < block.firstRow || cell.row > block.lastRow ||
            cell.column < block.firstColumn || cell.column > block.lastColumn)
            throw UserError(QStringLiteral("Line %1 of %2 lies outside the table.")
                                .arg(number)
                                .arg(name)
                                .toStdString());
        if (unsigned(cell.column) < 32 && (check.columns >> cell.column & 1u) != 0 &&
            !cell.text.isEmpty())
            check.check(cell.column, cell.row, cell.text, number);
        pieces.set(cell.column, cell.row, cell.text);
    });
}

std::string lineOfFile(qsizetype line, const QString& name)
{
    return QStringLiteral(" (line %1 of %2)").arg(line).arg(name).toStdString();
}

int readNumberLine(DataFile::LineReader& reader)
{
    QStringView line;
    reader.next(line);
    return parseInteger(line);
}

std::string keepDamagedCopy(const QString& name, const QByteArray& bytes)
{
    const QString copy = name + QStringLiteral(".damaged");
    if (QFile::exists(copy) && DataFile::readBytes(copy) != bytes) {
        int n = 1;
        while (QFile::exists(copy + u'.' + QString::number(n)))
            ++n;
        if (!QFile::rename(copy, copy + u'.' + QString::number(n)))
            throw UserError(QStringLiteral("Could not save \"%1\": it could not be moved aside")
                                .arg(copy)
                                .toStdString());
    }
    {
        // The copy keeps the user's bytes safe; no undo may take it away.
        const FileHistory::Upkeep upkeep;
        DataFile::writeBytes(copy, bytes);
    }
    return QStringLiteral("%1 could not be read completely; its original content was kept as %2.")
        .arg(name, copy)
        .toStdString();
}
