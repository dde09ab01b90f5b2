#pragma once

#include <QString>

// The connection-string syntax of the program:
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;Persist Security Info=False;
//   Jet OLEDB:Database Password=<password>
// Keys are matched without regard to letter case; a value may stand in double quotes (then it may hold
// ';'). Unknown keys are ignored.
struct ConnectionString
{
    QString dataSource;
    QString password;

    static ConnectionString parse(const QString &text);
    // The string the program uses for a database file, with the program's password.
    static QString forFile(const QString &path, const QString &password);
};
