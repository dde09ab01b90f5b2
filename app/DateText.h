#pragma once

#include <QDate>
#include <QString>

// Dates are stored as ISO text "yyyy-MM-dd" and shown in the Chinese short form "yyyy/M/d".
namespace DateText {

// Reads "yyyy/M/d", "yyyy-M-d", "yyyy.M.d", "yyyyMMdd" (and the stored ISO form). Invalid QDate if not.
QDate parse(const QString &text);
QString toStored(const QDate &date); // "2005-03-01"
QString toShown(const QDate &date);  // "2005/3/1"
// Stored text to shown text; text that is not a date is returned unchanged.
QString storedToShown(const QString &stored);

} // namespace DateText
