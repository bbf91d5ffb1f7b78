#include "ui/kit/grid_view.h"

#include "ui/kit/look.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

namespace {

// A grid that does not repaint itself whole when the focus or its window's
// activation changes. Qt repaints every cell shown (a 1000-entry ledger's
// visible rows, the card list's 24) when the window is activated or
// deactivated, and again whenever the keyboard focus leaves the grid or comes
// back: a click on a button, a dialog opening, the window's activation. A
// cell's pixels depend on these only through the current cell's focus frame
// and, where the palette's active and inactive colours differ, the
// selection's colour. So when the two colour groups are the same, only the
// current cell and the frame around the grid are repainted.
class GridView : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    bool viewportEvent(QEvent* event) override
    {
        // The viewport then handles the event as any widget does: it is
        // repainted only when its colours change with the activation.
        const bool activation =
            event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
        if (activation && sameColoursWhenInactive())
            return false;
        return QTableView::viewportEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override
    {
        // Without a current cell Qt's own handling chooses one.
        if (!sameColoursWhenInactive() || !currentIndex().isValid()) {
            QTableView::focusInEvent(event);
            return;
        }
        repaintFocusParts();
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        if (!sameColoursWhenInactive()) {
            QTableView::focusOutEvent(event);
            return;
        }
        repaintFocusParts();
    }

private:
    bool sameColoursWhenInactive() const
    {
        return palette().isEqual(QPalette::Active, QPalette::Inactive);
    }

    void repaintFocusParts()
    {
        viewport()->update(visualRect(currentIndex()));
        update(QRegion(rect()) - contentsRect());
    }
};

} // namespace

QTableView* makeGridView(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* grid = new GridView(parent);
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
