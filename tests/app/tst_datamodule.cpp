// The data module: start-up and tear-down, the list query, and the shared services.

#include "app/AppError.h"
#include "app/Edition.h"
#include "app/J_dmA.h"
#include "support/ScriptedPrompts.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestDataModule : public QObject
{
    Q_OBJECT
private slots:
    void startUpOpensTheYearList();
    void tablesOpenAndCloseInOrder();
    void startUpWithoutDatabaseGoesOn();
    void failedListQueryLeavesListClosed();
    void edition();
    void nextNumberInYear_data();
    void nextNumberInYear();
    void nextNumberCountsTheAchievementsYear();
    void newAchievementId();
    void codeCombos();
    void codeDBCombo_data();
    void codeDBCombo();
    void pickDateIntoField();
    void confirmDiscardEdits();
    void deleteFolderTree();
};

namespace {

QString year()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy"));
}

struct Fixture
{
    TestProgramFolder folder;
    ScriptedPrompts prompts;
    std::unique_ptr<TJ_dm1> dm;
    Fixture() { dm = std::make_unique<TJ_dm1>(folder.path(), &prompts, Edition::userEditionTitle()); }
};

} // namespace

void TestDataModule::startUpOpensTheYearList()
{
    TestProgramFolder folder;
    folder.exec(QStringLiteral("insert into Common (ID, 年度, 是否删除, 流水号) values ('A', '%1', 0, 1), ('B', '%1', 1, 2),"
                               " ('C', '1999', 0, 1)")
                    .arg(year()));
    ScriptedPrompts prompts;
    auto dm = std::make_unique<TJ_dm1>(folder.path(), &prompts, Edition::userEditionTitle());
    const QString base = QStringLiteral("select * from common where 年度='") + year() + QStringLiteral("' and 是否删除<>true");
    QCOMPARE(dm->BaseSql, base);
    QCOMPARE(dm->SearchSql, base);
    QCOMPARE(dm->aq1->sql(), base);
    QVERIFY(dm->aq1->isActive());
    QCOMPARE(dm->aq1->recordCount(), 1);
    QCOMPARE(dm->aq1->text(QStringLiteral("ID")), QStringLiteral("A"));
    QVERIFY(dm->ac1->isConnected());
    QVERIFY(prompts.log.isEmpty());
    QVERIFY(qAbs(dm->WorkingDate.secsTo(QDateTime::currentDateTime())) < 60);
    QVERIFY(!dm->attj->isActive()); // opened by the statistics only

    bool disconnected = false;
    const QList<Table *> tables = dm->linkedTables();
    connect(dm->ac1, &Connection::aboutToClose, this, [&] {
        disconnected = true;
        for (Table *t : tables)
            QVERIFY(!t->isActive()); // the tables close first
    });
    dm.reset();
    QVERIFY(disconnected);
}

void TestDataModule::tablesOpenAndCloseInOrder()
{
    QStringList closed, opened; // outlives the data module, which closes its tables again at the end
    Fixture f;
    const QStringList expected = QString::fromUtf8("Common sqb sqb_ren sqb_wcdw jdzs jdzs_ren jdzs_wcdw jdzs_jdwyhmd hsb "
                                                   "hsb_wcdw hsb_hszj wts")
                                     .split(QLatin1Char(' '));
    for (Table *t : f.dm->linkedTables()) {
        QVERIFY(t->isActive());
        connect(t, &Dataset::stateChanged, this, [&, t](DatasetState s) {
            (s == DatasetState::Inactive ? closed : opened) << t->tableName();
        });
    }
    f.dm->DisconnectDatabase();
    QVERIFY(!f.dm->ac1->isConnected());
    f.dm->ConnectDatabase();
    QCOMPARE(closed, expected);
    QCOMPARE(opened, expected);
}

