#include "Statement.h"

#include "AppError.h"

#include <sqlite3.h>

QString engineErrorText(sqlite3 *db, const QString &what)
{
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    return engine.isEmpty() ? what : what + QStringLiteral("\n数据库引擎报告：") + engine;
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db), m_sql(sql)
{
    if (!db)
        throw AppError(QStringLiteral("数据库尚未连接，无法执行：") + sql);
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK) {
        const QString text = engineErrorText(db, QStringLiteral("SQL 语句有错，无法执行：") + sql);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw AppError(text);
    }
    if (!m_stmt)
        throw AppError(QStringLiteral("SQL 语句为空：") + sql);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QVariant &value)
{
    int rc;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw AppError(engineErrorText(m_db, QStringLiteral("无法给 SQL 语句设置参数：") + m_sql));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString text = engineErrorText(m_db, QStringLiteral("执行 SQL 语句时出错：") + m_sql);
    sqlite3_reset(m_stmt);
    throw AppError(text);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::columnDeclType(int i) const
{
    const char *t = sqlite3_column_decltype(m_stmt, i);
    return t ? QString::fromUtf8(t) : QString();
}

bool Statement::isNull(int i) const
{
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

qint64 Statement::int64(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}

QString Statement::text(int i) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, i)) : QString();
}

QVariant Statement::value(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_NULL:
        return {};
    default:
        return QVariant(text(i));
    }
}

Transaction::Transaction(sqlite3 *db) : m_db(db)
{
    execSql(db, QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    execSql(m_db, QStringLiteral("COMMIT"));
    m_done = true;
}

void execSql(sqlite3 *db, const QString &sql)
{
    if (!db)
        throw AppError(QStringLiteral("数据库尚未连接，无法执行：") + sql);
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = utf8.constData();
    const char *end = tail + utf8.size();
    while (tail < end) {
        sqlite3_stmt *stmt = nullptr;
        const char *next = nullptr;
        if (sqlite3_prepare_v2(db, tail, int(end - tail), &stmt, &next) != SQLITE_OK) {
            const QString text = engineErrorText(db, QStringLiteral("SQL 语句有错，无法执行：") + sql);
            sqlite3_finalize(stmt);
            throw AppError(text);
        }
        if (stmt) {
            int rc;
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE) {
                const QString text = engineErrorText(db, QStringLiteral("执行 SQL 语句时出错：") + sql);
                sqlite3_finalize(stmt);
                throw AppError(text);
            }
            sqlite3_finalize(stmt);
        }
        tail = next;
    }
}
