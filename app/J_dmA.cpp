#include "J_dmA.h"

#include "AppError.h"
#include "ConnectionString.h"
#include "DatabaseFile.h"
#include "Edition.h"
#include "Prompts.h"
#include "SqlText.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUuid>

namespace {

QString withSlash(const QString &folder)
{
    const QString f = QDir::fromNativeSeparators(folder);
    return f.endsWith(QLatin1Char('/')) ? f : f + QLatin1Char('/');
}

} // namespace

TJ_dm1::TJ_dm1(const QString &programFolder, Prompts *prompts, const QString &applicationTitle, QObject *parent)
    : QObject(parent), ac1(new Connection(this)), at_common(new Table(ac1, QStringLiteral("Common"), this)),
      at_sqb(new Table(ac1, QStringLiteral("sqb"), this)), at_sqb_ren(new Table(ac1, QStringLiteral("sqb_ren"), this)),
      at_sqb_wcdw(new Table(ac1, QStringLiteral("sqb_wcdw"), this)), at_jdzs(new Table(ac1, QStringLiteral("jdzs"), this)),
      at_jdzs_ren(new Table(ac1, QStringLiteral("jdzs_ren"), this)),
      at_jdzs_wcdw(new Table(ac1, QStringLiteral("jdzs_wcdw"), this)),
      at_jdzs_jdwyhmd(new Table(ac1, QStringLiteral("jdzs_jdwyhmd"), this)),
      at_hsb(new Table(ac1, QStringLiteral("hsb"), this)), at_hsb_wcdw(new Table(ac1, QStringLiteral("hsb_wcdw"), this)),
      at_hsb_hszj(new Table(ac1, QStringLiteral("hsb_hszj"), this)), at_wts(new Table(ac1, QStringLiteral("wts"), this)),
      attj(new Table(ac1, QStringLiteral("tongji"), this)), aq1(new Query(ac1, this)), aq2(new Query(ac1, this)),
      acmd1(new Command(ac1, this)), ds_common(new DataSource(at_common, this)), ds_sqb(new DataSource(at_sqb, this)),
      ds_sqb_ren(new DataSource(at_sqb_ren, this)), ds_sqb_wcdw(new DataSource(at_sqb_wcdw, this)),
      ds_jdzs(new DataSource(at_jdzs, this)), ds_jdzs_ren(new DataSource(at_jdzs_ren, this)),
      ds_jdzs_wcdw(new DataSource(at_jdzs_wcdw, this)), ds_jdzs_jdwyhmd(new DataSource(at_jdzs_jdwyhmd, this)),
      ds_hsb(new DataSource(at_hsb, this)), ds_hsb_wcdw(new DataSource(at_hsb_wcdw, this)),
      ds_hsb_hszj(new DataSource(at_hsb_hszj, this)), ds_wts(new DataSource(at_wts, this)),
      dstj(new DataSource(attj, this)), ds_aq1(new DataSource(aq1, this)), m_programFolder(withSlash(programFolder)),
      m_prompts(prompts), m_applicationTitle(applicationTitle)
{
    // Documents follow the achievement, row lists follow their document.
    for (Table *t : {at_sqb, at_jdzs, at_hsb, at_wts})
        t->setMaster(at_common);
    at_sqb_ren->setMaster(at_sqb);
    at_sqb_wcdw->setMaster(at_sqb);
    at_jdzs_wcdw->setMaster(at_jdzs);
    at_jdzs_ren->setMaster(at_jdzs);
    at_jdzs_jdwyhmd->setMaster(at_jdzs);
    at_hsb_wcdw->setMaster(at_hsb);
    at_hsb_hszj->setMaster(at_hsb);
    attj->setOrderColumn(QStringLiteral("统计内容"));

    WorkingDate = QDateTime::currentDateTime();
    BaseSql = YearListSql();
    SearchSql = BaseSql;
    try {
        ConnectDatabase();
    } catch (const AppError &e) {
        // The program still starts: the main window opens on an empty list, and every later database
        // operation reports the same reason again.
        m_prompts->error(e.message());
        return;
    }
    try {
        OpenListQuery(BaseSql);
    } catch (const AppError &e) {
        m_prompts->error(e.message());
    }
}

TJ_dm1::~TJ_dm1()
{
    try {
        DisconnectDatabase();
    } catch (const AppError &) {
        // Nothing is pending at the end of the program that could be saved here.
    }
}

QList<Table *> TJ_dm1::linkedTables() const
{
    return {at_common,    at_sqb, at_sqb_ren,  at_sqb_wcdw, at_jdzs, at_jdzs_ren,
            at_jdzs_wcdw, at_jdzs_jdwyhmd, at_hsb, at_hsb_wcdw, at_hsb_hszj, at_wts};
}

QString TJ_dm1::YearListSql() const
{
    return QStringLiteral("select * from common where 年度=") + SqlText::quoted(WorkingYear()) +
           QStringLiteral(" and 是否删除<>true");
}

void TJ_dm1::ConnectDatabase()
{
    ac1->setConnectionString(
        ConnectionString::forFile(m_programFolder + DatabaseFile::livePath(), DatabaseFile::programPassword()));
    if (!ac1->isConnected())
        ac1->open();
    for (Table *t : linkedTables())
        if (!t->isActive())
            t->open();
}

void TJ_dm1::DisconnectDatabase()
{
    for (Table *t : linkedTables())
        if (t->isActive())
            t->close();
    if (attj->isActive())
        attj->close();
    if (ac1->isConnected())
        ac1->close();
}

