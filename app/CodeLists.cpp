#include "CodeLists.h"

#include "AppError.h"
#include "Statement.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace CodeLists {

bool isTreeList(const QString &number)
{
    return number == QLatin1String("13") || number == QLatin1String("14") || number == QLatin1String("21") ||
           number == QLatin1String("22");
}

namespace {

[[noreturn]] void refuse(const QString &fileName, int line, const QString &reason)
{
    if (line > 0)
        throw AppError(QStringLiteral("代码表文件“%1”第 %2 行：%3").arg(fileName).arg(line).arg(reason));
    throw AppError(QStringLiteral("代码表文件“%1”：%2").arg(fileName, reason));
}

// Splits CSV text into records of fields (RFC 4180). Each record carries the line it starts on.
struct Record
{
    int line;
    QStringList fields;
};

QVector<Record> splitCsv(const QString &fileName, const QString &text)
{
    QVector<Record> records;
    Record current{1, {}};
    QString field;
    bool quoted = false, fieldStarted = false;
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            current.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (c == QLatin1Char('\r')) {
            // CRLF files from spreadsheets.
        } else if (c == QLatin1Char('\n')) {
            current.fields << field;
            records << current;
            field.clear();
            fieldStarted = false;
            current = Record{++line, {}};
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        refuse(fileName, current.line, QStringLiteral("引号没有闭合。"));
    if (fieldStarted || !current.fields.isEmpty()) {
        current.fields << field;
        records << current;
    }
    return records;
}

} // namespace

List parse(const QString &fileName, const QByteArray &content)
{
    static const QRegularExpression namePattern(QStringLiteral("^(\\d\\d)-.*\\.csv$"), QRegularExpression::CaseInsensitiveOption);
    const auto nameMatch = namePattern.match(fileName);
    if (!nameMatch.hasMatch())
        refuse(fileName, 0, QStringLiteral("文件名应为“两位代码表编号-名称.csv”，例如“02-任务来源.csv”。"));
    List list;
    list.number = nameMatch.captured(1);
    list.fileName = fileName;
    const bool tree = isTreeList(list.number);

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(content);
    if (decoder.hasError())
        refuse(fileName, 0, QStringLiteral("不是 UTF-8 编码的文本。"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const QVector<Record> records = splitCsv(fileName, text);
    if (records.isEmpty())
        refuse(fileName, 1, QStringLiteral("缺少标题行“编码,内容,上级编码”。"));
    const QStringList header = records.first().fields;
    if (header.size() < 2 || header.size() > 3 || header.at(0).trimmed() != QStringLiteral("编码") ||
        header.at(1).trimmed() != QStringLiteral("内容") ||
        (header.size() == 3 && header.at(2).trimmed() != QStringLiteral("上级编码")))
        refuse(fileName, records.first().line, QStringLiteral("标题行应为“编码,内容,上级编码”。"));

    QHash<QString, int> byCode; // code -> index in entries
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Record &rec = records.at(r);
        if (rec.fields.size() == 1 && rec.fields.first().trimmed().isEmpty())
            continue; // blank line
        if (rec.fields.size() < 2 || rec.fields.size() > 3)
            refuse(fileName, rec.line, QStringLiteral("应有 2 或 3 栏（编码,内容,上级编码），这一行有 %1 栏。").arg(rec.fields.size()));
        Entry e;
        e.line = rec.line;
        e.code = rec.fields.at(0).trimmed();
        e.text = rec.fields.at(1).trimmed();
        e.parent = rec.fields.size() > 2 ? rec.fields.at(2).trimmed() : QString();
        if (e.text.isEmpty())
            refuse(fileName, rec.line, QStringLiteral("“内容”不能为空。"));
        if (tree) {
            if (e.code.isEmpty())
                refuse(fileName, rec.line, QStringLiteral("树形代码表的“编码”不能为空。"));
            if (e.code.contains(QLatin1Char('-')))
                refuse(fileName, rec.line, QStringLiteral("树形代码表的“编码”不能含有“-”。"));
            if (byCode.contains(e.code))
                refuse(fileName, rec.line,
                       QStringLiteral("编码“%1”与第 %2 行重复。").arg(e.code).arg(list.entries.at(byCode.value(e.code)).line));
            if (e.parent.isEmpty()) {
                e.depth = 1;
            } else {
                const auto it = byCode.constFind(e.parent);
                if (it == byCode.constEnd())
                    refuse(fileName, rec.line, QStringLiteral("上级编码“%1”在它之前的行中没有出现。").arg(e.parent));
                Entry &parent = list.entries[*it];
                parent.hasChildren = true;
                e.depth = parent.depth + 1;
                e.ancestors = parent.ancestors;
                e.ancestors << parent.code;
                if (e.depth > MaxDepth)
                    refuse(fileName, rec.line, QStringLiteral("层次超过 %1 级。").arg(MaxDepth));
            }
            byCode.insert(e.code, int(list.entries.size()));
        } else if (!e.parent.isEmpty()) {
            refuse(fileName, rec.line, QStringLiteral("这是不分层的代码表，“上级编码”应为空。"));
        }
        list.entries << e;
    }
    if (list.entries.isEmpty())
        refuse(fileName, 0, QStringLiteral("没有任何代码。"));
    return list;
}

namespace {

QVector<List> readDir(const QDir &dir)
{
    QVector<List> lists;
    QStringList names = dir.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            throw AppError(QStringLiteral("无法读取代码表文件：") + f.fileName());
        List list = parse(name, f.readAll());
        for (const List &other : lists)
            if (other.number == list.number)
                throw AppError(QStringLiteral("代码表 %1 有两个文件：“%2”和“%3”。").arg(list.number, other.fileName, name));
        lists << list;
    }
    return lists;
}

} // namespace

QVector<List> readFolder(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        throw AppError(QStringLiteral("文件夹不存在：") + folder);
    return readDir(dir);
}

QVector<List> shipped()
{
    return readDir(QDir(QStringLiteral(":/codelists")));
}

void writeToDatabase(sqlite3 *db, const QVector<List> &lists)
{
    Statement remove(db, QStringLiteral("delete from codeb where 代码表编号=?"));
    Statement insert(db, QStringLiteral("insert into codeb (代码表编号,编码,内容,代码,深度,上级编码1,上级编码2,上级编码3,下级) "
                                        "values (?,?,?,?,?,?,?,?,?)"));
    for (const List &list : lists) {
        remove.bind(1, list.number);
        remove.step();
        remove.reset();
        const bool tree = isTreeList(list.number);
        int order = 0;
        for (const Entry &e : list.entries) {
            insert.bind(1, list.number);
            insert.bind(2, QVariant(QString(e.code.isNull() ? QStringLiteral("") : e.code)));
            insert.bind(3, e.text);
            insert.bind(4, qint64(++order));
            insert.bind(5, tree ? QVariant(qint64(e.depth)) : QVariant());
            for (int k = 0; k < MaxDepth - 1; ++k)
                insert.bind(6 + k, k < e.ancestors.size() ? QVariant(e.ancestors.at(k)) : QVariant());
            insert.bind(9, tree ? QVariant(e.hasChildren ? QStringLiteral("1") : QStringLiteral("0")) : QVariant());
            insert.step();
            insert.reset();
        }
    }
}

} // namespace CodeLists
