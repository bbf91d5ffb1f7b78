#include "platform/cell_line.h"

#include "platform/conversions.h"

QString formatCellLine(const CellLine& cell)
{
    return QString::number(cell.column) + u' ' + QString::number(cell.row) + u' ' + cell.text;
}

CellLine parseCellLine(const QString& line)
{
    const QStringView view(line);
    const qsizetype first = view.indexOf(u' ');
    const QStringView columnField = first < 0 ? view : view.left(first);
    const QStringView rest = first < 0 ? QStringView() : view.mid(first + 1);
    const qsizetype second = rest.indexOf(u' ');
    const QStringView rowField = second < 0 ? rest : rest.left(second);

    CellLine cell;
    cell.column = parseInteger(columnField);
    cell.row = parseInteger(rowField);
    if (second >= 0)
        cell.text = rest.mid(second + 1).toString();
    return cell;
}
