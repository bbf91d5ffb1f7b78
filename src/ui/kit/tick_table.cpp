#include "ui/kit/tick_table.h"

#include <QHeaderView>

TickTable::TickTable(const char* name, const QStringList& headers, QWidget* parent)
    : QTableWidget(0, int(headers.size()) + 1, parent)
{
    setObjectName(QString::fromLatin1(name));
    setHorizontalHeaderLabels(QStringList{QString()} + headers);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    setColumnWidth(0, 24);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            emit tickChanged(item->row(), item->checkState() == Qt::Checked);
    });
}

void TickTable::addRow(bool ticked, bool tickable, const QStringList& texts,
                       std::initializer_list<int> rightAligned)
{
    const QSignalBlocker quiet(this);
    const int row = rowCount();
    insertRow(row);
    auto* box = new QTableWidgetItem;
    box->setFlags(tickable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                           : Qt::ItemIsSelectable);
    box->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    setItem(row, 0, box);
    for (int column = 0; column < texts.size(); ++column) {
        auto* cell = new QTableWidgetItem(texts[column]);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        for (int right : rightAligned)
            if (right == column)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, column + 1, cell);
    }
}

bool TickTable::isTicked(int row) const
{
    const QTableWidgetItem* box = item(row, 0);
    return box && box->checkState() == Qt::Checked;
}

void TickTable::setTicked(int row, bool ticked)
{
    if (QTableWidgetItem* box = item(row, 0))
        box->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TickTable::clearRows()
{
    const QSignalBlocker quiet(this);
    setRowCount(0);
}
