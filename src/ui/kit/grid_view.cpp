#include "ui/kit/grid_view.h"

#include "ui/kit/look.h"

#include <QHeaderView>
#include <QTableView>

QTableView* makeGridView(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Only the free texts are cut, with "…"; every other text is given a
    // font in which it fits (see text_fit.h).
    grid->setTextElideMode(Qt::ElideNone);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Columns as narrow as the layout asks, down to the card list's
    // one-pixel column of intro-expiry dates.
    grid->horizontalHeader()->setMinimumSectionSize(0);
    grid->verticalHeader()->setMinimumSectionSize(0);
    setBackground(grid, Qt::white);
    return grid;
}

void setRowHeight(QTableView& grid, int height)
{
    grid.verticalHeader()->setMinimumSectionSize(0);
    grid.verticalHeader()->setDefaultSectionSize(height);
    grid.horizontalHeader()->setFixedHeight(height);
}
