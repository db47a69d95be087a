#include "UFontMap.h"

#include <QStringList>

namespace {
const QString kCjkFont = QStringLiteral("WenQuanYi Zen Hei");
const QString kLatinFont = QStringLiteral("Liberation Sans"); // same metrics as Arial
} // namespace

void InstallFontSubstitutions()
{
    const QStringList cjkNames = {QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("华文新魏"),
                                  QStringLiteral("SimSun"), QStringLiteral("SimHei"), QStringLiteral("STXinwei")};
    for (const QString &name : cjkNames)
        QFont::insertSubstitutions(name, {kCjkFont, kLatinFont});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {kLatinFont, kCjkFont});
}

QFont FontByPixels(const QString &family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont FontByPoints(const QString &family, int points, bool bold)
{
    QFont font(family);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}
