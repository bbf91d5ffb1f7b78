#pragma once

#include "core/platform/data_file.h"
#include "core/platform/fast_text.h"
#include "core/platform/text_grid.h"

#include <QStringList>

#include <functional>
#include <string>

// The grid files: leading lines of their own, then one cell line per
// non-empty cell, row by row and within a row by ascending column.

// The cell lines of rows firstRow..lastRow, columns firstColumn..lastColumn.
QStringList cellLines(const TextGrid& grid, int firstRow, int lastRow, int firstColumn,
                      int lastColumn);
// The same lines added to a file being written.
void addCellLines(DataFile::LineWriter& file, const TextGrid& grid, int firstRow, int lastRow,
                  int firstColumn, int lastColumn);

// Which cells a file may fill: the load never writes outside this block.
struct CellBlock
{
    int firstRow;
    int lastRow;
    int firstColumn;
    int lastColumn;
};

// Looks at the cells of some columns before they are stored: column, row,
// text and the number of its line in the file. It raises a UserError for a
// cell the file may not hold, and the load stops there. `columns` has bit c
// set for each column c to look at, so that a 1000-entry year calls it for
// its amounts only.
struct CellCheck
{
    unsigned columns = 0;
    std::function<void(int column, int row, QStringView text, qsizetype line)> check;
};

// Stores the lines `reader` has still to give as cells; they stay pieces of
// `text`, the text the reader walks (see TextGrid). A field that is not a
// number stops the load with the conversion message, a cell outside `block`
// with "Line N of NAME lies outside the table.", a cell `check` refuses with
// its message; cells read before stay.
void loadCellLines(const QString& name, const QString& text, DataFile::LineReader& reader,
                   TextGrid& grid, const CellBlock& block, const CellCheck& check = {});

// " (line N of NAME)": what a message about one cell of a file adds, so that
// the user can find the cell: "'12x.50' is not a valid floating point value
// (line 14 of 326.dat)".
std::string lineOfFile(qsizetype line, const QString& name);

// The number on the reader's next line, as a count or key at the top of a
// file: "'' is not a valid integer value" when the file has no more lines.
int readNumberLine(DataFile::LineReader& reader);

// Reads the data file `name` whole and hands its decoded text to `parse`. When
// the file holds a NUL byte ("Line N of NAME holds a NUL byte.") or parsing
// stops on a bad line, the file's original bytes are first kept as
// NAME.damaged, and the error gains the follow-up "NAME could not be read
// completely; its original content was kept as NAME.damaged."
// `buffer` is memory the decoded text may use again (TextGrid::takeSpareText).
template <typename Parse>
void readDataFile(const QString& name, Parse&& parse, QString buffer = QString());
// The same for a file that may be missing: false, with nothing parsed, when
// there is no such file.
template <typename Parse>
bool readDataFileIfAny(const QString& name, Parse&& parse, QString buffer = QString());

// Copies the file's bytes to NAME.damaged (an older copy of other bytes
// moves aside to NAME.damaged.1, .2, ...) and returns the follow-up text.
std::string keepDamagedCopy(const QString& name, const QByteArray& bytes);

#include "core/platform/user_error.h"

#include <utility>

template <typename Parse>
void parseDataBytes(const QString& name, const QByteArray& bytes, Parse&& parse, QString buffer)
{
    try {
        // A power cut can leave blocks of zeros in a file; no file the program
        // writes holds a NUL, so one anywhere means the file is damaged.
        if (const qsizetype nul = FastText::decodeInto(bytes, buffer); nul >= 0)
            throw UserError(QStringLiteral("Line %1 of %2 holds a NUL byte.")
                                .arg(DataFile::lineOfOffset(bytes, nul))
                                .arg(name)
                                .toStdString());
        parse(std::as_const(buffer));
    } catch (const UserError& error) {
        std::string followUp;
        try {
            followUp = keepDamagedCopy(name, bytes);
        } catch (const UserError& copyError) {
            followUp = copyError.what();
        }
        throw UserError(error.what(), followUp);
    }
}

template <typename Parse>
void readDataFile(const QString& name, Parse&& parse, QString buffer)
{
    parseDataBytes(name, DataFile::readBytes(name), parse, std::move(buffer));
}

template <typename Parse>
bool readDataFileIfAny(const QString& name, Parse&& parse, QString buffer)
{
    QByteArray bytes;
    if (!DataFile::readBytesIfFile(name, bytes))
        return false;
    parseDataBytes(name, bytes, parse, std::move(buffer));
    return true;
}
