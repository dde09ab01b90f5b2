#include "QueryTableModel.h"

#include "app/Query.h"

QueryTableModel::QueryTableModel(Query *query, QObject *parent) : QAbstractTableModel(parent), m_query(query)
{
    connect(query, &Dataset::stateChanged, this, [this](DatasetState state) {
        if (state == DatasetState::Browse || state == DatasetState::Inactive) {
            beginResetModel();
            endResetModel();
        }
    });
}

int QueryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_query->recordCount();
}

int QueryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query->isActive() ? 0 : m_query->fieldCount();
}

QVariant QueryTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_query->isActive())
        return {};
    if (role == Qt::DisplayRole)
        return m_query->displayTextAt(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const FieldKind kind = m_query->fieldKind(index.column());
        if (kind == FieldKind::Currency || kind == FieldKind::Integer)
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_query->fieldName(section);
    return section + 1;
}
