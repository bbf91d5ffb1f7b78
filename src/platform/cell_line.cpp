#include "platform/cell_line.h"

#include "platform/conversions.h"

QString formatCellLine(const CellLine& cell)
{
    return QString::number(cell.column) + u' ' + QString::number(cell.row) + u' ' + cell.text;
}

CellLine parseCellLine(const QString& line)
{
    const qsizetype first = line.indexOf(u' ');
    const QString columnField = first < 0 ? line : line.left(first);
    const QString rest = first < 0 ? QString() : line.mid(first + 1);
    const qsizetype second = rest.indexOf(u' ');
    const QString rowField = second < 0 ? rest : rest.left(second);

    CellLine cell;
    cell.column = parseInteger(columnField);
    cell.row = parseInteger(rowField);
    cell.text = second < 0 ? QString() : rest.mid(second + 1);
    return cell;
}
