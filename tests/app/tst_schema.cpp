// The database file: every table with its columns in the order the program relies on, the kinds the
// engine reads back, and the refusal of files that are missing, foreign or locked with another password.

#include "app/AppError.h"
#include "app/Connection.h"
#include "app/ConnectionString.h"
#include "app/DatabaseFile.h"
#include "app/Statement.h"
#include "app/Table.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QtTest>
#include <sqlite3.h>

class TestSchema : public QObject
{
    Q_OBJECT
private slots:
    void columnsInOrder_data();
    void columnsInOrder();
    void fieldKinds();
    void commonRunPositions();
    void textKeepsLeadingZerosAndIgnoresCase();
    void openRefuses_data();
    void openRefuses();
    void createRefusesExistingFile();
};

namespace {

QStringList columnsOf(const QString &path, const QString &table)
{
    Connection c;
    c.setConnectionString(ConnectionString::forFile(path, DatabaseFile::programPassword()));
    c.open();
    Statement st(c.handle(), QStringLiteral("select name from pragma_table_info(?)"));
    st.bind(1, table);
    QStringList names;
    while (st.step())
        names << st.text(0);
    return names;
}

QStringList split(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

void TestSchema::columnsInOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    const char *unit = "单位名称 隶属省部_代码 隶属省部_名称 所在地区_代码 所在地区_名称 单位属性 联系人 邮政编码 联系电话1 联系电话2 通信地址";
    QStringList common = split("ID 年度 是否删除 是否鉴定 流水号 分类 成果名称 研究起始时间 研究终止时间");
    for (const QString &u : split(unit))
        common << QStringLiteral("成果第一完成单位_") + u;
    common << split("学科分类 中图分类 主管业务部门 组织鉴定单位名称 项目计划编号 任务下达部门 研究形式 社会经济目标 任务来源 "
                    "成果有无密级 密级 应用行业大类 应用情况 转让范围");
    for (const char *block : {"科研投入", "应用投入"})
        for (const QString &p : split("国家投入 部门投入 地方投入 自筹资金 银行贷款 国外资金 合计"))
            common << QString::fromUtf8(block) + QLatin1Char('_') + p;
    common << split("经济效益_新增产值 经济效益_新增产值_本年度 经济效益_新增利税 经济效益_新增利税_本年度 "
                    "经济效益_其中创收外汇 经济效益_其中创收外汇_本年度");
    QTest::newRow("Common") << "Common" << common;

    QStringList sqb = split("ID 成果名称 研究起始时间 研究终止时间");
    for (const QString &u : split(unit))
        sqb << QStringLiteral("申请鉴定单位_") + u;
    sqb << split("任务来源 成果有无密级 密级 申请鉴定日期 申请组织鉴定单位 组织鉴定单位受理日期 经办人 内容简介 技术资料目录 "
                 "申请鉴定单位意见 申请鉴定单位意见领导签字 主管业务部门意见 主管业务部门意见领导签字 任务下达单位意见 "
                 "任务下达单位意见领导签字 组织鉴定单位意见 组织鉴定单位意见主管领导签字 组织鉴定单位意见经办人签字 "
                 "鉴定形式 组织形式 主持鉴定编号 委托鉴定编号");
    QTest::newRow("sqb") << "sqb" << sqb;
    QTest::newRow("sqb_ren") << "sqb_ren"
                             << split("ID RecNo 序号 姓名 性别 出生年月 技术职称 文化程度学位 工作单位 对成果创造性贡献");
    QTest::newRow("sqb_wcdw") << "sqb_wcdw" << split("ID RecNo 序号 单位名称");
    QTest::newRow("jdzs") << "jdzs"
                          << split("ID 鉴定证书编号 成果名称 鉴定形式 组织鉴定单位 鉴定日期 鉴定批准日期 成果水平 "
                                   "简要技术说明及主要技术性能指标 推广应用前景与措施 主要技术文件目录及来源 鉴定委员会专家测试报告 "
                                   "鉴定委员会专家测试报告_测试组长 鉴定委员会专家测试报告_成员 鉴定委员会专家测试报告_日期 鉴定意见 "
                                   "鉴定意见_鉴定委员会主任 鉴定意见_副主任 鉴定意见_日期 主持鉴定单位意见 "
                                   "主持鉴定单位意见_主管领导签字 主持鉴定单位意见_日期 组织鉴定单位意见 "
                                   "组织鉴定单位意见_主管领导签字 组织鉴定单位意见_日期");
    QTest::newRow("jdzs_wcdw") << "jdzs_wcdw"
                               << split("ID RecNo 序号 完成单位名称 下属机构名称 邮政编码 所在省市代码 详细通信地址 隶属省部 单位属性");
    QTest::newRow("jdzs_ren") << "jdzs_ren"
                              << split("ID RecNo 序号 姓名 性别 出生年月 技术职称 文化程度 工作单位 对成果创造性贡献");
    QTest::newRow("jdzs_jdwyhmd") << "jdzs_jdwyhmd"
                                  << split("ID RecNo 序号 鉴定会职务 姓名 工作单位 所学专业 现从事专业 职称职务");
    QTest::newRow("hsb") << "hsb" << split("ID 成果名称 组织鉴定单位 函审成果内容简介 技术资料目录");
    QTest::newRow("hsb_wcdw") << "hsb_wcdw" << split("ID RecNo 序号 单位名称");
    QStringList hszj = split("ID RecNo 序号 送审日期 函审专家姓名 出生年月 技术职务 文化程度学位 所学专业 现从事专业");
    for (const QString &u : split("单位名称 隶属省部_代码 隶属省部_名称 所在地区_代码 所在地区_名称 邮政编码 联系电话1 联系电话2 通信地址"))
        hszj << QStringLiteral("专家所在单位_") + u;
    hszj << split("函审意见 函审意见_日期");
    QTest::newRow("hsb_hszj") << "hsb_hszj" << hszj;
    QTest::newRow("wts") << "wts"
                         << split("ID 澄科鉴委字 项目名称 任务来源 计划类别及编号 起始时间 终止时间 项目承担单位 受委托鉴定单位 "
                                  "委托单位经办人 委托单位审批人 委托日期");
    QTest::newRow("codeb") << "codeb" << split("代码表编号 编码 内容 代码 深度 上级编码1 上级编码2 上级编码3 下级");
    QTest::newRow("tongji") << "tongji" << split("统计内容 统计结果 百分比");
}

void TestSchema::columnsInOrder()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestProgramFolder folder;
    QCOMPARE(columnsOf(folder.databasePath(), table), columns);
}

