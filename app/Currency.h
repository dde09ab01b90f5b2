#pragma once

#include <QMetaType>
#include <QString>
#include <optional>

// A money amount with exactly four decimal places, held as a whole number of ten-thousandths, so sums
// are exact. The database stores it as REAL; fromDouble() rounds to the nearest ten-thousandth.
class Currency
{
public:
    Currency() = default;
    static Currency fromUnits(qint64 tenThousandths)
    {
        Currency c;
        c.m_units = tenThousandths;
        return c;
    }
    static Currency fromDouble(double value);
    // Accepts "12", "-3.5", "1,234.5678", "0.0001"; at most four decimals. Empty text gives nullopt.
    static std::optional<Currency> parse(const QString &text);

    qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / 10000.0; }
    // "12.5" (no trailing zeros) and "12.5000" (always four decimals).
    QString toString() const;
    QString toFixedString() const;

    Currency operator+(Currency other) const { return fromUnits(m_units + other.m_units); }
    Currency &operator+=(Currency other)
    {
        m_units += other.m_units;
        return *this;
    }
    bool operator==(const Currency &other) const = default;

private:
    qint64 m_units = 0;
};

Q_DECLARE_METATYPE(Currency)
