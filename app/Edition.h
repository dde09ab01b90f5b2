#pragma once

#include <QString>

// The two editions of the program differ only in the application title: a title containing "用户版"
// is the user edition, any other the full edition.
namespace Edition {

QString userEditionTitle(); // 成鉴通（用户版）
QString fullEditionTitle(); // 成鉴通
// The title this build starts with (the full edition when built with CJT_FULL_EDITION).
QString defaultTitle();
bool isUserEdition(const QString &applicationTitle);

} // namespace Edition
