#pragma once

#include "core/platform/text_grid.h"

#include <QAbstractTableModel>

#include <vector>

// Shows a TextGrid in a view: row 0 of the grid gives the column headers and
// the view's rows are the grid's rows from 1. With `numberColumn` the grid's
// column 0 gives the row headers instead of a column of its own (the ledger's
// row numbers). View row r is grid row r + 1.
class TextGridModel : public QAbstractTableModel
{
public:
    TextGridModel(const TextGrid& grid, bool numberColumn, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const TextGrid& grid() const { return m_grid; }
    int gridColumn(int viewColumn) const { return viewColumn + m_firstColumn; }
    static int gridRow(int viewRow) { return viewRow + 1; }
    static int viewRow(int gridRow) { return gridRow - 1; }

    // The grid's texts changed: the view reads them again.
    void refresh();

    // How a view column's cells place their text: money to the right, so
    // that the points line up. Left unless set.
    void setAlignment(int viewColumn, Qt::Alignment alignment);

private:
    const TextGrid& m_grid;
    int m_firstColumn;
    std::vector<Qt::Alignment> m_alignments;
};