void TestSchema::fieldKinds()
{
    TestProgramFolder folder;
    Connection c;
    c.setConnectionString(ConnectionString::forFile(folder.databasePath(), DatabaseFile::programPassword()));
    c.open();
    struct Case
    {
        const char *table, *column;
        FieldKind kind;
    };
    const Case cases[] = {
        {"Common", "年度", FieldKind::Text},         {"Common", "是否删除", FieldKind::Boolean},
        {"Common", "流水号", FieldKind::Integer},    {"Common", "研究起始时间", FieldKind::Date},
        {"Common", "科研投入_合计", FieldKind::Currency}, {"sqb", "内容简介", FieldKind::Memo},
        {"sqb", "主持鉴定编号", FieldKind::Integer}, {"hsb_hszj", "函审意见_日期", FieldKind::Date},
        {"jdzs_ren", "对成果创造性贡献", FieldKind::Memo}, {"tongji", "统计结果", FieldKind::Integer},
    };
    for (const Case &k : cases) {
        Table t(&c, QString::fromUtf8(k.table));
        t.open();
        QCOMPARE(int(t.fieldKind(t.fieldPosition(QString::fromUtf8(k.column)))), int(k.kind));
    }
}

// The common-data form sums positions 34-39 into 40 and 41-46 into 47, and hands positions 7 and 8
// to the date picker: those positions must hold those columns.
void TestSchema::commonRunPositions()
{
    TestProgramFolder folder;
    const QStringList c = columnsOf(folder.databasePath(), QStringLiteral("Common"));
    QCOMPARE(c.size(), 54);
    QCOMPARE(c.at(4), QStringLiteral("流水号"));
    QCOMPARE(c.at(7), QStringLiteral("研究起始时间"));
    QCOMPARE(c.at(8), QStringLiteral("研究终止时间"));
    QCOMPARE(c.at(34), QStringLiteral("科研投入_国家投入"));
    QCOMPARE(c.at(40), QStringLiteral("科研投入_合计"));
    QCOMPARE(c.at(41), QStringLiteral("应用投入_国家投入"));
    QCOMPARE(c.at(47), QStringLiteral("应用投入_合计"));
    QCOMPARE(c.last(), QStringLiteral("经济效益_其中创收外汇_本年度"));
}

