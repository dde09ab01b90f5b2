#include "Dataset.h"

#include "AppError.h"
#include "DateText.h"

FieldKind fieldKindFromDeclType(const QString &declType)
{
    const QString t = declType.trimmed().toUpper();
    if (t.isEmpty())
        return FieldKind::Unknown;
    if (t.startsWith(QLatin1String("MEMO")))
        return FieldKind::Memo;
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("YESNO") || t == QLatin1String("BIT"))
        return FieldKind::Boolean;
    if (t == QLatin1String("DATE") || t == QLatin1String("DATETIME"))
        return FieldKind::Date;
    if (t == QLatin1String("CURRENCY") || t == QLatin1String("MONEY"))
        return FieldKind::Currency;
    if (t.contains(QLatin1String("INT")))
        return FieldKind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("CLOB")))
        return FieldKind::Text;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return FieldKind::Real;
    return FieldKind::Unknown;
}

Dataset::Dataset(Connection *connection, QObject *parent) : QObject(parent), m_connection(connection) {}

void Dataset::close()
{
    m_buffer.clear();
    m_modified = false;
    m_bof = m_eof = true;
    setState(DatasetState::Inactive);
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fieldNames.size(); ++i)
        if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Dataset::fieldPosition(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw AppError(QStringLiteral("数据集中没有字段“") + name + QStringLiteral("”。"));
    return i;
}

bool Dataset::isEmpty() const
{
    ensureCurrent();
    return !isActive() || (!hasCurrentRow() && m_state != DatasetState::Insert);
}

void Dataset::first()
{
    ensureCurrent();
    checkBrowseMode();
    resetPosition(fetchFirst());
}

void Dataset::last()
{
    ensureCurrent();
    checkBrowseMode();
    const bool any = fetchLast();
    m_eof = true;
    m_bof = !any;
    emit currentChanged();
}

void Dataset::next()
{
    ensureCurrent();
    checkBrowseMode();
    if (fetchNext()) {
        m_bof = false;
        emit currentChanged();
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    ensureCurrent();
    checkBrowseMode();
    if (fetchPrior()) {
        m_eof = false;
        emit currentChanged();
    } else {
        m_bof = true;
    }
}

void Dataset::moveTo(int recNo)
{
    ensureCurrent();
    checkBrowseMode();
    if (fetchAt(recNo)) {
        m_bof = m_eof = false;
        emit currentChanged();
    }
}

bool Dataset::locate(const QString &column, const QVariant &value)
{
    const int field = fieldPosition(column);
    ensureCurrent();
    checkBrowseMode();
    if (!fetchMatch(field, value))
        return false;
    m_bof = m_eof = false;
    emit currentChanged();
    return true;
}

void Dataset::resetPosition(bool hasRows)
{
    m_bof = true;
    m_eof = !hasRows;
    emit currentChanged();
}

QVariant Dataset::value(int field) const
{
    if (field < 0 || field >= fieldCount())
        throw AppError(QStringLiteral("字段序号 %1 超出范围。").arg(field));
    if (isEditing())
        return m_buffer.value(field);
    ensureCurrent();
    if (!isActive() || !hasCurrentRow())
        return {};
    return storedValue(field);
}

QString Dataset::plainText(FieldKind kind, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    if (kind == FieldKind::Currency && v.typeId() == QMetaType::Double)
        return Currency::fromDouble(v.toDouble()).toString();
    return v.toString();
}

QString Dataset::shownText(FieldKind kind, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (kind) {
    case FieldKind::Date:
        return DateText::storedToShown(v.toString());
    case FieldKind::Currency:
        return Currency::fromDouble(v.toDouble()).toFixedString();
    case FieldKind::Boolean:
        return v.toLongLong() != 0 ? QStringLiteral("是") : QStringLiteral("否");
    default:
        return v.toString();
    }
}

qint64 Dataset::integer(int field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::Double)
        return qint64(v.toDouble());
    return v.toString().trimmed().toLongLong();
}

