#include "fonts.h"

#include <QStringList>

#include <cmath>

namespace {

QFont fontOf(const QStringList& families, double points)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(static_cast<int>(std::lround(points * 96 / 72)));
    return font;
}

} // namespace

QFont roundedGothicFont(double points)
{
    return fontOf({"HG丸ｺﾞｼｯｸM-PRO", "MotoyaLMaru", "IPAexGothic", "IPAPGothic"}, points);
}

QFont proportionalGothicFont(double points)
{
    return fontOf({"IPAPGothic", "IPAexGothic", "MS PGothic"}, points);
}

QFont monospacedGothicFont(double points)
{
    return fontOf({"IPAGothic", "MS Gothic", "Monospace"}, points);
}

QFont timesFont(double points)
{
    return fontOf({"Times New Roman", "Liberation Serif", "Serif"}, points);
}
