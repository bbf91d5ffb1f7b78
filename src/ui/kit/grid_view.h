#pragma once

class QAbstractItemModel;
class QTableView;
class QWidget;

// What the program's two grids share: whole rows are selected, nothing is
// edited, the columns keep the widths the layout gives them, the cells are
// white, a text cut short shows whole as a tooltip, a row header given a
// fixed width is not measured, and a refresh, a change of the focus or of the
// active window repaints only the cells whose texts or focus frame changed.
QTableView* makeGridView(QWidget* parent, const char* name, QAbstractItemModel* model);

// Rows, the header row with them, exactly `height` pixels high. A header
// would otherwise keep its rows as high as its font and margins ask, however
// low the layout sets them.
void setRowHeight(QTableView& grid, int height);
