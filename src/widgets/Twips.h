#pragma once

#include <QRect>

namespace vexa {

// Window layouts are given in twips; at 96 dpi a pixel is 15 twips.
constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

inline QRect twipsToPixels(const QRect& twips) {
    return QRect(twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
                 twipsToPixels(twips.height()));
}

} // namespace vexa
