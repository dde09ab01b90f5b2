#include "Query.h"

#include "AppError.h"
#include "Connection.h"
#include "Statement.h"

#include <cstring>
#include <sqlite3.h>

Query::Query(Connection *connection, QObject *parent) : Dataset(connection, parent) {}

void Query::open()
{
    if (isActive())
        return;
    Statement st(connection()->handle(), m_sql);
    const int columns = st.columnCount();
    QStringList names;
    QVector<FieldKind> kinds;
    for (int i = 0; i < columns; ++i) {
        names << st.columnName(i);
        kinds << fieldKindFromDeclType(st.columnDeclType(i));
    }
    QByteArray bytes;
    std::vector<quint32> ends;
    std::vector<quint8> types;
    int rows = 0;
    sqlite3_stmt *h = st.handle();
    while (st.step()) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(h, c)) {
            case SQLITE_NULL:
                types.push_back(Null);
                break;
            case SQLITE_INTEGER: {
                const qint64 v = sqlite3_column_int64(h, c);
                bytes.append(reinterpret_cast<const char *>(&v), sizeof v);
                types.push_back(Integer);
                break;
            }
            case SQLITE_FLOAT: {
                const double v = sqlite3_column_double(h, c);
                bytes.append(reinterpret_cast<const char *>(&v), sizeof v);
                types.push_back(Real);
                break;
            }
            default: {
                const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(h, c));
                bytes.append(p, sqlite3_column_bytes(h, c));
                types.push_back(Text);
            }
            }
            ends.push_back(quint32(bytes.size()));
        }
        ++rows;
    }
    bytes.squeeze();
    ends.shrink_to_fit();
    types.shrink_to_fit();
    m_bytes = std::move(bytes);
    m_ends = std::move(ends);
    m_types = std::move(types);
    m_rowCount = rows;
    m_index = 0;
    setFields(names, kinds);
    setState(DatasetState::Browse);
    resetPosition(rows > 0);
}

void Query::close()
{
    m_bytes.clear();
    m_ends.clear();
    m_types.clear();
    m_rowCount = 0;
    m_index = 0;
    Dataset::close();
}

QVariant Query::valueAt(int row, int field) const
{
    if (row < 0 || row >= m_rowCount || field < 0 || field >= fieldCount())
        return {};
    const size_t k = size_t(row) * size_t(fieldCount()) + size_t(field);
    const quint32 begin = k == 0 ? 0 : m_ends[k - 1];
    const char *p = m_bytes.constData() + begin;
    switch (m_types[k]) {
    case Integer: {
        qint64 v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case Real: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case Text:
        return QString::fromUtf8(p, qsizetype(m_ends[k] - begin));
    default:
        return {};
    }
}

QString Query::textAt(int row, int field) const
{
    return plainText(fieldKind(field), valueAt(row, field));
}

QString Query::displayTextAt(int row, int field) const
{
    return shownText(fieldKind(field), valueAt(row, field));
}

bool Query::fetchFirst()
{
    m_index = 0;
    return m_rowCount > 0;
}

bool Query::fetchLast()
{
    m_index = m_rowCount > 0 ? m_rowCount - 1 : 0;
    return m_rowCount > 0;
}

bool Query::fetchNext()
{
    if (m_index + 1 >= m_rowCount)
        return false;
    ++m_index;
    return true;
}

bool Query::fetchPrior()
{
    if (m_index <= 0)
        return false;
    --m_index;
    return true;
}

bool Query::fetchAt(int recNo)
{
    if (recNo < 1 || recNo > m_rowCount)
        return false;
    m_index = recNo - 1;
    return true;
}

bool Query::fetchMatch(int field, const QVariant &value)
{
    const QString wanted = value.toString();
    for (int r = 0; r < m_rowCount; ++r) {
        if (textAt(r, field).compare(wanted, Qt::CaseInsensitive) == 0) {
            m_index = r;
            return true;
        }
    }
    return false;
}
