// The engine: record states and their notifications, master-detail following, locating, values of
// every kind, quoting, and the reporting of engine errors.

#include "app/AppError.h"
#include "app/Connection.h"
#include "app/ConnectionString.h"
#include "app/DatabaseFile.h"
#include "app/Query.h"
#include "app/SqlText.h"
#include "app/Table.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>
#include <QtTest>

class TestEngine : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void statesAndNotifications();
    void movingPostsOrDropsPendingChange();
    void masterDetailFollowing();
    void appendTakesMastersId();
    void locateIgnoresCase();
    void namesIgnoreCase();
    void valuesOfEveryKind();
    void badValueNamesTheField();
    void quotedValuesRoundTripAndCannotAlterStatement_data();
    void quotedValuesRoundTripAndCannotAlterStatement();
    void deleteRepositions();
    void cancelledInsertLeavesNoRow();
    void queryNavigationAndReadOnly();
    void engineErrorsCarrySqliteText();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<Connection> m_c;
    void addAchievement(const QString &id, const QString &name);
};

void TestEngine::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    m_c = std::make_unique<Connection>();
    m_c->setConnectionString(ConnectionString::forFile(m_folder->databasePath(), DatabaseFile::programPassword()));
    m_c->open();
}

void TestEngine::cleanup()
{
    m_c.reset();
    m_folder.reset();
}

void TestEngine::addAchievement(const QString &id, const QString &name)
{
    m_c->exec(QStringLiteral("insert into Common (ID, 年度, 流水号, 成果名称) values (%1, '2026', 1, %2)")
                  .arg(SqlText::quoted(id), SqlText::quoted(name)));
}

void TestEngine::statesAndNotifications()
{
    Table t(m_c.get(), QStringLiteral("Common"));
    QList<DatasetState> states;
    connect(&t, &Dataset::stateChanged, this, [&](DatasetState s) { states << s; });
    t.open();
    QCOMPARE(t.state(), DatasetState::Browse);
    QVERIFY(t.isEmpty());

    // Edit on an empty table inserts.
    t.edit();
    QCOMPARE(t.state(), DatasetState::Insert);
    t.setValue(QStringLiteral("ID"), QStringLiteral("A1"));
    t.setValue(QStringLiteral("年度"), QStringLiteral("2026"));
    QVERIFY(t.isModified());
    t.post();
    QCOMPARE(t.state(), DatasetState::Browse);
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("A1"));
    QCOMPARE(t.boolean(QStringLiteral("是否删除")), false); // the column default

    t.edit();
    QCOMPARE(t.state(), DatasetState::Edit);
    t.setValue(QStringLiteral("成果名称"), QStringLiteral("新名称"));
    QCOMPARE(t.text(QStringLiteral("成果名称")), QStringLiteral("新名称")); // the pending value shows
    t.cancel();
    QCOMPARE(t.text(QStringLiteral("成果名称")), QString());

    QCOMPARE(states, (QList<DatasetState>{DatasetState::Browse, DatasetState::Insert, DatasetState::Browse,
                                          DatasetState::Edit, DatasetState::Browse}));
    QVERIFY_THROWS_EXCEPTION(AppError, t.setValue(QStringLiteral("成果名称"), QStringLiteral("x")));
}

void TestEngine::movingPostsOrDropsPendingChange()
{
    addAchievement(QStringLiteral("A"), QStringLiteral("甲"));
    addAchievement(QStringLiteral("B"), QStringLiteral("乙"));
    Table t(m_c.get(), QStringLiteral("Common"));
    t.open();
    t.edit();
    t.setValue(QStringLiteral("成果名称"), QStringLiteral("甲改"));
    t.next(); // posts
    QCOMPARE(t.state(), DatasetState::Browse);
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("B"));
    t.edit();
    t.prior(); // nothing changed: dropped
    QCOMPARE(t.text(QStringLiteral("成果名称")), QStringLiteral("甲改"));
    QCOMPARE(m_folder->scalar(QStringLiteral("select 成果名称 from Common where ID='A'")), QStringLiteral("甲改"));
}

