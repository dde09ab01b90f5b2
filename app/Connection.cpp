#include "Connection.h"

#include "AppError.h"
#include "ConnectionString.h"
#include "DatabaseFile.h"
#include "Statement.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

Connection::Connection(QObject *parent) : QObject(parent) {}

Connection::~Connection()
{
    close();
}

void Connection::setConnectionString(const QString &text)
{
    m_connectionString = text;
}

QString Connection::fileName() const
{
    return ConnectionString::parse(m_connectionString).dataSource;
}

namespace {

bool hasSqliteHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

void Connection::open()
{
    if (m_db)
        return;
    const ConnectionString cs = ConnectionString::parse(m_connectionString);
    const QString path = cs.dataSource;
    auto fail = [&](const QString &text) {
        m_lastFailure = text;
        throw AppError(text);
    };
    if (path.isEmpty())
        fail(QStringLiteral("连接字符串中没有指定数据库文件（Data Source）。"));
    if (!QFileInfo(path).isFile())
        fail(QStringLiteral("数据库文件不存在：") + path);
    if (!hasSqliteHeader(path))
        fail(QStringLiteral("文件不是有效的数据库文件，无法打开：") + path);

    sqlite3 *db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const QString text = engineErrorText(db, QStringLiteral("无法打开数据库文件：") + path);
        sqlite3_close(db);
        fail(text);
    }
    try {
        sqlite3_busy_timeout(db, 2000);
        qint64 id = 0;
        try {
            execSql(db, QStringLiteral("PRAGMA trusted_schema=OFF; PRAGMA foreign_keys=OFF"));
            Statement idQuery(db, QStringLiteral("PRAGMA application_id"));
            id = idQuery.step() ? idQuery.int64(0) : 0;
        } catch (const AppError &) {
            throw AppError(engineErrorText(db, QStringLiteral("文件已损坏或不是有效的数据库文件，无法打开：") + path));
        }
        if (id != DatabaseFile::ApplicationId)
            throw AppError(QStringLiteral("该文件不是成鉴通的数据库，无法打开：") + path);
        if (!DatabaseFile::checkPassword(db, cs.password))
            throw AppError(QStringLiteral("数据库密码错误，无法打开：") + path);
        execSql(db, QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL"));
    } catch (const AppError &e) {
        sqlite3_close(db);
        fail(e.message());
    }
    m_db = db;
    m_lastFailure.clear();
}

void Connection::close()
{
    if (!m_db)
        return;
    emit aboutToClose();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3 *Connection::handle() const
{
    if (!m_db)
        throw AppError(m_lastFailure.isEmpty() ? QStringLiteral("数据库尚未连接。") : m_lastFailure);
    return m_db;
}

void Connection::exec(const QString &sql)
{
    execSql(handle(), sql);
}
