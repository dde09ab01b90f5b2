#include "DateText.h"

#include <QRegularExpression>

namespace DateText {

QDate parse(const QString &input)
{
    const QString text = input.trimmed();
    static const QRegularExpression separated(QStringLiteral("^(\\d{4})[/.\\-](\\d{1,2})[/.\\-](\\d{1,2})$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    QRegularExpressionMatch m = separated.match(text);
    if (!m.hasMatch())
        m = compact.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString toStored(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString toShown(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy/M/d")) : QString();
}

QString storedToShown(const QString &stored)
{
    const QDate d = QDate::fromString(stored.left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? toShown(d) : stored;
}

} // namespace DateText
