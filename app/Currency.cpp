#include "Currency.h"

#include <cmath>

Currency Currency::fromDouble(double value)
{
    return fromUnits(std::llround(value * 10000.0));
}

std::optional<Currency> Currency::parse(const QString &input)
{
    QString text = input.trimmed();
    text.remove(QLatin1Char(','));
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.startsWith(QLatin1Char('-'));
        text = text.mid(1);
    }
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? text : text.left(dot);
    const QString frac = dot < 0 ? QString() : text.mid(dot + 1);
    if ((whole.isEmpty() && frac.isEmpty()) || frac.size() > 4 || whole.size() > 14)
        return std::nullopt;
    for (QChar c : whole + frac)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    qint64 units = whole.isEmpty() ? 0 : whole.toLongLong() * 10000;
    units += frac.isEmpty() ? 0 : frac.leftJustified(4, QLatin1Char('0')).toLongLong();
    return fromUnits(negative ? -units : units);
}

QString Currency::toFixedString() const
{
    const qint64 a = m_units < 0 ? -m_units : m_units;
    return QStringLiteral("%1%2.%3")
        .arg(m_units < 0 ? QStringLiteral("-") : QString())
        .arg(a / 10000)
        .arg(a % 10000, 4, 10, QLatin1Char('0'));
}

QString Currency::toString() const
{
    QString s = toFixedString();
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}
