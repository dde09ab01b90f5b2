#pragma once

#include "CodeCombo.h"
#include "Command.h"
#include "Connection.h"
#include "DataSource.h"
#include "Query.h"
#include "Table.h"

#include <QDateTime>
#include <QObject>

class Prompts;

// The data module: the one connection, every table and query the windows use, the working year, the
// SQL of the list in front, and the small services all windows share.
//
// Created once at start-up with the program folder (the folder of the program file; tests give a
// temporary one) and the prompts through which it asks and tells the user; destroyed when the program
// ends, disconnecting last.
class TJ_dm1 : public QObject
{
    Q_OBJECT
public:
    TJ_dm1(const QString &programFolder, Prompts *prompts, const QString &applicationTitle, QObject *parent = nullptr);
    ~TJ_dm1() override;

    const QString &programFolder() const { return m_programFolder; } // with a trailing '/'
    Prompts *prompts() const { return m_prompts; }
    const QString &applicationTitle() const { return m_applicationTitle; }
    void setApplicationTitle(const QString &title) { m_applicationTitle = title; }

    // --- objects ------------------------------------------------------------------------------------
    Connection *const ac1;
    Table *const at_common;
    Table *const at_sqb;
    Table *const at_sqb_ren;
    Table *const at_sqb_wcdw;
    Table *const at_jdzs;
    Table *const at_jdzs_ren;
    Table *const at_jdzs_wcdw;
    Table *const at_jdzs_jdwyhmd;
    Table *const at_hsb;
    Table *const at_hsb_wcdw;
    Table *const at_hsb_hszj;
    Table *const at_wts;
    Table *const attj;
    Query *const aq1;
    Query *const aq2;
    Command *const acmd1;

    DataSource *const ds_common;
    DataSource *const ds_sqb;
    DataSource *const ds_sqb_ren;
    DataSource *const ds_sqb_wcdw;
    DataSource *const ds_jdzs;
    DataSource *const ds_jdzs_ren;
    DataSource *const ds_jdzs_wcdw;
    DataSource *const ds_jdzs_jdwyhmd;
    DataSource *const ds_hsb;
    DataSource *const ds_hsb_wcdw;
    DataSource *const ds_hsb_hszj;
    DataSource *const ds_wts;
    DataSource *const dstj;
    DataSource *const ds_aq1;

    // The twelve achievement tables in the order they are opened and closed.
    QList<Table *> linkedTables() const;

    // --- state --------------------------------------------------------------------------------------
    QDateTime WorkingDate;
    QString BaseSql;
    QString SearchSql;
    QString PickedCodeText;

    QString WorkingYear() const { return WorkingDate.toString(QStringLiteral("yyyy")); }
    // The main window's list of the working year.
    QString YearListSql() const;

    // --- services -----------------------------------------------------------------------------------
    void ConnectDatabase();
    void DisconnectDatabase();
    void OpenListQuery(const QString &sql);
    void ExecSql(const QString &sql);
    int NextNumberInYear(const QString &table, const QString &column);
    static QString NewAchievementId();
    void FillCodeCombo(const QString &listNumber, CodeCombo &combo);
    void FillCodeDBCombo(const QString &listNumber, CodeCombo &combo, const Dataset &table, const QString &field);
    static void SelectComboByCode(CodeCombo &combo, const QString &storedCode);
    static void CopyCodeToEdit(const CodeCombo &combo, Dataset &table, const QString &field);
    // True when a date was written; the caller then selects the whole text of its edit box.
    bool PickDateIntoField(Dataset &table, int column);
    bool ConfirmDiscardEdits(Dataset &table);
    static bool DeleteFolderTree(const QString &folder);
    bool IsUserEdition() const;

private:
    QString m_programFolder;
    Prompts *m_prompts;
    QString m_applicationTitle;
};
