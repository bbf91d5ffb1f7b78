#include "core/platform/text_grid_model.h"

TextGridModel::TextGridModel(const TextGrid& grid, bool numberColumn, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_firstColumn(numberColumn ? 1 : 0)
{}

int TextGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.rowCount() - 1;
}

int TextGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.columnCount() - m_firstColumn;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::TextAlignmentRole) {
        const auto column = std::size_t(index.column());
        const Qt::Alignment alignment =
            column < m_alignments.size() ? m_alignments[column] : Qt::AlignLeft;
        return int(alignment | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return m_grid.cell(gridColumn(index.column()), gridRow(index.row()));
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? m_grid.cell(gridColumn(section), 0) : QVariant();
    if (section >= rowCount())
        return {};
    return m_firstColumn == 1 ? m_grid.cell(0, gridRow(section)) : QVariant();
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TextGridModel::refresh()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void TextGridModel::setAlignment(int viewColumn, Qt::Alignment alignment)
{
    if (viewColumn < 0)
        return;
    if (m_alignments.size() <= std::size_t(viewColumn))
        m_alignments.resize(std::size_t(viewColumn) + 1, Qt::AlignLeft);
    m_alignments[std::size_t(viewColumn)] = alignment;
}
