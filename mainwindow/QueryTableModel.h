#pragma once

#include <QAbstractTableModel>

class Query;

// A read-only grid model over a query. It reads only the cells the view asks for, so a list of any
// length shows at once; it resets whenever the query is opened or closed.
class QueryTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit QueryTableModel(Query *query, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Query *m_query;
};
