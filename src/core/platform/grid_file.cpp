#include "core/platform/grid_file.h"

#include "core/platform/cell_line.h"
#include "core/platform/conversions.h"

#include <QFile>

#include <cstdint>

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

// Reads the plain digits at `p` and moves past them; true when there are 1
// to 9 of them. A character other than a digit must follow before the text
// ends: the loader sees to that.
bool plainNumber(const char16_t*& p, int& value)
{
    const char16_t* const start = p;
    unsigned number = 0;
    for (unsigned digit; (digit = unsigned(*p) - u'0') <= 9; ++p)
        number = number * 10 + digit;
    value = int(number);
    return p > start && p - start <= 9;
}

// Reads the cell line at `p`, which a line break follows before `end`, and
// finds where it ends. A line of the usual shape, 1 to 9 plain digits, one
// blank, 1 to 9 plain digits, then a blank and the text or the line's end,
// is read here on the way; any other line goes to parseCellLineView, which
// knows every other case and its message.
CellLineView cellLineAt(const char16_t* p, const char16_t* end, const char16_t*& lineEnd)
{
    CellLineView cell;
    const char16_t* q = p;
    if (plainNumber(q, cell.column) && *q == u' ' && plainNumber(++q, cell.row)) {
        if (*q == u'\r' || *q == u'\n') {
            lineEnd = q;
            return cell;
        }
        if (*q == u' ') {
            lineEnd = DataFile::findLineBreak(q + 1, end);
            cell.text = QStringView(q + 1, lineEnd);
            return cell;
        }
    }
    lineEnd = DataFile::findLineBreak(p, end);
    return parseCellLineView(QStringView(p, lineEnd));
}

} // namespace

void loadCellLines(const QString& name, const QString& text, DataFile::LineReader& reader,
                   TextGrid& grid, const CellBlock& block, const CellCheck& check)
{
    qsizetype number = reader.lineNumber();
    const QStringView rest = reader.takeRest();
    const char16_t* p = rest.utf16();
    const char16_t* const end = p + rest.size();
    // The cells stay pieces of `text` when the reader walks it, as it does
    // for every file the program reads.
    const auto* const base = reinterpret_cast<const char16_t*>(text.constData());
    const bool inside = !rest.isEmpty() && p >= base && end <= base + text.size();
    TextGrid::PieceWriter pieces(grid, inside ? text : QString());
    // Every line that starts before the last break ends in a break, so the
    // quick path reads its numbers up to the first other character without
    // watching for `end`. A last line without a break goes to the full parser.
    const char16_t* broken = end;
    while (broken > p && broken[-1] != u'\r' && broken[-1] != u'\n')
        --broken;
    // The block's first row and column and how many of each: one unsigned
    // compare then tests both ends, and an empty block holds nothing.
    const unsigned firstRow = unsigned(block.firstRow);
    const unsigned firstColumn = unsigned(block.firstColumn);
    const auto span = [](int first, int last) {
        return last < first ? std::uint64_t(0) : std::uint64_t(std::int64_t(last) - first + 1);
    };
    const std::uint64_t rows = span(block.firstRow, block.lastRow);
    const std::uint64_t columns = span(block.firstColumn, block.lastColumn);
    while (p < end) {
        ++number;
        const char16_t* lineEnd = nullptr;
        CellLineView cell;
        if (p < broken) {
            cell = cellLineAt(p, end, lineEnd);
        } else {
            lineEnd = end;
            cell = parseCellLineView(QStringView(p, end));
        }
        if (unsigned(cell.row) - firstRow >= rows || unsigned(cell.column) - firstColumn >= columns)
            throw UserError(QStringLiteral("Line %1 of %2 lies outside the table.")
                                .arg(number)
                                .arg(name)
                                .toStdString());
        if (cell.column < 32 && (check.columns >> cell.column & 1u) != 0 && !cell.text.isEmpty())
            check.check(cell.column, cell.row, cell.text, number);
        pieces.set(cell.column, cell.row, cell.text);
        p = DataFile::pastLineBreak(lineEnd, end);
    }
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
    DataFile::writeBytes(copy, bytes);
    return QStringLiteral("%1 could not be read completely; its original content was kept as %2.")
        .arg(name, copy)
        .toStdString();
}
