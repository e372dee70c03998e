#include "files/GaugeInformation.h"

#include "protocol/DeviceList.h"
#include "texts/Program.h"
#include "texts/Texts.h"

namespace vexa {

InformationTexts informationTexts(const GaugeIdentity& gauge, int languageIndex) {
    const auto message = [languageIndex](Msg slot) { return Texts::message(slot, languageIndex); };
    const QString serial = QStringLiteral("/SNR");
    const DeviceInfo& device = gauge.device;
    // The name is the advertised one, and the gauge's own stays as it is: a generation-4 name loses its
    // leading "." here only (it used to be cut from the shared name, which later reports then showed).
    QString name = advertisedName(gauge.deviceName);

    InformationTexts texts;
    texts.title = windowTitle();
    texts.deviceLabel = message(Msg::Device) + serial;
    texts.deviceSoftwareLabel = message(Msg::DeviceSoftwareVersion);
    texts.pcSoftwareLabel = QStringLiteral("Version PC Software");
    texts.pcSoftware = ProgramVersion;
    texts.macLabel = QStringLiteral("MacAdresse");
    texts.mac = device.M;
    texts.probeTypeLabel = message(Msg::ProbeType);
    texts.probeVersionLabel = message(Msg::ProbeVersion);
    if (gauge.traits.generation != '4') {
        texts.device = name + QStringLiteral(" / ") + gauge.deviceNumber();
        texts.deviceSoftware = device.R;
        texts.probeTypeLabel += serial;
        texts.probeType = gauge.probe.T + QStringLiteral(" / ") + gauge.probe.S;
        texts.probeVersion = gauge.probe.R;
        return texts;
    }
    if (name.startsWith(u'.'))
        name.remove(0, 1);
    texts.device = name;
    if (device.T == u"3")
        texts.device = QStringLiteral("ZELVO-KIT DUAL / ") + gauge.deviceNumber();
    else if (device.T == u"1")
        texts.device = QStringLiteral("ZELVO-KIT Sidra / ") + gauge.deviceNumber();
    texts.deviceSoftware = device.V.isEmpty() ? device.R : device.R + u'/' + device.B;
    texts.probeType = device.T;
    return texts;
}

} // namespace vexa
