#include "UBookType.h"

QString BookClassCaption(int bookClass)
{
    switch (bookClass) {
    case 1: return QStringLiteral("小学英语");
    case 2: return QStringLiteral("中学英语");
    case 3: return QStringLiteral("大学英语");
    case 4: return QStringLiteral("研究生英语");
    case 5: return QStringLiteral("成人教育");
    case 6: return QStringLiteral("出国留学");
    case 7: return QStringLiteral("其它英语");
    case 8: return QStringLiteral("生词本");
    default: return {};
    }
}

QStringList ImportBookClasses()
{
    QStringList classes;
    for (int bookClass = kFirstBookClass; bookClass <= kLastImportClass; ++bookClass)
        classes.append(BookClassCaption(bookClass));
    return classes;
}
