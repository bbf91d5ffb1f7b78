#include "ui/kit/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPaintEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A grid that loses and regains the focus, or whose window is deactivated and
// activated again, repaints only what the focus changes, and its window then
// shows exactly what a full repaint shows.

namespace {

// Keeps the rectangles of a widget's paint events.
class PaintLog : public QObject
{
public:
    std::vector<QRect> rects;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
};

class GridFocus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_model.setColumnCount(3);
        for (int row = 0; row < 20; ++row)
            m_model.appendRow({new QStandardItem(QStringLiteral("11/%1/26").arg(row + 1)),
                               new QStandardItem(QStringLiteral("Entry %1").arg(row + 1)),
                               new QStandardItem(QStringLiteral("%1.00").arg(row * 7))});
        m_window.setObjectName(QStringLiteral("GridWindow"));
        m_window.resize(320, 240);
        m_grid = makeGridView(&m_window, "Grid", &m_model);
        m_grid->setGeometry(10, 10, 300, 180);
        m_button = new QPushButton(QStringLiteral("OK"), &m_window);
        m_button->setGeometry(10, 200, 80, 30);
        m_other.resize(100, 100);
        m_other.move(400, 0);
        m_other.show();
        m_window.show();
        activate(m_window);
        m_grid->setFocus(Qt::MouseFocusReason);
        m_grid->setCurrentIndex(m_model.index(2, 1));
        settle();
        m_grid->viewport()->installEventFilter(&m_paints);
    }

    static void activate(QWidget& window)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        settle();
    }

    static void settle()
    {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }

    // What the window shows now, from its backing store.
    QImage shown() { return m_window.screen()->grabWindow(m_window.winId()).toImage(); }

    QImage shownAfterFullRepaint()
    {
        m_window.repaint();
        return shown();
    }

    bool showsWhatAFullRepaintShows()
    {
        const QImage before = shown();
        return before == shownAfterFullRepaint();
    }

    bool paintedWhole() const
    {
        const QSize whole = m_grid->viewport()->size();
        for (const QRect& rect : m_paints.rects)
            if (rect.height() > whole.height() / 2)
                return true;
        return false;
    }

    QStandardItemModel m_model;
    QWidget m_window;
    QWidget m_other;
    QTableView* m_grid = nullptr;
    QPushButton* m_button = nullptr;
    PaintLog m_paints;
};

// The ways the focus leaves the grid and comes back.
enum class Move
{
    OtherWindow, // another window is activated, then the grid's again
    Click,       // a button of the same window takes the focus, then the grid
    Tab          // Tab moves the focus to the button, Shift+Tab back
};

class GridFocusMoves : public GridFocus, public ::testing::WithParamInterface<Move>
{
protected:
    void leave()
    {
        switch (GetParam()) {
        case Move::OtherWindow:
            activate(m_other);
            break;
        case Move::Click:
            m_button->setFocus(Qt::MouseFocusReason);
            break;
        case Move::Tab:
            QTest::keyClick(&m_window, Qt::Key_Tab);
            break;
        }
        settle();
    }

    void comeBack()
    {
        switch (GetParam()) {
        case Move::OtherWindow:
            activate(m_window);
            break;
        case Move::Click:
            m_grid->setFocus(Qt::MouseFocusReason);
            break;
        case Move::Tab:
            QTest::keyClick(&m_window, Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        }
        settle();
    }
};

TEST_P(GridFocusMoves, RepaintOnlyTheCurrentCell)
{
    leave();
    EXPECT_FALSE(m_grid->hasFocus());
    comeBack();
    EXPECT_TRUE(m_grid->hasFocus());
    EXPECT_FALSE(paintedWhole());
    for (const QRect& rect : m_paints.rects)
        EXPECT_TRUE(m_grid->visualRect(m_grid->currentIndex()).contains(rect)) << rect.y();
}

TEST_P(GridFocusMoves, LeaveTheWindowShowingWhatAFullRepaintShows)
{
    // The focus frame is drawn once a key has moved the focus.
    m_window.setAttribute(Qt::WA_KeyboardFocusChange);
    m_window.repaint();
    const QImage withFrame = shown();

    leave();
    const QImage without = shown();
    EXPECT_NE(without, withFrame) << "the focus frame left with the focus";
    EXPECT_EQ(without, shownAfterFullRepaint());

    comeBack();
    const QImage again = shown();
    EXPECT_EQ(again, withFrame);
    EXPECT_EQ(again, shownAfterFullRepaint());
}

INSTANTIATE_TEST_SUITE_P(Each, GridFocusMoves,
                         ::testing::Values(Move::OtherWindow, Move::Click, Move::Tab),
                         [](const ::testing::TestParamInfo<Move>& info) {
                             switch (info.param) {
                             case Move::OtherWindow:
                                 return "OtherWindow";
                             case Move::Click:
                                 return "Click";
                             case Move::Tab:
                                 return "Tab";
                             }
                             return "Unknown";
                         });

TEST_F(GridFocus, APaletteWithOtherInactiveColoursRepaintsTheWholeGrid)
{
    QPalette colours = m_grid->palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::darkGray);
    m_grid->setPalette(colours);
    settle();
    m_paints.rects.clear();

