#pragma once

#include "data/GaugeIdentity.h"

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

// What the information window shows of a gauge: its captions and fields, in the order of the window.
struct InformationTexts {
    QString title;
    QString deviceLabel;
    QString device;
    QString deviceSoftwareLabel;
    QString deviceSoftware;
    QString pcSoftwareLabel;
    QString pcSoftware;
    QString macLabel;
    QString mac;
    QString probeTypeLabel;
    QString probeType;
    QString probeVersionLabel;
    QString probeVersion;

    bool operator==(const InformationTexts&) const = default;
};

// The information window's texts for `gauge` in the language. Fields the gauge's generation gives nothing
// for stay empty, so that no other gauge's probe shows.
InformationTexts informationTexts(const GaugeIdentity& gauge, int languageIndex);

} // namespace vexa
