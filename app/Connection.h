#pragma once

#include <QObject>
#include <QString>

struct sqlite3;

// The connection to one database file (ac1 of the data module, and the exchange's own connections).
// Opening checks, in this order, that the file exists, is an SQLite file, is one of ours, and that the
// password is right; each failure has its own message. A missing file is never created.
class Connection : public QObject
{
    Q_OBJECT
public:
    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    void setConnectionString(const QString &text);
    const QString &connectionString() const { return m_connectionString; }
    QString fileName() const;

    void open(); // throws AppError
    void close();
    bool isConnected() const { return m_db != nullptr; }

    // The handle for statements; throws the reason of the last failed open when not connected.
    sqlite3 *handle() const;
    void exec(const QString &sql);

signals:
    void aboutToClose();

private:
    QString m_connectionString;
    QString m_lastFailure;
    sqlite3 *m_db = nullptr;
};
