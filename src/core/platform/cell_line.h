#pragma once

#include "core/platform/data_file.h"

#include <QString>

// The line in which three data files keep one grid cell: column, one blank,
// row, one blank, then the cell text to the end of the line (it may hold
// blanks). "0 1 1. Visa Gold" is column 0, row 1, text "1. Visa Gold".
struct CellLine
{
    int column = 0;
    int row = 0;
    QString text;

    bool operator==(const CellLine&) const = default;
};

QString formatCellLine(const CellLine& cell);
// The same line added to a file being written.
void addCellLine(DataFile::LineWriter& file, int column, int row, QStringView text);

// Raises "'<field>' is not a valid integer value" when the column or the row
// is not a decimal integer. A line with no second blank has an empty text.
CellLine parseCellLine(const QString& line);

// The same, with the text left where it lies in `line`.
struct CellLineView
{
    int column = 0;
    int row = 0;
    QStringView text;
};
CellLineView parseCellLineView(QStringView line);
