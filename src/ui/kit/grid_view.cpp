#include "ui/kit/grid_view.h"

#include "ui/kit/look.h"

#include <QAccessible>
#include <QEvent>
#include <QHeaderView>
#include <QPaintEvent>
#include <QTableView>

#include <algorithm>
#include <optional>
#include <vector>

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

    // The program's windows refresh after every action and tell their
    // grids that every cell may have changed; Qt then repaints every cell
    // shown. A grid keeps the texts of the cells as it last painted them and
    // repaints only the cells shown now with another text. Cells out of
    // sight are painted from the model when they come into it.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override
    {
        if (const std::optional<QRegion> changed = changedCells(topLeft, bottomRight, roles))
            viewport()->update(*changed);
        else
            QTableView::dataChanged(topLeft, bottomRight, roles);
    }

    void paintEvent(QPaintEvent* event) override
    {
        QTableView::paintEvent(event);
        keepPaintedTexts(event->region());
    }

private:
    // The rows shown, as far as the painted texts are kept for them.
    struct Shown
    {
        int first = -1;
        int rows = 0;
        int columns = 0;
        int modelRows = 0;
        bool operator==(const Shown&) const = default;
    };

    Shown shownNow() const
    {
        Shown shown;
        shown.modelRows = model()->rowCount();
        shown.columns = model()->columnCount();
        shown.first = rowAt(0);
        int last = rowAt(viewport()->height() - 1);
        if (last < 0)
            last = shown.modelRows - 1;
        shown.rows = shown.first < 0 ? 0 : last - shown.first + 1;
        return shown;
    }

    std::size_t slot(int row, int column) const
    {
        return std::size_t(row - m_shown.first) * std::size_t(m_shown.columns) +
               std::size_t(column);
    }

    void keepPaintedTexts(const QRegion& painted)
    {
        const Shown now = shownNow();
        if (now != m_shown) {
            m_shown = now;
            m_painted.assign(std::size_t(now.rows) * std::size_t(now.columns), std::nullopt);
        }
        for (int row = now.first; row < now.first + now.rows; ++row)
            for (int column = 0; column < now.columns; ++column) {
                // A column laid out to no width shows nothing and counts as painted.
                const QModelIndex index = model()->index(row, column);
                const QRect place = visualRect(index);
                if (place.isEmpty() || painted.intersects(place))
                    m_painted[slot(row, column)] = index.data().toString();
            }
    }

    // The places of the cells of the range that show now and were painted
    // with another text; none when the grid cannot tell: other roles, rows
    // shown that were not painted since they came into sight, or a screen
    // reader, which Qt tells of every change.
    std::optional<QRegion> changedCells(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                        const QList<int>& roles) const
    {
        const bool textsOnly = roles.size() == 1 && roles.front() == Qt::DisplayRole;
        if (!textsOnly || !topLeft.isValid() || QAccessible::isActive() || shownNow() != m_shown ||
            m_shown.first < 0)
            return std::nullopt;
        QRegion changed;
        const int first = std::max(topLeft.row(), m_shown.first);
        const int last = std::min(bottomRight.row(), m_shown.first + m_shown.rows - 1);
        for (int row = first; row <= last; ++row)
            for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
                const std::optional<QString>& painted = m_painted[slot(row, column)];
                const QModelIndex index = model()->index(row, column);
                if (!painted)
                    return std::nullopt;
                if (*painted != index.data().toString())
                    changed += visualRect(index);
            }
        return changed;
    }

    bool sameColoursWhenInactive() const
    {
        return palette().isEqual(QPalette::Active, QPalette::Inactive);
    }

    void repaintFocusParts()
    {
        viewport()->update(visualRect(currentIndex()));
        update(QRegion(rect()) - contentsRect());
    }

    Shown m_shown;
    std::vector<std::optional<QString>> m_painted;
};

// A row header that the layout gives a fixed width. Qt asks a header for its
// size hint after every change of font and whenever it shows, and a row
// header works it out by measuring the numbers of its first and last hundred
// rows, some 200 texts laid out for a 1000-entry ledger. A fixed width
// leaves that answer unused, so it is given without measuring.
class RowHeader : public QHeaderView
{
public:
    explicit RowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
    {
        // As the row header Qt makes for a table.
        setSectionsClickable(true);
        setHighlightSections(true);
    }

    QSize sizeHint() const override
    {
        if (minimumWidth() == maximumWidth())
            return {minimumWidth(), defaultSectionSize()};
        return QHeaderView::sizeHint();
    }
};

} // namespace

QTableView* makeGridView(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* grid = new GridView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setVerticalHeader(new RowHeader(grid));
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
