#pragma once

#include <QString>

// Building SQL text. Statements are made by concatenation; every value that goes between single
// quotes passes through quoted(), so a quote inside a value can never end the literal early.
namespace SqlText {

// 'value' with every single quote inside doubled.
QString quoted(const QString &value);

} // namespace SqlText
