#pragma once

#include <QString>

namespace vexa {

// Object names of the information window.
namespace infoctl {
inline const QString frmInfo = QStringLiteral("frmInfo");
inline const QString txtGeraet = QStringLiteral("txtGeraet");
inline const QString txtGeraeteSoft = QStringLiteral("txtGeraeteSoft");
inline const QString txtPCSoft = QStringLiteral("txtPCSoft");
inline const QString txtMacAdr = QStringLiteral("txtMacAdr");
inline const QString txtSondentyp = QStringLiteral("txtSondentyp");
inline const QString txtSondenversion = QStringLiteral("txtSondenversion");
inline const QString lblGeraet = QStringLiteral("lblGeraet");
inline const QString lblGeraetSoft = QStringLiteral("lblGeraetSoft");
inline const QString lblPCSoft = QStringLiteral("lblPCSoft");
inline const QString lblMacAdr = QStringLiteral("lblMacAdr");
inline const QString lblSondentyp = QStringLiteral("lblSondentyp");
inline const QString lblSondenversion = QStringLiteral("lblSondenversion");
} // namespace infoctl

} // namespace vexa
