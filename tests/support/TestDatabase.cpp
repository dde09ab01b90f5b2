#include "TestDatabase.h"

#include "app/Connection.h"
#include "app/ConnectionString.h"
#include "app/DatabaseFile.h"
#include "app/Statement.h"

TestProgramFolder::TestProgramFolder()
{
    DatabaseFile::create(databasePath(), DatabaseFile::programPassword());
}

QString TestProgramFolder::databasePath() const
{
    return path() + DatabaseFile::livePath();
}

namespace {

void withConnection(const QString &path, const std::function<void(sqlite3 *)> &work)
{
    Connection c;
    c.setConnectionString(ConnectionString::forFile(path, DatabaseFile::programPassword()));
    c.open();
    work(c.handle());
}

} // namespace

void TestProgramFolder::exec(const QString &sql) const
{
    withConnection(databasePath(), [&](sqlite3 *db) { execSql(db, sql); });
}

QString TestProgramFolder::scalar(const QString &sql) const
{
    QString result;
    withConnection(databasePath(), [&](sqlite3 *db) {
        Statement st(db, sql);
        if (st.step())
            result = st.text(0);
    });
    return result;
}
