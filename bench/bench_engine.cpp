// Benchmarks of the engine and the data module on a demonstration file of 100,000 achievements over
// five years (20,000 in the working year). Each figure is printed beside the same work done with raw
// SQLite calls in the same run, as a ratio. Nothing is asserted.
//
//   bench_engine [--achievements N] [--keep DIR]

#include "app/DatabaseFile.h"
#include "app/J_dmA.h"
#include "app/Prompts.h"
#include "app/Statement.h"
#include "tools/DemoData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

namespace {

class SilentPrompts : public Prompts
{
public:
    void message(const QString &t) override { std::fprintf(stderr, "%s\n", t.toUtf8().constData()); }
    void information(const QString &t) override { message(t); }
    void error(const QString &t) override { message(t); }
    bool confirmYesNo(const QString &) override { return false; }
    bool confirmYesCancel(const QString &) override { return false; }
    void beep() override {}
    std::optional<QDate> pickDate(const QDate &) override { return std::nullopt; }
};

// Median of several runs, in milliseconds.
double timeMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

qint64 procStatusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    return -1;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void row(const char *what, double ours, double raw, const char *unit)
{
    std::printf("%-46s %10.3f %s   raw SQLite %10.3f %s   ratio %5.2f\n", what, ours, unit, raw, unit, raw > 0 ? ours / raw : 0);
}

volatile qint64 sink = 0;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int achievements = 100000;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--achievements"))
            achievements = args[i + 1].toInt();
        if (args[i] == QLatin1String("--keep"))
            keep = args[i + 1];
    }
    QTemporaryDir temp;
    const QString folder = keep.isEmpty() ? temp.path() : keep;
    const QString dbPath = QDir(folder).filePath(DatabaseFile::livePath());
    const int year = QDate::currentDate().year();

    if (!QFile::exists(dbPath)) {
        QElapsedTimer t;
        t.start();
        DatabaseFile::create(dbPath, DatabaseFile::programPassword());
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(dbPath).constData(), &db);
        const DemoData::Summary s = DemoData::fill(db, {achievements, year - 4, year, 20261211});
        sqlite3_close(db);
        std::printf("demo file: %d achievements over %d-%d, %lld rows, made in %.1f s, %.1f MiB\n", s.achievements, year - 4,
                    year, static_cast<long long>(s.rows), double(t.elapsed()) / 1000.0,
                    double(QFileInfo(dbPath).size()) / 1048576.0);
    }

    // Memory: the process before and while it holds the working year's list.
    SilentPrompts prompts;
    const qint64 rssBefore = procStatusKb("VmRSS:");
    resetPeak();
    auto dm = std::make_unique<TJ_dm1>(folder, &prompts, QStringLiteral("成鉴通（用户版）"));
    const qint64 peak = procStatusKb("VmHWM:");
    const qint64 rssHolding = procStatusKb("VmRSS:");
    const int listRows = dm->aq1->recordCount();
    std::printf("working year %d: %d achievements in the list\n", year, listRows);
    std::printf("%-46s %10.1f MiB peak, %.1f MiB held (limit 80 MiB)\n", "memory for the open list above the process",
                double(peak - rssBefore) / 1024.0, double(rssHolding - rssBefore) / 1024.0);

    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);

    // 1. Open the list query and read every field of every row as text.
    const QString listSql = dm->BaseSql;
    const double oursList = timeMs(5, [&] {
        dm->OpenListQuery(listSql);
        Query &q = *dm->aq1;
        qint64 chars = 0;
        for (q.first(); !q.eof(); q.next())
            for (int f = 0; f < q.fieldCount(); ++f)
                chars += q.text(f).size();
        sink = chars;
    });
    const double rawList = timeMs(5, [&] {
        Statement st(raw, listSql);
        qint64 chars = 0;
        while (st.step())
            for (int f = 0; f < st.columnCount(); ++f) {
                const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), f));
                chars += QString::fromUtf8(p, sqlite3_column_bytes(st.handle(), f)).size();
            }
        sink = chars;
    });
    row("open the year's list and read every row", oursList, rawList, "ms");

    // 2. Locate one achievement by ID in the master table and read its row.
    QStringList ids;
    {
        Statement st(raw, QStringLiteral("select ID from Common where 年度='%1'").arg(year));
        while (st.step())
            ids << st.text(0);
    }
    QStringList probes;
    QRandomGenerator pick(7);
    for (int i = 0; i < 2000; ++i)
        probes << ids.at(int(pick.bounded(qint64(ids.size())))).toLower();
    const double oursLocate = timeMs(3, [&] {
        qint64 chars = 0;
        Table &t = *dm->at_common;
        for (const QString &id : probes) {
            t.locate(QStringLiteral("ID"), id);
            for (int f = 0; f < t.fieldCount(); ++f)
                chars += t.text(f).size();
        }
        sink = chars;
    }) * 1000.0 / probes.size();
    const double rawLocate = timeMs(3, [&] {
        qint64 chars = 0;
        Statement st(raw, QStringLiteral("select * from Common where ID=? collate nocase"));
        for (const QString &id : probes) {
            st.bind(1, id);
            if (st.step())
                for (int f = 0; f < st.columnCount(); ++f)
                    chars += st.text(f).size();
            st.reset();
        }
        sink = chars;
    }) * 1000.0 / probes.size();
    row("locate one ID in at_common and read its row", oursLocate, rawLocate, "us");

    // 3. The next running number of the working year.
    const double oursNumber = timeMs(9, [&] { sink = dm->NextNumberInYear(QStringLiteral("common"), QStringLiteral("流水号")); });
    const double rawNumber = timeMs(9, [&] {
        Statement st(raw, QStringLiteral("select 流水号 from common where 年度='%1' order by 流水号").arg(year));
        qint64 last = 0;
        while (st.step()) {
            if (st.isNull(0))
                continue;
            const qint64 v = st.int64(0);
            if (v != last + 1)
                break;
            last = v;
        }
        sink = last + 1;
    });
    row("NextNumberInYear(common, 流水号)", oursNumber, rawNumber, "ms");

    sqlite3_close(raw);
    dm.reset();
    return 0;
}
