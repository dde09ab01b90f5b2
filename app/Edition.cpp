#include "Edition.h"

namespace Edition {

QString userEditionTitle()
{
    return QStringLiteral("成鉴通（用户版）");
}

QString fullEditionTitle()
{
    return QStringLiteral("成鉴通");
}

QString defaultTitle()
{
#ifdef CJT_FULL_EDITION
    return fullEditionTitle();
#else
    return userEditionTitle();
#endif
}

bool isUserEdition(const QString &applicationTitle)
{
    return applicationTitle.contains(QStringLiteral("用户版"));
}

} // namespace Edition
