#include "core/platform/cell_line.h"

#include "core/platform/conversions.h"

QString formatCellLine(const CellLine& cell)
{
    return QString::number(cell.column) + u' ' + QString::number(cell.row) + u' ' + cell.text;
}

void addCellLine(DataFile::LineWriter& file, int column, int row, QStringView text)
{
    file.append(column);
    file.append(u" ");
    file.append(row);
    file.append(u" ");
    file.append(text);
    file.endLine();
}

CellLineView parseCellLineView(QStringView line)
{
    const qsizetype first = line.indexOf(u' ');
    const QStringView columnField = first < 0 ? line : line.left(first);
    const QStringView rest = first < 0 ? QStringView() : line.mid(first + 1);
    const qsizetype second = rest.indexOf(u' ');
    const QStringView rowField = second < 0 ? rest : rest.left(second);

    CellLineView cell;
    cell.column = parseInteger(columnField);
    cell.row = parseInteger(rowField);
    if (second >= 0)
        cell.text = rest.mid(second + 1);
    return cell;
}

CellLine parseCellLine(const QString& line)
{
    const CellLineView view = parseCellLineView(line);
    return {view.column, view.row, view.text.toString()};
}