void TestEngine::masterDetailFollowing()
{
    addAchievement(QStringLiteral("A"), QStringLiteral("甲"));
    addAchievement(QStringLiteral("B"), QStringLiteral("乙"));
    addAchievement(QStringLiteral("C"), QStringLiteral("丙")); // no application
    m_c->exec(QStringLiteral("insert into sqb (ID, 成果名称) values ('A', '甲'), ('B', '乙');"
                             "insert into sqb_wcdw (ID, 序号, 单位名称) values ('A', 3, 'a3'), ('B', 1, 'b1'),"
                             " ('A', 1, 'a1'), ('A', 2, 'a2')"));
    Table common(m_c.get(), QStringLiteral("Common"));
    Table sqb(m_c.get(), QStringLiteral("sqb"));
    Table units(m_c.get(), QStringLiteral("sqb_wcdw"));
    sqb.setMaster(&common);
    units.setMaster(&sqb);
    common.open();
    sqb.open();
    units.open();

    auto unitNames = [&] {
        QStringList names;
        for (units.first(); !units.eof(); units.next())
            names << units.text(QStringLiteral("单位名称"));
        return names;
    };
    QVERIFY(common.locate(QStringLiteral("ID"), QStringLiteral("A")));
    QCOMPARE(sqb.text(QStringLiteral("成果名称")), QStringLiteral("甲"));
    QCOMPARE(unitNames(), (QStringList{QStringLiteral("a3"), QStringLiteral("a1"), QStringLiteral("a2")})); // order added
    QCOMPARE(units.recordCount(), 3);

    common.next();
    QCOMPARE(common.text(QStringLiteral("ID")), QStringLiteral("B"));
    QCOMPARE(unitNames(), QStringList{QStringLiteral("b1")});

    common.next();
    QVERIFY(sqb.isEmpty());
    QVERIFY(units.isEmpty());
    QVERIFY(units.bof() && units.eof());
    QCOMPARE(units.recordCount(), 0);
    QCOMPARE(units.text(QStringLiteral("单位名称")), QString());
}

void TestEngine::appendTakesMastersId()
{
    addAchievement(QStringLiteral("A"), QStringLiteral("甲"));
    addAchievement(QStringLiteral("B"), QStringLiteral("乙"));
    Table common(m_c.get(), QStringLiteral("Common"));
    Table sqb(m_c.get(), QStringLiteral("sqb"));
    sqb.setMaster(&common);
    common.open();
    sqb.open();
    common.last();
    sqb.append();
    sqb.setValue(QStringLiteral("成果名称"), QStringLiteral("乙的申请表"));
    sqb.post();
    QCOMPARE(m_folder->scalar(QStringLiteral("select ID from sqb")), QStringLiteral("B"));
    common.first();
    QVERIFY(sqb.isEmpty());
    common.last();
    QCOMPARE(sqb.text(QStringLiteral("成果名称")), QStringLiteral("乙的申请表"));
}

void TestEngine::locateIgnoresCase()
{
    addAchievement(QStringLiteral("0A1B2C3D4E5F60718293A4B5C6D7E8F9"), QStringLiteral("Alpha 信息"));
    addAchievement(QStringLiteral("20261211093000123456789"), QStringLiteral("Beta")); // the fallback form
    Table t(m_c.get(), QStringLiteral("common"));
    t.open();
    QVERIFY(t.locate(QStringLiteral("id"), QStringLiteral("0a1b2c3d4e5f60718293a4b5c6d7e8f9")));
    QCOMPARE(t.text(QStringLiteral("成果名称")), QStringLiteral("Alpha 信息"));
    QVERIFY(t.locate(QStringLiteral("成果名称"), QStringLiteral("BETA")));
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("20261211093000123456789"));
    QVERIFY(!t.locate(QStringLiteral("ID"), QStringLiteral("missing")));
    QCOMPARE(t.text(QStringLiteral("成果名称")), QStringLiteral("Beta")); // stays where it was
    QCOMPARE(t.recNo(), 2);

    Query q(m_c.get());
    q.setSql(QStringLiteral("select * from COMMON order by 成果名称"));
    q.open();
    QVERIFY(q.locate(QStringLiteral("ID"), QStringLiteral("20261211093000123456789")));
    QCOMPARE(q.recNo(), 2);
}

