// cjt: the command-line companion of 成鉴通. It makes the program folder's databases and fills them
// with demonstration data. Every command takes --program-folder DIR (by default the folder cjt lies
// in) and ends with a non-zero status and one line in Chinese when it fails.

#include "DemoData.h"
#include "app/AppError.h"
#include "app/Connection.h"
#include "app/ConnectionString.h"
#include "app/DatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace {

void say(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

int fail(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}

const char *usage = "用法：\n"
                    "  cjt init [--program-folder 目录]\n"
                    "      建立 data/cljdgldb.mdb 和 databak/cljdgldb.mdb（含代码表）以及 temp、InOut 文件夹。\n"
                    "  cjt demo --achievements N [--years 起始年-终止年] [--seed S] [--program-folder 目录]\n"
                    "      向 data/cljdgldb.mdb 添加 N 项演示用的科技成果及其全部文书。\n";

struct Arguments
{
    QString command;
    QString programFolder;
    QHash<QString, QString> options;
};

Arguments parseArguments(const QStringList &args)
{
    Arguments a;
    a.programFolder = QCoreApplication::applicationDirPath();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg.startsWith(QLatin1String("--"))) {
            QString name = arg.mid(2), value;
            const qsizetype eq = name.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                value = name.mid(eq + 1);
                name = name.left(eq);
            } else if (i + 1 < args.size()) {
                value = args.at(++i);
            } else {
                throw AppError(QStringLiteral("选项 --%1 缺少取值。").arg(name));
            }
            if (name == QLatin1String("program-folder"))
                a.programFolder = value;
            else
                a.options.insert(name, value);
        } else if (a.command.isEmpty()) {
            a.command = arg;
        } else {
            throw AppError(QStringLiteral("多余的参数：") + arg);
        }
    }
    return a;
}

void refuseUnknownOptions(const Arguments &a, const QStringList &known)
{
    for (auto it = a.options.cbegin(); it != a.options.cend(); ++it)
        if (!known.contains(it.key()))
            throw AppError(QStringLiteral("命令 %1 没有选项 --%2。").arg(a.command, it.key()));
}

int runInit(const Arguments &a)
{
    refuseUnknownOptions(a, {});
    const QDir folder(a.programFolder);
    const QString live = folder.filePath(DatabaseFile::livePath());
    const QString exportDb = folder.filePath(DatabaseFile::exportPath());
    for (const QString &path : {live, exportDb})
        if (QFileInfo::exists(path))
            throw AppError(QStringLiteral("数据库文件已存在，没有做任何改动：") + QDir::toNativeSeparators(path));
    for (const char *sub : {"data", "databak", "temp", "InOut"})
        if (!folder.exists(QString::fromLatin1(sub)) && !QDir().mkpath(folder.filePath(QString::fromLatin1(sub))))
            throw AppError(QStringLiteral("无法建立文件夹：") + folder.filePath(QString::fromLatin1(sub)));
    DatabaseFile::create(live, DatabaseFile::programPassword());
    try {
        DatabaseFile::create(exportDb, DatabaseFile::programPassword());
    } catch (...) {
        QFile::remove(live); // both or neither
        throw;
    }
    say(QStringLiteral("已建立数据库：") + QDir::toNativeSeparators(live));
    say(QStringLiteral("已建立导出数据库：") + QDir::toNativeSeparators(exportDb));
    return 0;
}

int runDemo(const Arguments &a)
{
    refuseUnknownOptions(a, {QStringLiteral("achievements"), QStringLiteral("years"), QStringLiteral("seed")});
    DemoData::Options o;
    bool ok = false;
    o.achievements = a.options.value(QStringLiteral("achievements")).toInt(&ok);
    if (!ok || o.achievements < 1)
        throw AppError(QStringLiteral("请用 --achievements N 给出要添加的成果数（正整数）。"));
    if (a.options.contains(QStringLiteral("years"))) {
        static const QRegularExpression range(QStringLiteral("^(\\d{4})(?:-(\\d{4}))?$"));
        const auto m = range.match(a.options.value(QStringLiteral("years")));
        if (!m.hasMatch())
            throw AppError(QStringLiteral("--years 应写成“起始年-终止年”，例如 2022-2026。"));
        o.firstYear = m.captured(1).toInt();
        o.lastYear = m.captured(2).isEmpty() ? o.firstYear : m.captured(2).toInt();
        if (o.lastYear < o.firstYear)
            throw AppError(QStringLiteral("--years 的终止年不能早于起始年。"));
    }
    if (a.options.contains(QStringLiteral("seed"))) {
        o.seed = a.options.value(QStringLiteral("seed")).toUInt(&ok);
        if (!ok)
            throw AppError(QStringLiteral("--seed 应为非负整数。"));
    }
    const QString live = QDir(a.programFolder).filePath(DatabaseFile::livePath());
    Connection connection;
    connection.setConnectionString(ConnectionString::forFile(live, DatabaseFile::programPassword()));
    connection.open();
    const DemoData::Summary s = DemoData::fill(connection.handle(), o);
    say(QStringLiteral("已添加 %1 项成果（其中 %2 项已鉴定，%3 项在回收站中），共写入 %4 行。")
            .arg(s.achievements)
            .arg(s.appraised)
            .arg(s.deleted)
            .arg(s.rows));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    try {
        const Arguments a = parseArguments(QCoreApplication::arguments());
        if (a.command == QLatin1String("init"))
            return runInit(a);
        if (a.command == QLatin1String("demo"))
            return runDemo(a);
        if (a.command.isEmpty() || a.command == QLatin1String("help") || a.options.contains(QStringLiteral("help"))) {
            std::fputs(usage, a.command.isEmpty() ? stderr : stdout);
            return a.command.isEmpty() ? 2 : 0;
        }
        return fail(QStringLiteral("未知的命令：%1（cjt help 列出全部命令）").arg(a.command));
    } catch (const AppError &e) {
        return fail(QString(e.message()).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
}
