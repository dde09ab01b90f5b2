#pragma once

#include <QObject>
#include <QString>

class Connection;

// A statement without result (acmd1).
class Command : public QObject
{
    Q_OBJECT
public:
    explicit Command(Connection *connection, QObject *parent = nullptr) : QObject(parent), m_connection(connection) {}
    void setCommandText(const QString &sql) { m_sql = sql; }
    const QString &commandText() const { return m_sql; }
    void execute();

private:
    Connection *m_connection;
    QString m_sql;
};
