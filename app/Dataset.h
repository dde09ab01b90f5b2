#pragma once

#include "Currency.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Connection;

// What a column holds, read from its declared type.
enum class FieldKind { Text, Memo, Integer, Real, Date, Currency, Boolean, Unknown };
FieldKind fieldKindFromDeclType(const QString &declType);

enum class DatasetState { Inactive, Browse, Edit, Insert };

// A set of rows with a current row: the common part of tables and queries.
//
// Navigation follows the usual rules of the program's data access: first() sets bof, last() sets eof,
// next() past the last row sets eof and stays on the last row, an empty set is both bof and eof.
// Moving while a change is pending posts it (or drops it when nothing was changed).
// Values: an empty (NULL) value reads as empty text. Field names are matched without regard to case.
class Dataset : public QObject
{
    Q_OBJECT
public:
    explicit Dataset(Connection *connection, QObject *parent = nullptr);

    Connection *connection() const { return m_connection; }
    DatasetState state() const { return m_state; }
    bool isActive() const { return m_state != DatasetState::Inactive; }
    bool isEditing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }

    virtual void open() = 0;
    virtual void close();

    // Fields.
    int fieldCount() const { return int(m_fieldNames.size()); }
    QString fieldName(int i) const { return m_fieldNames.value(i); }
    FieldKind fieldKind(int i) const { return m_fieldKinds.value(i, FieldKind::Unknown); }
    int fieldIndex(const QString &name) const;    // -1 when there is no such field
    int fieldPosition(const QString &name) const; // throws AppError when there is no such field

    // Rows.
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int recNo); // 1-based
    bool eof() const
    {
        ensureCurrent();
        return m_eof;
    }
    bool bof() const
    {
        ensureCurrent();
        return m_bof;
    }
    bool isEmpty() const;
    virtual int recordCount() const = 0;
    virtual int recNo() const = 0; // 1-based, 0 when empty
    // Moves to the first row whose column equals the value, letter case ignored. False leaves the
    // current row where it was.
    bool locate(const QString &column, const QVariant &value);

    // Values of the current row (the pending ones while editing).
    QVariant value(int field) const;
    QVariant value(const QString &name) const { return value(fieldPosition(name)); }
    QString text(int field) const { return plainText(fieldKind(field), value(field)); }
    QString text(const QString &name) const { return text(fieldPosition(name)); }
    qint64 integer(int field) const;
    qint64 integer(const QString &name) const { return integer(fieldPosition(name)); }
    QDate date(int field) const;
    QDate date(const QString &name) const { return date(fieldPosition(name)); }
    Currency currency(int field) const;
    Currency currency(const QString &name) const { return currency(fieldPosition(name)); }
    bool boolean(int field) const;
    bool boolean(const QString &name) const { return boolean(fieldPosition(name)); }
    // The value as a window shows it: dates "yyyy/M/d", amounts with four decimals.
    QString displayText(int field) const { return shownText(fieldKind(field), value(field)); }

    // A stored value of a field kind as text (empty for NULL) and as a window shows it.
    static QString plainText(FieldKind kind, const QVariant &stored);
    static QString shownText(FieldKind kind, const QVariant &stored);

    // Editing (tables only; a query refuses).
    virtual void edit();   // on an empty set: append()
    virtual void append(); // a new pending row
    void setValue(int field, const QVariant &value);
    void setValue(const QString &name, const QVariant &value) { setValue(fieldPosition(name), value); }
    virtual void post();
    virtual void cancel();
    virtual void remove();
    bool isModified() const { return m_modified; }
    // Posts a pending change, or drops it when nothing was changed.
    void checkBrowseMode();

    // Converts a value to the form the field stores (text, integer, ISO date, REAL amount, 0/1); an empty
    // value becomes NULL. Throws AppError naming the field when the value cannot be read.
    QVariant storageValue(int field, const QVariant &value) const;

signals:
    void stateChanged(DatasetState state);
    // The current row moved, or the rows were reloaded.
    void currentChanged();
    // A field of the pending row was changed through setValue().
    void fieldChanged(int field);

protected:
    // Row access of the concrete set. The fetch functions return whether a row was found.
    virtual bool fetchFirst() = 0;
    virtual bool fetchLast() = 0;
    virtual bool fetchNext() = 0;
    virtual bool fetchPrior() = 0;
    virtual bool fetchAt(int recNo) = 0;
    virtual bool fetchMatch(int field, const QVariant &value) = 0;
    virtual bool hasCurrentRow() const = 0;
    virtual QVariant storedValue(int field) const = 0;
    // Called before anything reads the rows: a set that put off reading them catches up here.
    virtual void ensureCurrent() const {}
    void setBounds(bool bof, bool eof) const
    {
        m_bof = bof;
        m_eof = eof;
    }

    void setFields(const QStringList &names, const QVector<FieldKind> &kinds);
    void setState(DatasetState state);
    void resetPosition(bool hasRows); // after opening or reloading: first row, bof, eof as fits
    void refuseEditing() const;

    QVector<QVariant> m_buffer; // pending values while editing
    bool m_modified = false;

private:
    Connection *m_connection;
    DatasetState m_state = DatasetState::Inactive;
    QStringList m_fieldNames;
    QVector<FieldKind> m_fieldKinds;
    mutable bool m_bof = true;
    mutable bool m_eof = true;
};
