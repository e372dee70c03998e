#pragma once

#include <QString>

namespace vexa {

inline const QString ProgramName = QStringLiteral("Vexa Connect");
// The version project() sets in CMake: the number --version prints, and with a "V" before it as the windows
// show it.
inline const QString ProgramVersionNumber = QStringLiteral(VEXA_VERSION);
inline const QString ProgramVersion = QStringLiteral("V" VEXA_VERSION);

// The window title: program name, a blank, version.
inline QString windowTitle() {
    return ProgramName + QLatin1Char(' ') + ProgramVersion;
}

} // namespace vexa
