#pragma once

#include <QStringList>
#include <QTableWidget>

// A read-only table whose rows each start with a tick box: the lines of a
// statement to import, the entries to reconcile. Whole rows select; the
// texts cannot be edited; a row whose box cannot be ticked shows it greyed.
class TickTable : public QTableWidget
{
    Q_OBJECT

public:
    // The first column holds the boxes and has an empty header.
    TickTable(const char* name, const QStringList& headers, QWidget* parent);

    // Appends a row; `rightAligned` columns (amounts) are set right.
    void addRow(bool ticked, bool tickable, const QStringList& texts,
                std::initializer_list<int> rightAligned = {});
    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    void clearRows();

signals:
    // A box was ticked or unticked, by the user or by setTicked.
    void tickChanged(int row, bool ticked);
};
