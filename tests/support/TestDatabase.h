#pragma once

#include <QString>
#include <QTemporaryDir>

struct sqlite3;

// A temporary program folder with a freshly created live database (data/cljdgldb.mdb).
class TestProgramFolder
{
public:
    TestProgramFolder();
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString databasePath() const;
    // Runs SQL on the database through a connection of its own.
    void exec(const QString &sql) const;
    QString scalar(const QString &sql) const;

private:
    QTemporaryDir m_dir;
};
