#include "Table.h"

#include "AppError.h"
#include "Connection.h"
#include "Statement.h"

#include <sqlite3.h>

Table::Table(Connection *connection, const QString &tableName, QObject *parent)
    : Dataset(connection, parent), m_tableName(tableName)
{
}

void Table::setMaster(Dataset *master)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    if (!master)
        return;
    connect(master, &Dataset::currentChanged, this, [this] {
        if (isActive())
            followMaster();
    });
    connect(master, &Dataset::fieldChanged, this, [this](int field) {
        if (isActive() && m_master->fieldName(field).compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            followMaster();
    });
}

namespace {

QVariant defaultValue(const QString &literal)
{
    if (literal.isEmpty() || literal.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return {};
    bool ok = false;
    const qint64 n = literal.toLongLong(&ok);
    if (ok)
        return n;
    if (literal.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return qint64(1);
    if (literal.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return qint64(0);
    if (literal.size() >= 2 && literal.startsWith(QLatin1Char('\'')) && literal.endsWith(QLatin1Char('\'')))
        return literal.mid(1, literal.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
    return {};
}

} // namespace

void Table::open()
{
    if (isActive())
        return;
    sqlite3 *db = connection()->handle();
    QStringList names;
    QVector<FieldKind> kinds;
    m_defaults.clear();
    {
        Statement info(db, QStringLiteral("select name, type, dflt_value from pragma_table_info(?)"));
        info.bind(1, m_tableName);
        while (info.step()) {
            names << info.text(0);
            kinds << fieldKindFromDeclType(info.text(1));
            m_defaults << defaultValue(info.text(2));
        }
    }
    if (names.isEmpty())
        throw AppError(QStringLiteral("数据库中没有表“") + m_tableName + QStringLiteral("”。"));
    setFields(names, kinds);
    if (m_orderColumn.isEmpty() && fieldIndex(QStringLiteral("ID")) >= 0)
        m_orderColumn = QStringLiteral("ID");
    m_orderField = m_orderColumn.isEmpty() ? -1 : fieldPosition(m_orderColumn);
    m_masterId = m_master ? m_master->text(QStringLiteral("ID")) : QString();
    m_stale = false;
    setState(DatasetState::Browse);
    resetPosition(fetchFirst());
}

void Table::close()
{
    m_stale = false;
    m_rowid = 0;
    m_row.clear();
    Dataset::close();
}

void Table::refresh()
{
    ensureCurrent();
    checkBrowseMode();
    if (!reloadCurrent())
        resetPosition(fetchFirst());
    else
        emit currentChanged();
}

void Table::followMaster()
{
    checkBrowseMode();
    m_stale = true;
    emit currentChanged();
}

void Table::ensureCurrent() const
{
    if (!m_stale || !isActive())
        return;
    auto *self = const_cast<Table *>(this);
    self->m_stale = false;
    self->m_masterId = m_master->text(QStringLiteral("ID"));
    const bool any = self->fetchFirst();
    setBounds(true, !any);
}

QString Table::filterClause(bool withAnd) const
{
    if (!m_master)
        return withAnd ? QStringLiteral("where ") : QString();
    return withAnd ? QStringLiteral("where ID=? and ") : QStringLiteral("where ID=? ");
}

namespace {

QString orderBy(const QString &orderColumn, bool descending)
{
    const QString dir = descending ? QStringLiteral(" desc") : QString();
    return orderColumn.isEmpty() ? QStringLiteral(" order by rowid") + dir
                                 : QStringLiteral(" order by ") + orderColumn + dir + QStringLiteral(", rowid") + dir;
}

} // namespace

bool Table::fetchRow(const QString &tail, const QVariantList &binds)
{
    Statement st(connection()->handle(), QStringLiteral("select rowid, * from ") + m_tableName + QLatin1Char(' ') + tail);
    int n = 1;
    if (m_master)
        st.bind(n++, m_masterId);
    for (const QVariant &b : binds)
        st.bind(n++, b);
    if (!st.step())
        return false;
    m_rowid = st.int64(0);
    m_row.resize(fieldCount());
    for (int i = 0; i < fieldCount(); ++i)
        m_row[i] = st.value(i + 1);
    return true;
}

bool Table::reloadCurrent()
{
    if (m_rowid == 0)
        return false;
    const qint64 rowid = m_rowid;
    if (fetchRow(filterClause(true) + QStringLiteral("rowid=?"), {rowid}))
        return true;
    m_rowid = 0;
    m_row.clear();
    return false;
}

QVariant Table::orderValue() const
{
    return m_orderField < 0 ? QVariant() : m_row.value(m_orderField);
}

bool Table::fetchFirst()
{
    if (fetchRow(filterClause(false) + orderBy(m_orderColumn, false) + QStringLiteral(" limit 1"), {}))
        return true;
    m_rowid = 0;
    m_row.clear();
    return false;
}

bool Table::fetchLast()
{
    if (fetchRow(filterClause(false) + orderBy(m_orderColumn, true) + QStringLiteral(" limit 1"), {}))
        return true;
    m_rowid = 0;
    m_row.clear();
    return false;
}

bool Table::fetchNext()
{
    if (m_rowid == 0)
        return false;
    const qint64 saved = m_rowid;
    const QVector<QVariant> savedRow = m_row;
    bool found;
    if (m_orderField < 0)
        found = fetchRow(filterClause(true) + QStringLiteral("rowid>?") + orderBy(QString(), false) + QStringLiteral(" limit 1"),
                         {m_rowid});
    else
        found = fetchRow(filterClause(true) + QStringLiteral("(") + m_orderColumn + QStringLiteral(",rowid)>(?,?)") +
                             orderBy(m_orderColumn, false) + QStringLiteral(" limit 1"),
                         {orderValue(), m_rowid});
    if (!found) {
        m_rowid = saved;
        m_row = savedRow;
    }
    return found;
}

bool Table::fetchPrior()
{
    if (m_rowid == 0)
        return false;
    const qint64 saved = m_rowid;
    const QVector<QVariant> savedRow = m_row;
    bool found;
    if (m_orderField < 0)
        found = fetchRow(filterClause(true) + QStringLiteral("rowid<?") + orderBy(QString(), true) + QStringLiteral(" limit 1"),
                         {m_rowid});
    else
        found = fetchRow(filterClause(true) + QStringLiteral("(") + m_orderColumn + QStringLiteral(",rowid)<(?,?)") +
                             orderBy(m_orderColumn, true) + QStringLiteral(" limit 1"),
                         {orderValue(), m_rowid});
    if (!found) {
        m_rowid = saved;
        m_row = savedRow;
    }
    return found;
}

bool Table::fetchAt(int recNo)
{
    if (recNo < 1)
        return false;
    const qint64 saved = m_rowid;
    const QVector<QVariant> savedRow = m_row;
    if (fetchRow(filterClause(false) + orderBy(m_orderColumn, false) + QStringLiteral(" limit 1 offset ?"),
                 {qint64(recNo - 1)}))
        return true;
    m_rowid = saved;
    m_row = savedRow;
    return false;
}

bool Table::fetchMatch(int field, const QVariant &value)
{
    const qint64 saved = m_rowid;
    const QVector<QVariant> savedRow = m_row;
    const QVariant v = storageValue(field, value);
    bool found;
    if (!v.isValid())
        found = fetchRow(filterClause(true) + fieldName(field) + QStringLiteral(" is null") +
                             orderBy(m_orderColumn, false) + QStringLiteral(" limit 1"),
                         {});
    else
        found = fetchRow(filterClause(true) + fieldName(field) + QStringLiteral("=? collate nocase") +
                             orderBy(m_orderColumn, false) + QStringLiteral(" limit 1"),
                         {v});
    if (!found) {
        m_rowid = saved;
        m_row = savedRow;
    }
    return found;
}

int Table::recordCount() const
{
    if (!isActive())
        return 0;
    ensureCurrent();
    Statement st(connection()->handle(), QStringLiteral("select count(*) from ") + m_tableName + QLatin1Char(' ') +
                                             filterClause(false));
    if (m_master)
        st.bind(1, m_masterId);
    return st.step() ? int(st.int64(0)) : 0;
}

int Table::recNo() const
{
    ensureCurrent();
    if (!isActive() || m_rowid == 0 || state() == DatasetState::Insert)
        return 0;
    QString sql = QStringLiteral("select count(*) from ") + m_tableName + QLatin1Char(' ') + filterClause(true);
    if (m_orderField < 0)
        sql += QStringLiteral("rowid<=?");
    else
        sql += QStringLiteral("(") + m_orderColumn + QStringLiteral(",rowid)<=(?,?)");
    Statement st(connection()->handle(), sql);
    int n = 1;
    if (m_master)
        st.bind(n++, m_masterId);
    if (m_orderField >= 0)
        st.bind(n++, orderValue());
    st.bind(n, m_rowid);
    return st.step() ? int(st.int64(0)) : 0;
}

void Table::edit()
{
    ensureCurrent();
    if (!isActive())
        throw AppError(QStringLiteral("表“") + m_tableName + QStringLiteral("”没有打开。"));
    if (isEditing())
        return;
    if (m_rowid == 0) {
        append();
        return;
    }
    m_buffer = m_row;
    m_modified = false;
    setState(DatasetState::Edit);
}

void Table::append()
{
    ensureCurrent();
    checkBrowseMode();
    m_rowidBeforeInsert = m_rowid;
    m_buffer = m_defaults;
    m_buffer.resize(fieldCount());
    if (m_master) {
        const int idField = fieldPosition(QStringLiteral("ID"));
        m_buffer[idField] = m_master->text(QStringLiteral("ID"));
    }
    m_modified = false;
    setState(DatasetState::Insert);
    emit currentChanged();
}

void Table::post()
{
    if (!isEditing())
        return;
    sqlite3 *db = connection()->handle();
    if (m_master) {
        // A linked row always belongs to the master's achievement.
        const int idField = fieldPosition(QStringLiteral("ID"));
        if (m_buffer[idField].toString().isEmpty())
            m_buffer[idField] = m_master->text(QStringLiteral("ID"));
    }
    if (state() == DatasetState::Insert) {
        QStringList columns, marks;
        QVariantList values;
        for (int i = 0; i < fieldCount(); ++i) {
            if (!m_buffer[i].isValid())
                continue;
            columns << fieldName(i);
            marks << QStringLiteral("?");
            values << m_buffer[i];
        }
        const QString sql = columns.isEmpty()
                                ? QStringLiteral("insert into ") + m_tableName + QStringLiteral(" default values")
                                : QStringLiteral("insert into ") + m_tableName + QStringLiteral(" (") +
                                      columns.join(QLatin1Char(',')) + QStringLiteral(") values (") +
                                      marks.join(QLatin1Char(',')) + QStringLiteral(")");
        Statement st(db, sql);
        for (int i = 0; i < values.size(); ++i)
            st.bind(i + 1, values[i]);
        st.step();
        m_rowid = sqlite3_last_insert_rowid(db);
    } else {
        QStringList sets;
        QVariantList values;
        for (int i = 0; i < fieldCount(); ++i) {
            const QVariant &a = m_buffer[i];
            const QVariant &b = m_row.value(i);
            if (a.isNull() == b.isNull() && a == b)
                continue;
            sets << fieldName(i) + QStringLiteral("=?");
            values << a;
        }
        if (!sets.isEmpty()) {
            Statement st(db, QStringLiteral("update ") + m_tableName + QStringLiteral(" set ") +
                                 sets.join(QLatin1Char(',')) + QStringLiteral(" where rowid=?"));
            int n = 1;
            for (const QVariant &v : values)
                st.bind(n++, v);
            st.bind(n, m_rowid);
            st.step();
        }
    }
    // Read the stored row back; one that no longer matches the master's ID drops out of view.
    m_buffer.clear();
    m_modified = false;
    if (!reloadCurrent())
        fetchFirst();
    setState(DatasetState::Browse);
    emit currentChanged();
}

void Table::cancel()
{
    if (!isEditing())
        return;
    const bool wasInsert = state() == DatasetState::Insert;
    m_buffer.clear();
    m_modified = false;
    if (wasInsert) {
        m_rowid = m_rowidBeforeInsert;
        if (!reloadCurrent())
            fetchFirst();
    }
    setState(DatasetState::Browse);
    emit currentChanged();
}

void Table::remove()
{
    ensureCurrent();
    if (state() == DatasetState::Insert) {
        cancel();
        return;
    }
    if (state() == DatasetState::Edit)
        cancel();
    if (m_rowid == 0)
        throw AppError(QStringLiteral("表“") + m_tableName + QStringLiteral("”中没有记录，不能删除。"));
    const qint64 doomed = m_rowid;
    {
        Statement st(connection()->handle(), QStringLiteral("delete from ") + m_tableName + QStringLiteral(" where rowid=?"));
        st.bind(1, doomed);
        st.step();
    }
    // Stand on the row after the deleted one, or the one before when it was the last.
    if (!fetchNext() && !fetchPrior()) {
        m_rowid = 0;
        m_row.clear();
    }
    emit currentChanged();
}
