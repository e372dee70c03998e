#pragma once

#include <QString>

namespace vexa {

// Service and characteristic UUIDs of the gauges, upper-case with hyphens as they are compared.
namespace uuid {
inline const QString ServiceMI = QStringLiteral("722383EA-0662-466F-B41F-0FD548267C10");
inline const QString ServiceSondeMI = QStringLiteral("AAF1D96D-594C-4C53-B1C6-144A1DFDE6D8");
inline const QString ServiceZK = QStringLiteral("3DCF8700-54E8-4FBC-A822-25EC413CA19B");
inline const QString CharVexa = QStringLiteral("000028CA-0000-1000-8000-00805F9B34FB");
inline const QString CharStorageInfo = QStringLiteral("3DCF8701-54E8-4FBC-A822-25EC413CA19B");
inline const QString CharStorageData = QStringLiteral("3DCF8702-54E8-4FBC-A822-25EC413CA19B");
inline const QString CharMeasure = QStringLiteral("3DCF8703-54E8-4FBC-A822-25EC413CA19B");
inline const QString CharTrace = QStringLiteral("CA28ED7B-0662-466F-B41F-0FD548267C10");
} // namespace uuid

} // namespace vexa
