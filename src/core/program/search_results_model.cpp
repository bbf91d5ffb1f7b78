#include "core/program/search_results_model.h"

SearchResultsModel::SearchResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const SearchHit& hit = m_hits[std::size_t(index.row())];
    if (role == Qt::TextAlignmentRole) {
        const bool money = index.column() == Charge || index.column() == Payment;
        return QVariant::fromValue(Qt::AlignVCenter | (money ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Card:
        return hit.cardName;
    case Year:
        return hit.year;
    case Date:
        return hit.date;
    case Description:
        return hit.description;
    case Charge:
        return hit.charge;
    case Payment:
        return hit.payment;
    default:
        return {};
    }
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const headers[] = {"Card",        "Year",   "Date",
                                          "Description", "Charge", "Payment"};
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(headers[section]);
}

void SearchResultsModel::setHits(std::vector<SearchHit> hits)
{
    beginResetModel();
    m_hits = std::move(hits);
    endResetModel();
}
