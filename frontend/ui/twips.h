#pragma once
// Window layouts are given in twips: 15 twips make one pixel at 96 dpi.

#include <QRect>

constexpr int twipsToPixels(int twips) { return (twips + 7) / 15; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