QDate Dataset::date(int field) const
{
    return DateText::parse(text(field).left(10));
}

namespace {

Currency currencyFromVariant(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return Currency::fromDouble(v.toDouble());
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return Currency::fromUnits(v.toLongLong() * 10000);
    return Currency::parse(v.toString()).value_or(Currency());
}

} // namespace

Currency Dataset::currency(int field) const
{
    return currencyFromVariant(value(field));
}

bool Dataset::boolean(int field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || (s.toLongLong() != 0);
    }
    return v.toLongLong() != 0;
}

void Dataset::refuseEditing() const
{
    throw AppError(QStringLiteral("查询结果是只读的，不能修改。"));
}

void Dataset::edit()
{
    refuseEditing();
}

void Dataset::append()
{
    refuseEditing();
}

void Dataset::post()
{
    refuseEditing();
}

void Dataset::cancel()
{
    if (isEditing())
        refuseEditing();
}

void Dataset::remove()
{
    refuseEditing();
}

void Dataset::checkBrowseMode()
{
    if (!isActive())
        throw AppError(QStringLiteral("数据集没有打开。"));
    if (!isEditing())
        return;
    if (m_modified)
        post();
    else
        cancel();
}

QVariant Dataset::storageValue(int field, const QVariant &v) const
{
    const FieldKind kind = fieldKind(field);
    const bool textKind = kind == FieldKind::Text || kind == FieldKind::Memo;
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (textKind ? s.isEmpty() : s.trimmed().isEmpty())
            return {};
    }
    auto refuse = [&](const QString &what) -> QVariant {
        throw AppError(QStringLiteral("字段“") + fieldName(field) + QStringLiteral("”的值“") + v.toString() +
                       QStringLiteral("”不是有效的") + what + QStringLiteral("。"));
    };
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        return v.toString();
    case FieldKind::Integer: {
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const qint64 n = v.toString().trimmed().toLongLong(&ok);
            return ok ? QVariant(n) : refuse(QStringLiteral("整数"));
        }
        return QVariant(v.toLongLong());
    }
    case FieldKind::Date: {
        QDate d;
        if (v.typeId() == QMetaType::QDate)
            d = v.toDate();
        else if (v.typeId() == QMetaType::QDateTime)
            d = v.toDateTime().date();
        else
            d = DateText::parse(v.toString());
        return d.isValid() ? QVariant(DateText::toStored(d)) : refuse(QStringLiteral("日期"));
    }
    case FieldKind::Currency: {
        if (v.canConvert<Currency>() && v.typeId() == qMetaTypeId<Currency>())
            return v.value<Currency>().toDouble();
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
            return Currency::fromDouble(v.toDouble()).toDouble();
        const auto c = Currency::parse(v.toString());
        return c ? QVariant(c->toDouble()) : refuse(QStringLiteral("金额"));
    }
    case FieldKind::Boolean: {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            return QVariant(qint64(s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("是") ||
                                   s.toLongLong() != 0));
        }
        return QVariant(qint64(v.toBool() ? 1 : 0));
    }
    case FieldKind::Real:
        return QVariant(v.toDouble());
    case FieldKind::Unknown:
        break;
    }
    return v;
}

void Dataset::setValue(int field, const QVariant &value)
{
    if (!isEditing())
        throw AppError(QStringLiteral("数据集不在编辑状态，不能修改数据。"));
    if (field < 0 || field >= fieldCount())
        throw AppError(QStringLiteral("字段序号 %1 超出范围。").arg(field));
    const QVariant stored = storageValue(field, value);
    const QVariant &old = m_buffer[field];
    if (old.isNull() == stored.isNull() && old == stored)
        return;
    m_buffer[field] = stored;
    m_modified = true;
    emit fieldChanged(field);
}

void Dataset::setFields(const QStringList &names, const QVector<FieldKind> &kinds)
{
    m_fieldNames = names;
    m_fieldKinds = kinds;
}

void Dataset::setState(DatasetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}
