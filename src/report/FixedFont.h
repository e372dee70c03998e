#pragma once

#include <QFont>

namespace vexa {

// Lists, the table, the printout and the PDF report are laid out in columns for "Lucida Console"; where
// it is missing a fixed-pitch face stands in so the columns still line up.
inline QFont fixedFont(int pointSize = 9) {
    QFont font(QStringLiteral("Lucida Console"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace vexa
