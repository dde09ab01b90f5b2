#pragma once

#include "Dataset.h"

// A table of the database (at_common, at_sqb, ..., attj).
//
// It never loads the whole table: it is a cursor over the rows in the order (order column, rowid),
// reading one row per move through the index, so the master over all of Common costs the same as a
// document table. Linked to a master, it shows only the rows whose ID equals the master's current ID
// and follows every move of the master; it reads its rows for the master's new row only when someone
// looks at them, so moving the master costs one query however many tables follow it. Without an order column (codeb), rows come in rowid order.
class Table : public Dataset
{
    Q_OBJECT
public:
    Table(Connection *connection, const QString &tableName, QObject *parent = nullptr);

    const QString &tableName() const { return m_tableName; }
    // The column the rows are ordered by before the order they were added in; "ID" when the table
    // has one.
    void setOrderColumn(const QString &column) { m_orderColumn = column; }
    // Follow a master by ID. Set before open.
    void setMaster(Dataset *master);
    Dataset *master() const { return m_master; }

    void open() override;
    void close() override;
    // Reads the rows again from the database (after another statement changed them).
    void refresh();

    int recordCount() const override;
    int recNo() const override;

    void edit() override;
    void append() override;
    void post() override;
    void cancel() override;
    void remove() override;

protected:
    bool fetchFirst() override;
    bool fetchLast() override;
    bool fetchNext() override;
    bool fetchPrior() override;
    bool fetchAt(int recNo) override;
    bool fetchMatch(int field, const QVariant &value) override;
    bool hasCurrentRow() const override { return m_rowid != 0; }
    QVariant storedValue(int field) const override { return m_row.value(field); }
    void ensureCurrent() const override;

private:
    void followMaster();
    QString filterClause(bool withAnd) const;
    // Runs "select rowid,* from T " + tail; on a row makes it current. The binds go after the filter's.
    bool fetchRow(const QString &tail, const QVariantList &binds);
    bool reloadCurrent();
    QVariant orderValue() const;

    QString m_tableName;
    QString m_orderColumn;
    int m_orderField = -1;
    Dataset *m_master = nullptr;
    QString m_masterId;
    QVector<QVariant> m_defaults;
    qint64 m_rowid = 0;
    QVector<QVariant> m_row;
    qint64 m_rowidBeforeInsert = 0;
    mutable bool m_stale = false; // the master moved and the rows were not read again yet
};
