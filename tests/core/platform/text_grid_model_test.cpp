#include "core/platform/text_grid_model.h"
#include "support/program_fixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <memory>

// The grid model over the card list and the ledger, watched by Qt's model
// tester (which stops the test at the first broken rule of the item model
// contract) while the program loads, adds and deletes rows. After every step
// the windows' refresh announces the whole table as changed, and the model
// then shows exactly the grid's cells.
namespace {

class WatchedGrid
{
public:
    WatchedGrid(const TextGrid& grid, bool numberColumn)
        : m_model(grid, numberColumn),
          m_tester(&m_model, QAbstractItemModelTester::FailureReportingMode::Fatal),
          m_changes(&m_model, &QAbstractItemModel::dataChanged)
    {}

    // What a window does after each command: refresh, then read every cell.
    void refreshAndCompare(const char* step)
    {
        m_changes.clear();
        m_model.refresh();
        const TextGrid& grid = m_model.grid();
        const int firstColumn = m_model.gridColumn(0);
        ASSERT_EQ(m_model.rowCount(), grid.rowCount() - 1) << step;
        ASSERT_EQ(m_model.columnCount(), grid.columnCount() - firstColumn) << step;
        ASSERT_EQ(m_changes.size(), 1) << step;
        const QModelIndex from = m_changes.at(0).at(0).value<QModelIndex>();
        const QModelIndex to = m_changes.at(0).at(1).value<QModelIndex>();
        EXPECT_EQ(from, m_model.index(0, 0)) << step;
        EXPECT_EQ(to, m_model.index(m_model.rowCount() - 1, m_model.columnCount() - 1)) << step;
        for (int row = 0; row < m_model.rowCount(); ++row) {
            for (int column = 0; column < m_model.columnCount(); ++column) {
                ASSERT_EQ(m_model.data(m_model.index(row, column)).toString(),
                          grid.cell(column + firstColumn, row + 1))
                    << step << ": view row " << row << ", column " << column;
            }
            const QVariant rowHeader = m_model.headerData(row, Qt::Vertical);
            if (firstColumn == 1)
                ASSERT_EQ(rowHeader.toString(), grid.cell(0, row + 1)) << step << ": row " << row;
            else
                ASSERT_FALSE(rowHeader.isValid()) << step << ": row " << row;
        }
        for (int column = 0; column < m_model.columnCount(); ++column)
            EXPECT_EQ(m_model.headerData(column, Qt::Horizontal).toString(),
                      grid.cell(column + firstColumn, 0))
                << step << ": column " << column;
    }

    TextGridModel& model() { return m_model; }

private:
    TextGridModel m_model;
    QAbstractItemModelTester m_tester;
    QSignalSpy m_changes;
};

class GridModelThroughTheProgram : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        m_cards = std::make_unique<WatchedGrid>(p().sg1, false);
        m_ledger = std::make_unique<WatchedGrid>(p().ledger, true);
    }

    // The models look at the program's grids, so they go before the program.
    void TearDown() override
    {
        m_ledger.reset();
        m_cards.reset();
        ProgramTest::TearDown();
    }

    void refreshBoth(const char* step)
    {
        m_cards->refreshAndCompare(step);
        m_ledger->refreshAndCompare(step);
    }

    std::unique_ptr<WatchedGrid> m_cards;
    std::unique_ptr<WatchedGrid> m_ledger;
};

TEST_F(GridModelThroughTheProgram, KeepsTheModelContractWhileCardsAndEntriesComeAndGo)
{
    refreshBoth("empty folder");

    p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00"),
                              QStringLiteral("250.00")));
    p().tc.AddCard(sampleCard(QStringLiteral("Store"), QStringLiteral("300.00")));
    refreshBoth("two cards added");
    EXPECT_EQ(m_cards->model().data(m_cards->model().index(1, TCardList::Name)).toString(),
              QStringLiteral("2. Store"));

    clickCard(1);
    p().tc.OpenCard();
    refreshBoth("first card opened");
    addCharge(QStringLiteral("Groceries"), QStringLiteral("100.00"), true);
    addCharge(QStringLiteral("Fuel"), QStringLiteral("40.00"));
    addPayment(QStringLiteral("Payment"), QStringLiteral("50.00"));
    refreshBoth("three entries added");

    clickEntry(2);
    registerWindow().bb5Click();
    refreshBoth("an entry deleted");

    clickCard(2);
    p().tc.OpenCard();
    refreshBoth("second card loaded over the first");

    clickCard(2);
    mainWindow().B3Click();
    refreshBoth("second card deleted");
    EXPECT_EQ(p().cardList.cardCount(), 1);
    EXPECT_TRUE(
        m_cards->model().data(m_cards->model().index(1, TCardList::Name)).toString().isEmpty());
}

TEST_F(GridModelThroughTheProgram, KeepsTheContractOverTheOpeningBalanceTable)
{
    WatchedGrid balances(p().beginBalGrid, false);
    balances.refreshAndCompare("empty");
    p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00"),
                              QStringLiteral("250.00")));
    clickCard(1);
    p().tc.OpenCard();
    balances.refreshAndCompare("card opened");
}

TEST(GridModelIndexes, OutsideTheGridGiveNoDataAndNoFlags)
{
    TextGrid grid(3, 4, 1);
    grid.setCell(1, 1, QStringLiteral("a"));
    TextGridModel model(grid, true);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("a"));
    EXPECT_FALSE(model.index(3, 0).isValid());
    EXPECT_FALSE(model.index(0, 2).isValid());
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
    EXPECT_EQ(model.columnCount(model.index(0, 0)), 0);
    EXPECT_FALSE(model.headerData(3, Qt::Vertical).isValid());
    EXPECT_FALSE(model.headerData(2, Qt::Horizontal).isValid());
    EXPECT_FALSE(model.headerData(-1, Qt::Horizontal).isValid());
    EXPECT_EQ(model.flags(QModelIndex()), Qt::NoItemFlags);
}

} // namespace
