#pragma once

#include "Dataset.h"

#include <vector>

// A query from SQL text (aq1, aq2). Read-only. Opening reads every row once into a compact store
// (one byte buffer with an offset per cell), so a list of 20,000 achievements costs a few megabytes
// and values are turned into text only when someone reads them.
class Query : public Dataset
{
    Q_OBJECT
public:
    explicit Query(Connection *connection, QObject *parent = nullptr);

    void setSql(const QString &sql) { m_sql = sql; }
    const QString &sql() const { return m_sql; }

    void open() override;
    void close() override;

    int recordCount() const override { return isActive() ? m_rowCount : 0; }
    int recNo() const override { return isActive() && m_rowCount > 0 ? m_index + 1 : 0; }

    // Reading any row without moving (for grids that show many rows at once).
    QVariant valueAt(int row, int field) const;
    QString textAt(int row, int field) const;
    QString displayTextAt(int row, int field) const;

protected:
    bool fetchFirst() override;
    bool fetchLast() override;
    bool fetchNext() override;
    bool fetchPrior() override;
    bool fetchAt(int recNo) override;
    bool fetchMatch(int field, const QVariant &value) override;
    bool hasCurrentRow() const override { return m_rowCount > 0; }
    QVariant storedValue(int field) const override { return valueAt(m_index, field); }

private:
    enum CellType : quint8 { Null, Integer, Real, Text };

    QString m_sql;
    int m_rowCount = 0;
    int m_index = 0;
    QByteArray m_bytes;           // payloads of all cells, row by row
    std::vector<quint32> m_ends;  // end offset of each cell in m_bytes
    std::vector<quint8> m_types;  // CellType of each cell
};
