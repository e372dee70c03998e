#include "data/DeviceTables.h"

#include <array>

namespace vexa {

namespace {

struct NameRow {
    std::array<const char*, 2> needles; // second may be null
    const char* model;
    const char* mode;
    bool frameVisible;
    std::optional<Rgb> frameBackground;
    const char* brand; // null: leaves the brand unchanged
};

const std::array<NameRow, 13> nameTable{{
    {{"QY", nullptr}, "QY", "SM", true, colours::QYblue, nullptr},
    {{"NOVA", nullptr}, "QY", "SM", true, std::nullopt, nullptr},
    {{"KR-4", nullptr}, "KR4", "FM", true, colours::KRred, nullptr},
    {{"KR-8", nullptr}, "KR8", "FM", false, std::nullopt, nullptr},
    {{"Tivo", "TIVO"}, "KR8", "FM", false, std::nullopt, "TV"},
    {{"Sidra", nullptr}, "WP", "PM", true, std::nullopt, nullptr},
    {{"350", nullptr}, "VD1", "VD", false, std::nullopt, nullptr},
    {{"450", nullptr}, "VD2", "VD", false, std::nullopt, nullptr},
    {{"VIMS", nullptr}, "WL", "MF", false, std::nullopt, nullptr},
    {{"ZEL", nullptr}, "ZKB", "SM", false, std::nullopt, nullptr},
    {{"PEMRA", nullptr}, "ZKB", "SM", false, std::nullopt, "FD"},
    {{"DELTA", nullptr}, "ZKB", "SM", false, std::nullopt, "MV"},
    {{"Thickness", nullptr}, "ZKB", "SM", false, std::nullopt, "QV"},
}};

bool matches(const QString& name, const NameRow& row) {
    for (const char* needle : row.needles)
        if (needle && name.contains(QLatin1String(needle), Qt::CaseSensitive))
            return true;
    return false;
}

} // namespace

ModelDecision decideModel(const QString& deviceName, const ModelDecision& previous) {
    ModelDecision decision = previous;
    decision.brandSet = false;
    for (const NameRow& row : nameTable) {
        if (!matches(deviceName, row))
            continue;
        decision.deviceModel = QLatin1String(row.model);
        decision.measureMode = QLatin1String(row.mode);
        decision.pictureFrameVisible = row.frameVisible;
        decision.pictureFrameBackground = row.frameBackground;
        if (row.brand) {
            decision.brandCode = QLatin1String(row.brand);
            decision.brandSet = true;
        }
    }
    return decision;
}

QString measureModeOfModel(const QString& deviceModel) {
    for (const NameRow& row : nameTable)
        if (deviceModel == QLatin1String(row.model))
            return QLatin1String(row.mode);
    return {};
}

bool isFerlundSerialNumber(const QString& deviceNumber) {
    bool ok = false;
    const double number = deviceNumber.trimmed().toDouble(&ok);
    return ok && number >= 7000 && number <= 7999;
}

namespace {

struct TraitsRow {
    const char* model;
    DeviceTraits traits;
};

const std::array<TraitsRow, 8> traitsTable{{
    {"ZKB", {'4', 'L', 'E', '2', '+', '-', '2'}},
    {"QY", {'5', 'L', 'E', '2', '+', '-', '2'}},
    {"KR4", {'5', 'L', 'E', '2', '-', '-', '2'}},
    {"KR8", {'4', 'L', 'E', '2', '-', '-', '2'}},
    {"VD1", {'4', 'L', 'E', '2', '+', '-', '2'}},
    {"VD2", {'5', 'L', 'E', '2', '+', '-', '1'}},
    {"WP", {'5', 'L', 'E', '2', '-', '-', '3'}},
    {"WL", {'5', 'L', 'E', '0', '-', '-', '3'}},
}};

} // namespace

std::optional<DeviceTraits> traitsForModel(const QString& deviceModel) {
    const QString key = deviceModel.trimmed().left(3);
    for (const TraitsRow& row : traitsTable)
        if (key == QLatin1String(row.model))
            return row.traits;
    return std::nullopt;
}

QStringList modelsWithTraits() {
    QStringList models;
    for (const TraitsRow& row : traitsTable)
        models.append(QLatin1String(row.model));
    return models;
}

std::optional<ModelPicture> modelPicture(const QString& deviceModel) {
    const QString& m = deviceModel;
    if (m == u"QY")
        return ModelPicture{QStringLiteral("QY.png"), PictureFit::Natural, false, true};
    if (m == u"KR4")
        return ModelPicture{QStringLiteral("KR4000.png"), PictureFit::Natural, false, true};
    if (m == u"WP" || m == u"VD2")
        return ModelPicture{QStringLiteral("WP.png"), PictureFit::Natural, false, true};
    if (m == u"WL")
        return ModelPicture{QStringLiteral("WL.png"), PictureFit::Natural, false, true};
    if (m == u"ZKB")
        return ModelPicture{QStringLiteral("ZK.gif"), PictureFit::Stretched, false, false};
    if (m == u"VD1")
        return ModelPicture{QStringLiteral("VD.gif"), PictureFit::Stretched, true, false};
    if (m == u"KR8")
        return ModelPicture{QStringLiteral("KR.gif"), PictureFit::Stretched, false, false};
    return std::nullopt;
}

Brand brandFor(const QString& brandCode) {
    if (brandCode == u"FD")
        return {QStringLiteral("Ferlundlogo.jpg"),
                QStringLiteral("Ferlund.ico"),
                QStringLiteral("Ferlund GmbH"),
                colours::pemrablue,
                {}};
    if (brandCode == u"MV")
        return {QStringLiteral("Marvik.jpg"),
                QStringLiteral("Marvik.ico"),
                QStringLiteral("Marvik AG"),
                colours::pemrablue,
                {}};
    if (brandCode == u"QV")
        return {QStringLiteral("Quorvel.jpg"),
                QStringLiteral("Quorvel.ico"),
                QStringLiteral("Quorvel Graphics"),
                colours::quorgruen,
                {}};
    if (brandCode == u"TV")
        return {QStringLiteral("Tivona.jpg"),
                QStringLiteral("Tivona.ico"),
                QStringLiteral("Tivona"),
                colours::pemrablue,
                {}};
    return {QStringLiteral("Vexalogo.jpg"),
            {},
            QStringLiteral("Orvanto GmbH"),
            colours::pemrablue,
            QStringLiteral("Rahmen.jpg")};
}

std::optional<BatterySymbol> batterySymbol(const DeviceTraits& traits, double volts) {
    if (volts == 0)
        return std::nullopt;
    double good = 0;
    double bad = 0;
    if (traits.hasProbeMemories()) {
        good = 1.4;
        bad = 1.1;
    } else if (traits.hasMemoryFiles()) {
        good = 4.3;
        bad = 3.5;
    } else {
        return std::nullopt;
    }
    if (volts >= good)
        return BatterySymbol{QChar('J'), colours::darkgreen};
    if (volts > bad)
        return BatterySymbol{QChar('K'), colours::orange};
    return BatterySymbol{QChar('L'), colours::red};
}

} // namespace vexa
