#include "platform/grid_file.h"

#include "platform/cell_line.h"
#include "platform/conversions.h"

#include <QFile>

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

namespace {

// Reads 1 to 9 plain digits at `p` and moves past them.
bool plainNumber(const char16_t*& p, const char16_t* end, int& value)
{
    const char16_t* const start = p;
    const char16_t* const stop = end - p > 9 ? p + 9 : end;
    int number = 0;
    for (; p < stop; ++p) {
        const unsigned digit = unsigned(*p) - u'0';
        if (digit > 9)
            break;
        number = number * 10 + int(digit);
    }
    value = number;
    return p > start;
}

} // namespace

void loadCellLines(const QString& name, const QString& text, DataFile::LineReader& reader,
                   TextGrid& grid, const CellBlock& block)
{
    // One pass over the characters. A line of the usual shape, two plain
    // numbers and the text, is read on the way; any other line goes to
    // parseCellLineView, which knows every other case and its message.
    qsizetype number = reader.lineNumber();
    const QStringView rest = reader.takeRest();
    const char16_t* p = rest.utf16();
    const char16_t* const end = p + rest.size();
    while (p < end) {
        ++number;
        CellLineView cell;
        const char16_t* lineEnd = nullptr;
        const char16_t* q = p;
        if (plainNumber(q, end, cell.column) && q < end && *q == u' ' &&
            plainNumber(++q, end, cell.row)) {
            if (q == end || *q == u'\r' || *q == u'\n') {
                lineEnd = q;
            } else if (*q == u' ') {
                lineEnd = DataFile::findLineBreak(q + 1, end);
                cell.text = QStringView(q + 1, lineEnd);
            }
        }
        if (lineEnd == nullptr) {
            lineEnd = DataFile::findLineBreak(p, end);
            cell = parseCellLineView(QStringView(p, lineEnd));
        }
        if (cell.row < block.firstRow || cell.row > block.lastRow ||
            cell.column < block.firstColumn || cell.column > block.lastColumn)
            throw UserError(QStringLiteral("Line %1 of %2 lies outside the table.")
                                .arg(number)
                                .arg(name)
                                .toStdString());
        grid.setCellPiece(cell.column, cell.row, text, cell.text);
        p = DataFile::pastLineBreak(lineEnd, end);
    }
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
    DataFile::writeBytes(copy, bytes);
    return QStringLiteral("%1 could not be read completely; its original content was kept as %2.")
        .arg(name, copy)
        .toStdString();
}
