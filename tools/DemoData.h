#pragma once

#include <QString>

struct sqlite3;

// Realistic generated achievements for trying the program, screenshots and benchmarks. The same seed
// always gives the same data.
namespace DemoData {

struct Options
{
    int achievements = 100;
    int firstYear = 0; // 0: the current year
    int lastYear = 0;
    quint32 seed = 1;
};

struct Summary
{
    int achievements = 0;
    int deleted = 0;
    int appraised = 0;
    qint64 rows = 0; // rows written in all tables
};

// Adds the achievements with all their documents to an open database, in one transaction. Running
// numbers continue after those already in each year.
Summary fill(sqlite3 *db, const Options &options);

} // namespace DemoData
