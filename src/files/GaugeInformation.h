#pragma once

#include "data/GaugeIdentity.h"

#include <QString>

namespace vexa {

// What the information window and the command-line tool show of a gauge: its captions and fields, in
// the order of the window.
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
