#pragma once

#include "core/program/search.h"

#include <QAbstractTableModel>

// Shows the entries a search found in a view, one row each: card, year,
// date, description, charge and payment, as the register shows its columns.
// Holds the hits; the window hands it each new search's.
class SearchResultsModel : public QAbstractTableModel
{
public:
    enum Column
    {
        Card,
        Year,
        Date,
        Description,
        Charge,
        Payment,
        ColumnCount
    };

    explicit SearchResultsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHits(std::vector<SearchHit> hits);
    const std::vector<SearchHit>& hits() const { return m_hits; }

private:
    std::vector<SearchHit> m_hits;
};
