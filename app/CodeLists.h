#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

struct sqlite3;

// The code lists (table codeb) and their data files.
//
// A list is one UTF-8 CSV file named "NN-名称.csv" (NN the two-digit list number) with the header
// "编码,内容,上级编码" and one entry per line: code, text, and for the tree lists (13, 14, 21, 22) the
// code of the parent entry. The order of the lines is the order of the list. The level, the ancestor
// columns and the "has children" mark of a tree entry are derived from the parent codes.
namespace CodeLists {

// Deepest level a tree list may use: the schema has one ancestor column per level above it.
constexpr int MaxDepth = 4;

struct Entry
{
    QString code;
    QString text;
    QString parent;
    int line = 0;          // line number in its file
    int depth = 0;         // 1 at the top of a tree list; 0 in a flat list
    QStringList ancestors; // codes of the ancestors from level 1 down
    bool hasChildren = false;
};

struct List
{
    QString number;   // "01" ... "22"
    QString fileName; // as read, for messages
    QVector<Entry> entries;
};

bool isTreeList(const QString &number);

// Parses one file's content. Throws AppError "文件“名”第 N 行：原因" for anything wrong.
List parse(const QString &fileName, const QByteArray &content);
// Every "NN-*.csv" file of a folder, ordered by list number.
QVector<List> readFolder(const QString &folder);
// The lists shipped with the program (carried as resources).
QVector<List> shipped();

// Replaces the rows of these lists in codeb. The caller holds the transaction.
void writeToDatabase(sqlite3 *db, const QVector<List> &lists);

} // namespace CodeLists
