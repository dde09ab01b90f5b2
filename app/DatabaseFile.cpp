#include "DatabaseFile.h"

#include "AppError.h"
#include "CodeLists.h"
#include "Statement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <sqlite3.h>

namespace DatabaseFile {

QString programPassword()
{
    return QStringLiteral("04826173905-317");
}

QString livePath()
{
    return QStringLiteral("data/cljdgldb.mdb");
}

QString exportPath()
{
    return QStringLiteral("databak/cljdgldb.mdb");
}

QString passwordVerifier(const QString &salt, const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((salt + QLatin1Char(':') + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool checkPassword(sqlite3 *db, const QString &password)
{
    Statement st(db, QStringLiteral("select (select value from cjt_meta where key='password_salt'),"
                                    " (select value from cjt_meta where key='password_sha256')"));
    if (!st.step())
        return false;
    return !st.isNull(1) && passwordVerifier(st.text(0), password) == st.text(1);
}

namespace {

QString schemaSql()
{
    QFile f(QStringLiteral(":/app/schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("程序缺少数据库结构定义（schema.sql）。"));
    return QString::fromUtf8(f.readAll());
}

struct Handle
{
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
};

} // namespace

void create(const QString &path, const QString &password)
{
    if (QFileInfo::exists(path))
        throw AppError(QStringLiteral("数据库文件已存在，没有做任何改动：") + path);
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        throw AppError(QStringLiteral("无法建立文件夹：") + info.absolutePath());
    const QString temp = path + QStringLiteral(".creating");
    QFile::remove(temp);
    const QVector<CodeLists::List> lists = CodeLists::shipped();
    {
        Handle h;
        if (sqlite3_open_v2(QFile::encodeName(temp).constData(), &h.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            throw AppError(engineErrorText(h.db, QStringLiteral("无法建立数据库文件：") + path));
        try {
            execSql(h.db, QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA application_id=%1; PRAGMA user_version=%2")
                              .arg(ApplicationId)
                              .arg(SchemaVersion));
            Transaction tx(h.db);
            execSql(h.db, schemaSql());
            const QString salt = QUuid::createUuid().toString(QUuid::Id128);
            Statement meta(h.db, QStringLiteral("insert into cjt_meta (key, value) values (?, ?)"));
            const QList<QPair<QString, QString>> facts = {
                {QStringLiteral("schema_version"), QString::number(SchemaVersion)},
                {QStringLiteral("password_salt"), salt},
                {QStringLiteral("password_sha256"), passwordVerifier(salt, password)},
            };
            for (const auto &[key, value] : facts) {
                meta.bind(1, key);
                meta.bind(2, value);
                meta.step();
                meta.reset();
            }
            CodeLists::writeToDatabase(h.db, lists);
            tx.commit();
        } catch (...) {
            sqlite3_close_v2(h.db);
            h.db = nullptr;
            QFile::remove(temp);
            throw;
        }
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        throw AppError(QStringLiteral("无法建立数据库文件：") + path);
    }
}

} // namespace DatabaseFile
