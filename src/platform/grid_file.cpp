#include "platform/grid_file.h"

#include "platform/cell_line.h"

#include <QFile>

QStringList cellLines(const TextGrid& grid, int firstRow, int lastRow, int firstColumn,
                      int lastColumn)
{
    QStringList lines;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QString& text = grid.cell(column, row);
            if (!text.isEmpty())
                lines.append(formatCellLine({column, row, text}));
        }
    }
    return lines;
}

void loadCellLines(const QString& name, const QStringList& lines, qsizetype from, TextGrid& grid,
                   const CellBlock& block)
{
    for (qsizetype index = from; index < lines.size(); ++index) {
        const CellLine cell = parseCellLine(lines[index]);
        if (cell.row < block.firstRow || cell.row > block.lastRow ||
            cell.column < block.firstColumn || cell.column > block.lastColumn)
            throw UserError(QStringLiteral("Line %1 of %2 lies outside the table.")
                                .arg(index + 1)
                                .arg(name)
                                .toStdString());
        grid.setCell(cell.column, cell.row, cell.text);
    }
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
    DataFile::writeBytes(copy, bytes);
    return QStringLiteral("%1 could not be read completely; its original content was kept as %2.")
        .arg(name, copy)
        .toStdString();
}