void TJ_dm1::OpenListQuery(const QString &sql)
{
    if (aq1->isActive())
        aq1->close();
    aq1->setSql(sql);
    aq1->open();
}

void TJ_dm1::ExecSql(const QString &sql)
{
    acmd1->setCommandText(sql);
    acmd1->execute();
}

int TJ_dm1::NextNumberInYear(const QString &table, const QString &column)
{
    if (aq2->isActive())
        aq2->close();
    const QString year = SqlText::quoted(WorkingYear());
    // Names are matched without regard to letter case, so "Common" takes the plain branch too.
    if (table.compare(QLatin1String("common"), Qt::CaseInsensitive) == 0)
        aq2->setSql(QStringLiteral("select ") + column + QStringLiteral(" from ") + table + QStringLiteral(" where 年度=") +
                    year + QStringLiteral(" order by ") + column);
    else
        aq2->setSql(QStringLiteral("select ") + column + QStringLiteral(" from ") + table +
                    QStringLiteral(",common where common.ID=") + table + QStringLiteral(".ID and 年度=") + year +
                    QStringLiteral(" order by ") + column);
    aq2->open();
    qint64 last = 0;
    const int count = aq2->recordCount();
    for (int row = 0; row < count; ++row) {
        const QVariant v = aq2->valueAt(row, 0);
        if (!v.isValid() || (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()))
            continue; // an empty number
        const qint64 n = v.typeId() == QMetaType::QString ? v.toString().trimmed().toLongLong() : v.toLongLong();
        if (n != last + 1)
            break;
        last = n;
    }
    aq2->close();
    return int(last + 1);
}

QString TJ_dm1::NewAchievementId()
{
    const QUuid uuid = QUuid::createUuid();
    if (!uuid.isNull())
        return uuid.toString(QUuid::Id128).toUpper();
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmsszzz")) +
           QString::number(100000 + QRandomGenerator::global()->bounded(1000000));
}

void TJ_dm1::FillCodeCombo(const QString &listNumber, CodeCombo &combo)
{
    if (aq2->isActive())
        aq2->close();
    aq2->setSql(QStringLiteral("select 编码,内容,代码 from codeb where 代码表编号=") + SqlText::quoted(listNumber) +
                QStringLiteral(" order by 代码"));
    aq2->open();
    QStringList items;
    const int count = aq2->recordCount();
    for (int row = 0; row < count; ++row) {
        const QString code = aq2->textAt(row, 0);
        items << (code.trimmed().isEmpty() ? QString() : code + QLatin1Char('-')) + aq2->textAt(row, 1);
    }
    aq2->close();
    combo.items = items;
    combo.select(-1);
}

void TJ_dm1::FillCodeDBCombo(const QString &listNumber, CodeCombo &combo, const Dataset &table, const QString &field)
{
    if (aq2->isActive())
        aq2->close();
    aq2->setSql(QStringLiteral("select 编码,内容,代码 from codeb where 代码表编号=") + SqlText::quoted(listNumber) +
                QStringLiteral(" order by 代码"));
    aq2->open();
    const QString current = table.isActive() ? table.text(field).trimmed() : QString();
    QStringList items;
    int selected = -1;
    const int count = aq2->recordCount();
    for (int row = 0; row < count; ++row) {
        const QString text = aq2->textAt(row, 1);
        if (text.trimmed() == current)
            selected = row; // the last of equal texts wins
        items << text;
    }
    aq2->close();
    combo.items = items;
    combo.select(selected);
}

void TJ_dm1::SelectComboByCode(CodeCombo &combo, const QString &storedCode)
{
    combo.select(-1);
    if (storedCode.isEmpty())
        return;
    for (int i = 0; i < combo.items.size(); ++i) {
        if (combo.items.at(i).left(storedCode.size()) == storedCode) {
            combo.select(i);
            break;
        }
    }
    if (combo.text.isEmpty())
        combo.text = storedCode;
}

void TJ_dm1::CopyCodeToEdit(const CodeCombo &combo, Dataset &table, const QString &field)
{
    table.edit();
    const qsizetype dash = combo.text.indexOf(QLatin1Char('-'));
    table.setValue(field, dash < 0 ? QString() : combo.text.left(dash));
}

bool TJ_dm1::PickDateIntoField(Dataset &table, int column)
{
    const QDate current = table.date(column);
    const std::optional<QDate> picked = m_prompts->pickDate(current.isValid() ? current : QDate::currentDate());
    if (!picked)
        return false;
    if (!table.isEditing()) {
        m_prompts->message(QStringLiteral("非编辑状态不能修改数据！"));
        return false;
    }
    table.setValue(column, *picked);
    return true;
}

bool TJ_dm1::ConfirmDiscardEdits(Dataset &table)
{
    if (!table.isEditing())
        return true;
    if (!m_prompts->confirmYesCancel(QStringLiteral("没有保存已经编辑的数据，确认要退出吗？")))
        return false;
    table.cancel();
    return true;
}

bool TJ_dm1::DeleteFolderTree(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists() || !info.isDir() || info.isSymLink())
        return false;
    QDir dir(folder);
    // Clear the entries' attributes first, so read-only files and folders go too.
    QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ExeOwner);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (entry.isDir() && !entry.isSymLink()) {
            if (!DeleteFolderTree(path))
                return false;
        } else {
            if (!entry.isSymLink())
                QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
            if (!QFile::remove(path))
                return false;
        }
    }
    return QDir().rmdir(folder);
}

bool TJ_dm1::IsUserEdition() const
{
    return Edition::isUserEdition(m_applicationTitle);
}