    activate(m_other);
    EXPECT_TRUE(paintedWhole());
    EXPECT_TRUE(showsWhatAFullRepaintShows());
}

// The program's refresh: the model's texts change without a word, then the
// model says that every cell may have changed.
class GridRefresh : public GridFocus
{
protected:
    void setQuietly(int row, int column, const QString& text)
    {
        const QSignalBlocker quiet(m_model);
        m_model.item(row, column)->setText(text);
    }

    void refresh()
    {
        m_paints.rects.clear();
        emit m_model.dataChanged(m_model.index(0, 0),
                                 m_model.index(m_model.rowCount() - 1, m_model.columnCount() - 1),
                                 {Qt::DisplayRole});
        settle();
    }
};

TEST_F(GridRefresh, NothingChangedRepaintsNothing)
{
    refresh();
    EXPECT_TRUE(m_paints.rects.empty());
}

TEST_F(GridRefresh, AColumnOfNoWidthDoesNotMakeEveryRefreshRepaintTheGrid)
{
    // Rows that come into sight while the column has no width.
    m_grid->setColumnWidth(0, 0);
    m_grid->scrollToBottom();
    settle();
    refresh();
    EXPECT_TRUE(m_paints.rects.empty());
    setQuietly(18, 0, QStringLiteral("12/31/26"));
    refresh();
    EXPECT_TRUE(m_paints.rects.empty()) << "the changed cell shows nothing";
    EXPECT_TRUE(showsWhatAFullRepaintShows());
}

TEST_F(GridRefresh, AChangedTextRepaintsOnlyItsCellAndShows)
{
    setQuietly(2, 2, QStringLiteral("99.99"));
    refresh();
    ASSERT_FALSE(m_paints.rects.empty());
    const QRect cell = m_grid->visualRect(m_model.index(2, 2));
    for (const QRect& rect : m_paints.rects)
        EXPECT_TRUE(cell.contains(rect)) << rect.x() << "," << rect.y();
    EXPECT_TRUE(showsWhatAFullRepaintShows());
}

TEST_F(GridRefresh, ATextPaintedBetweenTwoRefreshesIsComparedAsPainted)
{
    // Painted as "Changed" by a repaint of its own (a message box's event
    // loop, say), then back to its old text before the refresh.
    const QString old = m_model.item(1, 1)->text();
    setQuietly(1, 1, QStringLiteral("Changed"));
    m_grid->viewport()->repaint();
    setQuietly(1, 1, old);
    refresh();
    EXPECT_FALSE(m_paints.rects.empty());
    EXPECT_TRUE(showsWhatAFullRepaintShows());
}

TEST_F(GridRefresh, RowsChangedOutOfSightShowWhenScrolledTo)
{
    setQuietly(19, 1, QStringLiteral("Last row changed"));
    refresh();
    m_grid->scrollToBottom();
    settle();
    setQuietly(18, 1, QStringLiteral("Next to last changed"));
    refresh();
    EXPECT_FALSE(m_paints.rects.empty());
    EXPECT_TRUE(showsWhatAFullRepaintShows());
    m_grid->scrollToTop();
    settle();
    setQuietly(0, 2, QStringLiteral("1.23"));
    refresh();
    EXPECT_TRUE(showsWhatAFullRepaintShows());
}