void TestSchema::textKeepsLeadingZerosAndIgnoresCase()
{
    TestProgramFolder folder;
    folder.exec(QStringLiteral("insert into Common (ID, 年度, 成果第一完成单位_邮政编码, 研究起始时间, 成果名称) "
                               "values ('abc', '2026', '010010', '2005-03-01', 'Alpha')"));
    QCOMPARE(folder.scalar(QStringLiteral("select 成果第一完成单位_邮政编码 from common where id='ABC'")),
             QStringLiteral("010010"));
    QCOMPARE(folder.scalar(QStringLiteral("select typeof(研究起始时间) from Common")), QStringLiteral("text"));
    QCOMPARE(folder.scalar(QStringLiteral("select count(*) from COMMON where 成果名称='ALPHA'")), QStringLiteral("1"));
    QCOMPARE(folder.scalar(QStringLiteral("select count(*) from Common where 是否删除<>true")), QStringLiteral("1"));
}

void TestSchema::openRefuses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "missing" << "数据库文件不存在";
    QTest::newRow("empty file") << "empty" << "不是有效的数据库文件";
    QTest::newRow("text file") << "text" << "不是有效的数据库文件";
    QTest::newRow("foreign sqlite file") << "foreign" << "不是成鉴通的数据库";
    QTest::newRow("wrong password") << "password" << "数据库密码错误";
    QTest::newRow("damaged header page") << "damaged" << "无法打开";
}

void TestSchema::openRefuses()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cljdgldb.mdb"));
    QString password = DatabaseFile::programPassword();
    if (kind == QLatin1String("empty")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (kind == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("这不是数据库 not a database at all, just some text to fill the header");
    } else if (kind == QLatin1String("foreign")) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        sqlite3_exec(db, "create table t(x)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    } else if (kind == QLatin1String("password")) {
        DatabaseFile::create(path, DatabaseFile::programPassword());
        password = QStringLiteral("wrong");
    } else if (kind == QLatin1String("damaged")) {
        DatabaseFile::create(path, DatabaseFile::programPassword());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(16);
        f.write(QByteArray(84, '\xff')); // page size and header fields
    }
    const QByteArray before = QFile::exists(path) ? [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }()
                                                  : QByteArray();
    Connection c;
    c.setConnectionString(ConnectionString::forFile(path, password));
    try {
        c.open();
        QFAIL("the file was opened");
    } catch (const AppError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QVERIFY(!c.isConnected());
    QCOMPARE(QFile::exists(path), kind != QLatin1String("missing"));
    if (QFile::exists(path)) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), before);
    }
    // Every later use of the connection reports the same reason.
    try {
        c.handle();
        QFAIL("no connection expected");
    } catch (const AppError &e) {
        QVERIFY(e.message().contains(message));
    }
}

void TestSchema::createRefusesExistingFile()
{
    TestProgramFolder folder;
    folder.exec(QStringLiteral("insert into Common (ID, 年度) values ('X', '2026')"));
    QFile f(folder.databasePath());
    f.open(QIODevice::ReadOnly);
    const QByteArray before = f.readAll();
    f.close();
    QVERIFY_THROWS_EXCEPTION(AppError, DatabaseFile::create(folder.databasePath(), DatabaseFile::programPassword()));
    f.open(QIODevice::ReadOnly);
    QCOMPARE(f.readAll(), before);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
