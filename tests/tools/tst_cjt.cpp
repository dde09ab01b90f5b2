// The command-line companion: creating the program folder's databases, and demonstration data.

#include "app/Connection.h"
#include "app/ConnectionString.h"
#include "app/DatabaseFile.h"
#include "app/Statement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

class TestCjt : public QObject
{
    Q_OBJECT
private slots:
    void initCreatesBothDatabasesAndFolders();
    void initRefusesExistingDatabase();
    void failuresSayWhyInOneLine_data();
    void failuresSayWhyInOneLine();
    void demoIsDeterministicAndComplete();
};

namespace {

struct Run
{
    int status;
    QString out, err;
};

Run cjt(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(CJT_EXECUTABLE), args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Every row of every achievement table, in a stable order.
QByteArray contentHash(const QString &path)
{
    Connection c;
    c.setConnectionString(ConnectionString::forFile(path, DatabaseFile::programPassword()));
    c.open();
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const char *table : {"Common", "sqb", "sqb_ren", "sqb_wcdw", "jdzs", "jdzs_ren", "jdzs_wcdw", "jdzs_jdwyhmd", "hsb",
                              "hsb_wcdw", "hsb_hszj", "wts"}) {
        Statement st(c.handle(), QStringLiteral("select * from %1 order by rowid").arg(QString::fromLatin1(table)));
        while (st.step())
            for (int i = 0; i < st.columnCount(); ++i)
                h.addData((st.text(i) + QLatin1Char('|')).toUtf8());
    }
    return h.result();
}

qint64 count(const QString &path, const QString &sql)
{
    Connection c;
    c.setConnectionString(ConnectionString::forFile(path, DatabaseFile::programPassword()));
    c.open();
    Statement st(c.handle(), sql);
    return st.step() ? st.int64(0) : -1;
}

} // namespace

void TestCjt::initCreatesBothDatabasesAndFolders()
{
    QTemporaryDir dir;
    const Run r = cjt({QStringLiteral("init"), QStringLiteral("--program-folder"), dir.path()});
    QCOMPARE(r.status, 0);
    for (const char *sub : {"data", "databak", "temp", "InOut"})
        QVERIFY(QFileInfo(dir.filePath(QString::fromLatin1(sub))).isDir());
    const QString live = dir.filePath(DatabaseFile::livePath());
    const QString exportDb = dir.filePath(DatabaseFile::exportPath());
    // Both open with the program's password and hold the same code lists.
    const QString codes = QStringLiteral("select count(*) || '/' || total(length(内容)) from codeb");
    Connection a, b;
    a.setConnectionString(ConnectionString::forFile(live, DatabaseFile::programPassword()));
    b.setConnectionString(ConnectionString::forFile(exportDb, DatabaseFile::programPassword()));
    a.open();
    b.open();
    Statement sa(a.handle(), codes), sb(b.handle(), codes);
    QVERIFY(sa.step() && sb.step());
    QCOMPARE(sa.text(0), sb.text(0));
    QVERIFY(!QFileInfo::exists(live + QStringLiteral(".creating")));
}

void TestCjt::initRefusesExistingDatabase()
{
    QTemporaryDir dir;
    QCOMPARE(cjt({QStringLiteral("init"), QStringLiteral("--program-folder"), dir.path()}).status, 0);
    const QString live = dir.filePath(DatabaseFile::livePath());
    QCOMPARE(cjt({QStringLiteral("demo"), QStringLiteral("--achievements"), QStringLiteral("3"),
                  QStringLiteral("--program-folder"), dir.path()})
                 .status,
             0);
    const QByteArray before = fileHash(live);
    const Run r = cjt({QStringLiteral("init"), QStringLiteral("--program-folder"), dir.path()});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("已存在")), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QCOMPARE(fileHash(live), before);

    // Only the export database there: still refused, and the live one is not made alone.
    QTemporaryDir other;
    QVERIFY(QDir().mkpath(other.filePath(QStringLiteral("databak"))));
    QFile::copy(dir.filePath(DatabaseFile::exportPath()), other.filePath(DatabaseFile::exportPath()));
    QCOMPARE(cjt({QStringLiteral("init"), QStringLiteral("--program-folder"), other.path()}).status, 1);
    QVERIFY(!QFileInfo::exists(other.filePath(DatabaseFile::livePath())));
}