TEST_F(GridRefresh, ARefreshOfOtherRolesRepaintsAsQtDoes)
{
    emit m_model.dataChanged(m_model.index(0, 0), m_model.index(19, 2), {Qt::ToolTipRole});
    m_paints.rects.clear();
    emit m_model.dataChanged(m_model.index(0, 0), m_model.index(19, 2));
    settle();
    EXPECT_TRUE(paintedWhole());
}

// A row header the layout gives a fixed width, as the ledger's: the grid
// shows what it shows with Qt's own row header, and asking the header for its
// size reads no row's number.
class CountingModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    mutable int rowNumbersRead = 0;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical)
            ++rowNumbersRead;
        return QStandardItemModel::headerData(section, orientation, role);
    }
};

class GridRowHeader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_model.setColumnCount(2);
        for (int row = 0; row < 1000; ++row)
            m_model.appendRow({new QStandardItem(QStringLiteral("11/%1/26").arg(row % 30 + 1)),
                               new QStandardItem(QStringLiteral("%1.00").arg(row * 7))});
        m_window.resize(500, 260);
        m_grid = makeGridView(&m_window, "Grid", &m_model);
        m_grid->setGeometry(0, 0, 240, 250);
        // The same grid with the row header Qt makes for a table.
        m_stock = makeGridView(&m_window, "Stock", &m_model);
        auto* header = new QHeaderView(Qt::Vertical);
        header->setSectionsClickable(true);
        header->setHighlightSections(true);
        m_stock->setVerticalHeader(header);
        m_stock->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_stock->verticalHeader()->setMinimumSectionSize(0);
        m_stock->setGeometry(250, 0, 240, 250);
        for (QTableView* grid : {m_grid, m_stock}) {
            // Neither draws the focus frame only one of them could have.
            grid->setFocusPolicy(Qt::NoFocus);
            setRowHeight(*grid, 19);
            grid->verticalHeader()->setFixedWidth(37);
        }
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // Both grids in a new font, with the same row selected.
    void change(int pixels, int row)
    {
        for (QTableView* grid : {m_grid, m_stock}) {
            QFont font = grid->font();
            font.setPixelSize(pixels);
            grid->setFont(font);
            grid->selectRow(row);
            grid->scrollTo(m_model.index(row, 0));
        }
        QCoreApplication::processEvents();
    }

    CountingModel m_model;
    QWidget m_window;
    QTableView* m_grid = nullptr;
    QTableView* m_stock = nullptr;
};

TEST_F(GridRowHeader, ShowsWhatQtsOwnRowHeaderShows)
{
    for (const auto& [pixels, row] : {std::pair{11, 0}, std::pair{15, 480}, std::pair{9, 999}}) {
        SCOPED_TRACE(pixels);
        change(pixels, row);
        EXPECT_EQ(m_grid->viewport()->geometry(), m_stock->viewport()->geometry());
        EXPECT_EQ(m_grid->verticalHeader()->geometry(), m_stock->verticalHeader()->geometry());
        const QImage ours = m_grid->grab().toImage();
        const QImage stock = m_stock->grab().toImage();
        EXPECT_TRUE(ours == stock);
    }
}

TEST_F(GridRowHeader, OfFixedWidthGivesItsSizeWithoutReadingRowNumbers)
{
    change(13, 0);
    m_model.rowNumbersRead = 0;
    const QSize hint = m_grid->verticalHeader()->sizeHint();
    EXPECT_EQ(m_model.rowNumbersRead, 0);
    EXPECT_EQ(hint.width(), 37);
}

TEST_F(GridRowHeader, OfFreeWidthGivesTheSizeQtWorksOut)
{
    for (QTableView* grid : {m_grid, m_stock}) {
        grid->verticalHeader()->setMinimumWidth(0);
        grid->verticalHeader()->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    change(13, 0);
    const QSize stock = m_stock->verticalHeader()->sizeHint();
    EXPECT_EQ(m_grid->verticalHeader()->sizeHint(), stock);
}

} // namespace
