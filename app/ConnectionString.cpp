#include "ConnectionString.h"

ConnectionString ConnectionString::parse(const QString &text)
{
    ConnectionString result;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString key = text.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        QString value;
        if (j < text.size() && text.at(j) == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), j + 1);
            value = text.mid(j + 1, (close < 0 ? text.size() : close) - j - 1);
            j = close < 0 ? text.size() : text.indexOf(QLatin1Char(';'), close);
            if (j < 0)
                j = text.size();
        } else {
            qsizetype semi = text.indexOf(QLatin1Char(';'), j);
            if (semi < 0)
                semi = text.size();
            value = text.mid(j, semi - j);
            j = semi;
        }
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            result.dataSource = value;
        else if (key.compare(QLatin1String("Jet OLEDB:Database Password"), Qt::CaseInsensitive) == 0)
            result.password = value;
        i = j + 1;
    }
    return result;
}

QString ConnectionString::forFile(const QString &path, const QString &password)
{
    const QString source = path.contains(QLatin1Char(';')) ? QLatin1Char('"') + path + QLatin1Char('"') : path;
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + source +
           QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=") + password;
}