void TestDataModule::startUpWithoutDatabaseGoesOn()
{
    QTemporaryDir empty;
    ScriptedPrompts prompts;
    TJ_dm1 dm(empty.path(), &prompts, Edition::userEditionTitle());
    QCOMPARE(prompts.log.size(), 1);
    QVERIFY(prompts.log.first().startsWith(QStringLiteral("error: 数据库文件不存在：")));
    QVERIFY(prompts.log.first().endsWith(QStringLiteral("data/cljdgldb.mdb")));
    QVERIFY(!dm.aq1->isActive());
    QCOMPARE(dm.aq1->recordCount(), 0);
    // Every later operation reports the same reason.
    try {
        dm.OpenListQuery(dm.BaseSql);
        QFAIL("the list opened without a database");
    } catch (const AppError &e) {
        QVERIFY(e.message().startsWith(QStringLiteral("数据库文件不存在：")));
    }
}

void TestDataModule::failedListQueryLeavesListClosed()
{
    Fixture f;
    QVERIFY(f.dm->aq1->isActive());
    QVERIFY_THROWS_EXCEPTION(AppError, f.dm->OpenListQuery(f.dm->BaseSql + QStringLiteral(" and 成果名称='x'y'")));
    QVERIFY(!f.dm->aq1->isActive());
    f.dm->OpenListQuery(f.dm->BaseSql);
    QVERIFY(f.dm->aq1->isActive());
}

void TestDataModule::edition()
{
    Fixture f;
    QVERIFY(f.dm->IsUserEdition());
    f.dm->setApplicationTitle(Edition::fullEditionTitle());
    QVERIFY(!f.dm->IsUserEdition());
    f.dm->setApplicationTitle(QStringLiteral("某单位用户版测试"));
    QVERIFY(f.dm->IsUserEdition());
}

void TestDataModule::nextNumberInYear_data()
{
    QTest::addColumn<QString>("numbers"); // 流水号 of the working year; d marks a row in the recycle bin, n a NULL
    QTest::addColumn<QString>("otherYear");
    QTest::addColumn<int>("expected");
    QTest::newRow("no rows") << "" << "" << 1;
    QTest::newRow("gap") << "1 2 4" << "" << 3;
    QTest::newRow("one missing") << "2 3" << "" << 1;
    QTest::newRow("repeated") << "1 1 2" << "" << 2;
    QTest::newRow("no gap") << "3 1 2" << "" << 4;
    QTest::newRow("empty skipped") << "n 1 n 2" << "" << 3;
    QTest::newRow("recycled rows count") << "1d 2" << "" << 3;
    QTest::newRow("other years ignored") << "1" << "2 3 4" << 2;
    QTest::newRow("only other years") << "" << "1 2" << 1;
}