void TestEngine::namesIgnoreCase()
{
    Table t(m_c.get(), QStringLiteral("COMMON"));
    t.open();
    QCOMPARE(t.fieldIndex(QStringLiteral("id")), 0);
    QCOMPARE(t.fieldIndex(QStringLiteral("Id")), t.fieldIndex(QStringLiteral("ID")));
    QCOMPARE(t.fieldIndex(QStringLiteral("nothing")), -1);
    QCOMPARE(t.fieldName(1), QStringLiteral("年度"));
    QVERIFY_THROWS_EXCEPTION(AppError, t.value(QStringLiteral("nothing")));
}

void TestEngine::valuesOfEveryKind()
{
    Table t(m_c.get(), QStringLiteral("Common"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("ID"), QStringLiteral("K"));
    t.setValue(QStringLiteral("流水号"), QStringLiteral(" 12 "));
    t.setValue(QStringLiteral("研究起始时间"), QStringLiteral("2005/3/1"));
    t.setValue(QStringLiteral("研究终止时间"), QDate(2006, 12, 31));
    t.setValue(QStringLiteral("科研投入_国家投入"), QStringLiteral("0.1"));
    t.setValue(QStringLiteral("科研投入_部门投入"), QVariant::fromValue(Currency::fromUnits(2000)));
    t.setValue(QStringLiteral("科研投入_地方投入"), QStringLiteral("1,234.5678"));
    t.setValue(QStringLiteral("是否鉴定"), true);
    t.setValue(QStringLiteral("成果名称"), QString());
    t.post();

    QCOMPARE(t.integer(QStringLiteral("流水号")), 12);
    QCOMPARE(t.text(QStringLiteral("研究起始时间")), QStringLiteral("2005-03-01"));
    QCOMPARE(t.displayText(t.fieldPosition(QStringLiteral("研究起始时间"))), QStringLiteral("2005/3/1"));
    QCOMPARE(t.date(QStringLiteral("研究终止时间")), QDate(2006, 12, 31));
    const Currency sum = t.currency(QStringLiteral("科研投入_国家投入")) + t.currency(QStringLiteral("科研投入_部门投入")) +
                         t.currency(QStringLiteral("科研投入_地方投入"));
    QCOMPARE(sum.toFixedString(), QStringLiteral("1234.8678"));
    QCOMPARE(t.displayText(t.fieldPosition(QStringLiteral("科研投入_国家投入"))), QStringLiteral("0.1000"));
    QVERIFY(t.boolean(QStringLiteral("是否鉴定")));
    // Empty values read as empty text, whatever the kind.
    for (const char *column : {"成果名称", "科研投入_合计", "密级", "中图分类"})
        QCOMPARE(t.text(QString::fromUtf8(column)), QString());
    QCOMPARE(t.currency(QStringLiteral("科研投入_合计")), Currency());
    QVERIFY(!t.date(QStringLiteral("研究起始时间")).isNull());
}

void TestEngine::badValueNamesTheField()
{
    Table t(m_c.get(), QStringLiteral("Common"));
    t.open();
    t.append();
    try {
        t.setValue(QStringLiteral("研究起始时间"), QStringLiteral("2005/13/45"));
        QFAIL("an impossible date was taken");
    } catch (const AppError &e) {
        QVERIFY(e.message().contains(QStringLiteral("研究起始时间")));
        QVERIFY(e.message().contains(QStringLiteral("日期")));
    }
    QVERIFY_THROWS_EXCEPTION(AppError, t.setValue(QStringLiteral("流水号"), QStringLiteral("十二")));
    QVERIFY_THROWS_EXCEPTION(AppError, t.setValue(QStringLiteral("科研投入_合计"), QStringLiteral("1.23456")));
    QVERIFY(!t.isModified());
}

void TestEngine::quotedValuesRoundTripAndCannotAlterStatement_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien's 检测方法");
    QTest::newRow("always true") << QStringLiteral("x' or '1'='1");
    QTest::newRow("second statement") << QStringLiteral("'; delete from Common; --");
    QTest::newRow("only quotes") << QStringLiteral("''''");
}

