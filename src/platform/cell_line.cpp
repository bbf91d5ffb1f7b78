#include "platform/cell_line.h"

#include "platform/conversions.h"

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

namespace {

// Reads the number field that starts at `from` and ends at the next blank or
// the end of the line, and moves `from` onto that blank. Plain digits are
// read on the way; any other field goes to parseInteger for its value or its
// message.
int numberField(QStringView line, qsizetype& from)
{
    const qsizetype start = from;
    int value = 0;
    bool plain = true;
    for (; from < line.size() && line[from] != u' '; ++from) {
        const char16_t c = line[from].unicode();
        plain = plain && c >= u'0' && c <= u'9' && from - start < 9;
        if (plain)
            value = value * 10 + (c - u'0');
    }
    if (plain && from > start)
        return value;
    return parseInteger(line.mid(start, from - start));
}

} // namespace

CellLineView parseCellLineView(QStringView line)
{
    CellLineView cell;
    qsizetype at = 0;
    cell.column = numberField(line, at);
    ++at;
    if (at > line.size())
        at = line.size();
    cell.row = numberField(line, at);
    if (at < line.size())
        cell.text = line.mid(at + 1);
    return cell;
}

CellLine parseCellLine(const QString& line)
{
    const CellLineView view = parseCellLineView(line);
    return {view.column, view.row, view.text.toString()};
}
