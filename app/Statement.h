#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// A prepared SQLite statement that finalizes itself. Errors throw AppError with the SQLite message.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, const QVariant &value); // 1-based; an invalid or null QVariant binds NULL
    // Steps once: true while a row is there.
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString columnDeclType(int i) const;
    bool isNull(int i) const;
    qint64 int64(int i) const;
    QString text(int i) const;
    QVariant value(int i) const;
    sqlite3_stmt *handle() const { return m_stmt; }
    const QString &sql() const { return m_sql; }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
};

// Rolls back unless commit() was called.
class Transaction
{
public:
    explicit Transaction(sqlite3 *db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    sqlite3 *m_db;
    bool m_done = false;
};

// Runs one or more statements without result.
void execSql(sqlite3 *db, const QString &sql);
// The text of an engine error for the user: what failed, then SQLite's own message.
QString engineErrorText(sqlite3 *db, const QString &what);
