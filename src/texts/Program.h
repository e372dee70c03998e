#pragma once

#include <QString>

namespace vexa {

inline const QString ProgramName = QStringLiteral("Vexa Connect");
inline const QString ProgramVersion = QStringLiteral("V1.17");

// The window title: program name, a blank, version.
inline QString windowTitle() {
    return ProgramName + QLatin1Char(' ') + ProgramVersion;
}

} // namespace vexa