void TestDataModule::nextNumberInYear()
{
    QFETCH(QString, numbers);
    QFETCH(QString, otherYear);
    QFETCH(int, expected);
    Fixture f;
    int k = 0;
    auto add = [&](const QString &token, const QString &y) {
        const bool deleted = token.endsWith(QLatin1Char('d'));
        const QString n = token == QLatin1String("n") ? QStringLiteral("NULL") : QString(token).remove(QLatin1Char('d'));
        f.dm->ExecSql(QStringLiteral("insert into Common (ID, 年度, 是否删除, 流水号) values ('R%1', '%2', %3, %4)")
                          .arg(++k)
                          .arg(y)
                          .arg(deleted ? 1 : 0)
                          .arg(n));
    };
    for (const QString &t : numbers.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        add(t, year());
    for (const QString &t : otherYear.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        add(t, QStringLiteral("2001"));
    QCOMPARE(f.dm->NextNumberInYear(QStringLiteral("common"), QStringLiteral("流水号")), expected);
    QCOMPARE(f.dm->NextNumberInYear(QStringLiteral("Common"), QStringLiteral("流水号")), expected);
    QVERIFY(!f.dm->aq2->isActive());
}

// Document numbers belong to the year of the achievement they hang on.
void TestDataModule::nextNumberCountsTheAchievementsYear()
{
    Fixture f;
    f.dm->ExecSql(QStringLiteral("insert into Common (ID, 年度, 是否删除) values ('A', '%1', 0), ('B', '%1', 1), ('C', '2001', 0);"
                                 "insert into sqb (ID, 主持鉴定编号, 委托鉴定编号) values ('A', 1, NULL), ('B', 3, NULL),"
                                 " ('C', 2, 1)")
                      .arg(year()));
    QCOMPARE(f.dm->NextNumberInYear(QStringLiteral("sqb"), QStringLiteral("主持鉴定编号")), 2);
    QCOMPARE(f.dm->NextNumberInYear(QStringLiteral("sqb"), QStringLiteral("委托鉴定编号")), 1);
}

void TestDataModule::newAchievementId()
{
    static const QRegularExpression shape(QStringLiteral("^[0-9A-F]{32}$"));
    const QString a = TJ_dm1::NewAchievementId();
    const QString b = TJ_dm1::NewAchievementId();
    QVERIFY2(shape.match(a).hasMatch(), qPrintable(a));
    QVERIFY(a != b);
}

namespace {

// A list of the program's shape: a blank code, "10" before "1", two entries with the same text.
void addFixtureList(TJ_dm1 &dm)
{
    dm.ExecSql(QStringLiteral("insert into codeb (代码表编号, 编码, 内容, 代码) values"
                              " ('90', ' ', '不分类', 1), ('90', '10', '十', 2), ('90', '1', '一', 3),"
                              " ('90', '2', '二', 4), ('90', '3', '二', 5), ('91', 'x', '别的表', 1)"));
}

} // namespace

void TestDataModule::codeCombos()
{
    Fixture f;
    addFixtureList(*f.dm);
    CodeCombo combo;
    combo.items = QStringList{QStringLiteral("old")};
    f.dm->FillCodeCombo(QStringLiteral("90"), combo);
    QCOMPARE(combo.items, (QStringList{QStringLiteral("不分类"), QStringLiteral("10-十"), QStringLiteral("1-一"),
                                       QStringLiteral("2-二"), QStringLiteral("3-二")}));
    QCOMPARE(combo.currentIndex, -1);

    struct Case
    {
        const char *stored;
        int index;
        const char *text;
    };
    const Case cases[] = {
        {"1", 1, "10-十"}, // the first item that begins with the code
        {"2", 3, "2-二"},
        {"", -1, ""},
        {"9", -1, "9"}, // not in the list: the code is given to the drop-down as its text
    };
    for (const Case &c : cases) {
        TJ_dm1::SelectComboByCode(combo, QString::fromUtf8(c.stored));
        QCOMPARE(combo.currentIndex, c.index);
        QCOMPARE(combo.text, QString::fromUtf8(c.text));
    }

    // Copying the code of the chosen line into the field puts the table into edit state.
    f.dm->ExecSql(QStringLiteral("insert into Common (ID, 年度) values ('A', '%1')").arg(year()));
    f.dm->at_common->refresh();
    QCOMPARE(f.dm->at_common->state(), DatasetState::Browse);
    combo.select(1);
    TJ_dm1::CopyCodeToEdit(combo, *f.dm->at_common, QStringLiteral("任务来源"));
    QCOMPARE(f.dm->at_common->state(), DatasetState::Edit);
    QCOMPARE(f.dm->at_common->text(QStringLiteral("任务来源")), QStringLiteral("10"));
    combo.select(0); // a line without "-" stores empty text
    TJ_dm1::CopyCodeToEdit(combo, *f.dm->at_common, QStringLiteral("任务来源"));
    QCOMPARE(f.dm->at_common->text(QStringLiteral("任务来源")), QString());
    f.dm->at_common->cancel();

    // On an empty table the copy inserts.
    f.dm->ExecSql(QStringLiteral("delete from Common"));
    f.dm->at_common->refresh();
    combo.select(2);
    TJ_dm1::CopyCodeToEdit(combo, *f.dm->at_common, QStringLiteral("任务来源"));
    QCOMPARE(f.dm->at_common->state(), DatasetState::Insert);
    QCOMPARE(f.dm->at_common->text(QStringLiteral("任务来源")), QStringLiteral("1"));
}

void TestDataModule::codeDBCombo_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("not in the list") << "九" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("two equal texts: the later") << "二" << 4;
    QTest::newRow("compared trimmed") << " 十 " << 1;
}

void TestDataModule::codeDBCombo()
{
    QFETCH(QString, stored);
    QFETCH(int, index);
    Fixture f;
    addFixtureList(*f.dm);
    f.dm->ExecSql(QStringLiteral("insert into Common (ID, 年度, 分类) values ('A', '%1', '%2')").arg(year(), stored));
    f.dm->at_common->refresh();
    CodeCombo combo;
    f.dm->FillCodeDBCombo(QStringLiteral("90"), combo, *f.dm->at_common, QStringLiteral("分类"));
    QCOMPARE(combo.items, (QStringList{QStringLiteral("不分类"), QStringLiteral("十"), QStringLiteral("一"),
                                       QStringLiteral("二"), QStringLiteral("二")}));
    QCOMPARE(combo.currentIndex, index);
}

void TestDataModule::pickDateIntoField()
{
    Fixture f;
    f.dm->ExecSql(QStringLiteral("insert into Common (ID, 年度, 研究终止时间) values ('A', '%1', '2005-03-01')").arg(year()));
    Table &t = *f.dm->at_common;
    t.refresh();
    const int start = t.fieldPosition(QStringLiteral("研究起始时间"));
    const int end = t.fieldPosition(QStringLiteral("研究终止时间"));

    // Cancel changes nothing; an empty column opens the picker on today.
    t.edit();
    QVERIFY(!f.dm->PickDateIntoField(t, start));
    QCOMPARE(f.prompts.datesShown.takeFirst(), QDate::currentDate());
    QVERIFY(!t.isModified());

    // Confirmed while editing: the date is stored without time of day.
    f.prompts.dateAnswers << QDate(2004, 7, 9);
    QVERIFY(f.dm->PickDateIntoField(t, start));
    QCOMPARE(f.prompts.datesShown.takeFirst(), QDate::currentDate());
    QCOMPARE(t.text(start), QStringLiteral("2004-07-09"));
    t.post();

    // A filled column opens the picker on its date.
    t.edit();
    f.prompts.dateAnswers << QDate(2006, 1, 2);
    QVERIFY(f.dm->PickDateIntoField(t, end));
    QCOMPARE(f.prompts.datesShown.takeFirst(), QDate(2005, 3, 1));
    t.cancel();

    // Confirmed outside edit state: refused with the message, nothing written.
    f.prompts.dateAnswers << QDate(2010, 10, 10);
    QVERIFY(!f.dm->PickDateIntoField(t, end));
    QCOMPARE(f.prompts.log, QStringList{QStringLiteral("message: 非编辑状态不能修改数据！")});
    QCOMPARE(t.text(end), QStringLiteral("2005-03-01"));
}

void TestDataModule::confirmDiscardEdits()
{
    Fixture f;
    Table &t = *f.dm->at_common;
    const QString question = QStringLiteral("confirm: 没有保存已经编辑的数据，确认要退出吗？");

    QVERIFY(f.dm->ConfirmDiscardEdits(t)); // browsing: yes at once
    QVERIFY(f.prompts.log.isEmpty());

    t.append();
    t.setValue(QStringLiteral("ID"), QStringLiteral("NEW"));
    f.prompts.confirmAnswers << false; // Cancel keeps the change
    QVERIFY(!f.dm->ConfirmDiscardEdits(t));
    QCOMPARE(t.state(), DatasetState::Insert);
    QCOMPARE(t.text(QStringLiteral("ID")), QStringLiteral("NEW"));

    f.prompts.confirmAnswers << true; // Yes drops it: no row is left behind
    QVERIFY(f.dm->ConfirmDiscardEdits(t));
    QCOMPARE(t.state(), DatasetState::Browse);
    QCOMPARE(t.recordCount(), 0);
    QCOMPARE(f.prompts.log, (QStringList{question, question}));
}

void TestDataModule::deleteFolderTree()
{
    QVERIFY(!TJ_dm1::DeleteFolderTree(QStringLiteral("/nonexistent/cjt-test-folder")));

    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("temp"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/a/b/c")));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/空文件夹")));
    const QStringList files = {root + QStringLiteral("/1.txt"), root + QStringLiteral("/a/只读.dat"),
                               root + QStringLiteral("/a/b/c/deep.bin"), root + QStringLiteral("/.hidden")};
    for (const QString &path : files) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        QFile::setPermissions(path, QFileDevice::ReadOwner);
    }
    QFile::setPermissions(root + QStringLiteral("/a/b"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString cwd = QDir::currentPath();
    QVERIFY(TJ_dm1::DeleteFolderTree(root));
    QVERIFY(!QFileInfo::exists(root));
    QCOMPARE(QDir::currentPath(), cwd);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