void TestCjt::failuresSayWhyInOneLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");
    QTest::newRow("demo without database") << QStringList{QStringLiteral("demo"), QStringLiteral("--achievements"),
                                                          QStringLiteral("5")}
                                           << "数据库文件不存在";
    QTest::newRow("demo without count") << QStringList{QStringLiteral("demo")} << "--achievements";
    QTest::newRow("demo with bad years") << QStringList{QStringLiteral("demo"), QStringLiteral("--achievements"),
                                                        QStringLiteral("5"), QStringLiteral("--years"),
                                                        QStringLiteral("2026-2020")}
                                         << "终止年";
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << "未知的命令";
    QTest::newRow("unknown option") << QStringList{QStringLiteral("init"), QStringLiteral("--force"), QStringLiteral("1")}
                                    << "没有选项";
}

void TestCjt::failuresSayWhyInOneLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const Run r = cjt(args + QStringList{QStringLiteral("--program-folder"), dir.path()});
    QVERIFY(r.status != 0);
    QVERIFY2(r.err.contains(reason), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
}

void TestCjt::demoIsDeterministicAndComplete()
{
    QTemporaryDir a, b;
    for (const QTemporaryDir *d : {&a, &b}) {
        QCOMPARE(cjt({QStringLiteral("init"), QStringLiteral("--program-folder"), d->path()}).status, 0);
        const Run r = cjt({QStringLiteral("demo"), QStringLiteral("--achievements"), QStringLiteral("200"),
                           QStringLiteral("--years"), QStringLiteral("2024-2025"), QStringLiteral("--seed"),
                           QStringLiteral("7"), QStringLiteral("--program-folder"), d->path()});
        QCOMPARE(r.status, 0);
    }
    const QString live = a.filePath(DatabaseFile::livePath());
    QCOMPARE(contentHash(live), contentHash(b.filePath(DatabaseFile::livePath())));

    QCOMPARE(count(live, QStringLiteral("select count(*) from Common")), 200);
    QCOMPARE(count(live, QStringLiteral("select count(*) from Common where 年度='2024'")), 100);
    // Running numbers are 1..n in each year, and every document kind is there.
    QCOMPARE(count(live, QStringLiteral("select max(流水号) from Common where 年度='2025'")), 100);
    QCOMPARE(count(live, QStringLiteral("select count(distinct 流水号) from Common where 年度='2025'")), 100);
    for (const char *sql : {"select count(*) from Common where 是否删除=1", "select count(*) from Common where 是否鉴定=1",
                            "select count(*) from sqb_ren", "select count(*) from sqb_wcdw", "select count(*) from jdzs_ren",
                            "select count(*) from jdzs_wcdw", "select count(*) from jdzs_jdwyhmd",
                            "select count(*) from hsb_wcdw", "select count(*) from hsb_hszj", "select count(*) from wts",
                            "select count(*) from Common where ID not in (select ID from sqb)"})
        QVERIFY2(count(live, QString::fromUtf8(sql)) > 0, sql);
    // Appraised achievements have a certificate; entrusted appraisals have a letter.
    QCOMPARE(count(live, QStringLiteral("select count(*) from Common where 是否鉴定=1 and ID not in (select ID from jdzs)")), 0);
    QCOMPARE(count(live, QStringLiteral("select count(*) from sqb where 组织形式='2' and ID not in (select ID from wts)")), 0);
    QCOMPARE(count(live, QStringLiteral("select count(*) from sqb where 组织形式='1' and 主持鉴定编号 is null")), 0);

    // A second run continues the numbering.
    QCOMPARE(cjt({QStringLiteral("demo"), QStringLiteral("--achievements"), QStringLiteral("10"), QStringLiteral("--years"),
                  QStringLiteral("2025"), QStringLiteral("--program-folder"), a.path()})
                 .status,
             0);
    QCOMPARE(count(live, QStringLiteral("select count(distinct 流水号) from Common where 年度='2025'")), 110);
}

QTEST_GUILESS_MAIN(TestCjt)
#include "tst_cjt.moc"