void TestEngine::quotedValuesRoundTripAndCannotAlterStatement()
{
    QFETCH(QString, value);
    addAchievement(QStringLiteral("A"), QStringLiteral("其他成果"));
    addAchievement(QStringLiteral("B"), value);
    QCOMPARE(m_folder->scalar(QStringLiteral("select 成果名称 from Common where ID='B'")), value);
    Query q(m_c.get());
    q.setSql(QStringLiteral("select * from common where 成果名称=") + SqlText::quoted(value));
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.text(QStringLiteral("ID")), QStringLiteral("B"));
    q.close();
    q.setSql(QStringLiteral("select * from common where 成果名称 like ") + SqlText::quoted(QLatin1Char('%') + value + QLatin1Char('%')));
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(m_folder->scalar(QStringLiteral("select count(*) from Common")), QStringLiteral("2"));
}

void TestEngine::deleteRepositions()
{
    for (const char *id : {"A", "B", "C"})
        addAchievement(QString::fromLatin1(id), QString::fromLatin1(id));
    Table t(m_c.get(), QStringLiteral("Common"));
    t.open();
    QVERIFY(t.locate(QStringLiteral("ID"), QStringLiteral("B")));
    t.remove();
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("C")); // the next row
    t.remove();
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("A")); // the last one gone: the one before
    t.remove();
    QVERIFY(t.isEmpty());
    QVERIFY_THROWS_EXCEPTION(AppError, t.remove());
    QCOMPARE(m_folder->scalar(QStringLiteral("select count(*) from Common")), QStringLiteral("0"));
}

void TestEngine::cancelledInsertLeavesNoRow()
{
    addAchievement(QStringLiteral("A"), QStringLiteral("甲"));
    addAchievement(QStringLiteral("B"), QStringLiteral("乙"));
    Table t(m_c.get(), QStringLiteral("Common"));
    t.open();
    t.last();
    t.append();
    t.setValue(QStringLiteral("ID"), QStringLiteral("NEW"));
    t.cancel();
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("B"));
    QCOMPARE(t.recordCount(), 2);
}

void TestEngine::queryNavigationAndReadOnly()
{
    for (const char *id : {"A", "B", "C"})
        addAchievement(QString::fromLatin1(id), QString::fromLatin1(id));
    Query q(m_c.get());
    q.setSql(QStringLiteral("select ID from common order by ID"));
    QSignalSpy moved(&q, &Dataset::currentChanged);
    q.open();
    QCOMPARE(q.recordCount(), 3);
    QVERIFY(q.bof() && !q.eof());
    QStringList seen;
    while (!q.eof()) {
        seen << q.text(0);
        q.next();
    }
    QCOMPARE(seen, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    QCOMPARE(q.recNo(), 3); // stays on the last row
    q.moveTo(2);
    QCOMPARE(q.text(0), QStringLiteral("B"));
    QCOMPARE(moved.count(), 4); // open, two moves, moveTo
    QVERIFY_THROWS_EXCEPTION(AppError, q.edit());
    QVERIFY_THROWS_EXCEPTION(AppError, q.remove());

    q.close();
    q.setSql(QStringLiteral("select * from common where ID='none'"));
    q.open();
    QVERIFY(q.isEmpty() && q.bof() && q.eof());
    QCOMPARE(q.recNo(), 0);
}

void TestEngine::engineErrorsCarrySqliteText()
{
    Query q(m_c.get());
    q.setSql(QStringLiteral("select * from common where 流水号>'5' and"));
    try {
        q.open();
        QFAIL("a broken statement ran");
    } catch (const AppError &e) {
        QVERIFY(e.message().contains(QStringLiteral("SQL")));
        QVERIFY2(e.message().contains(QStringLiteral("数据库引擎报告：incomplete input")), qPrintable(e.message()));
    }
    QVERIFY(!q.isActive());
    m_c->close();
    QVERIFY_THROWS_EXCEPTION(AppError, m_c->exec(QStringLiteral("select 1")));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
