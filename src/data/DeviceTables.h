#pragma once

#include "data/Colours.h"
#include "data/DeviceTraits.h"

#include <QString>
#include <QStringList>
#include <optional>

// What a gauge is, decided from the name it advertises and the serial number it reports.
namespace vexa {

struct ModelDecision {
    QString deviceModel;
    QString measureMode;
    bool pictureFrameVisible = false;
    std::optional<Rgb> pictureFrameBackground;
    QString brandCode; // only meaningful when brandSet
    bool brandSet = false;
    bool operator==(const ModelDecision&) const = default;
};

// Applies the device-name table: every matching row overwrites what earlier rows set; a name that
// matches nothing keeps the previous model, mode and frame.
ModelDecision decideModel(const QString& deviceName, const ModelDecision& previous);

// The measuring mode the device-name table gives `deviceModel` (each model has one); empty for a model
// it does not name.
QString measureModeOfModel(const QString& deviceModel);

// Serial numbers 7000..7999 (blanks around ignored) belong to the FD brand whatever the name says.
bool isFerlundSerialNumber(const QString& deviceNumber);

// Traits by the first three characters of the trimmed model; nullopt for a model not in the table.
std::optional<DeviceTraits> traitsForModel(const QString& deviceModel);

// The models of the traits table, in its order.
QStringList modelsWithTraits();

enum class PictureFit { Natural, Stretched };

struct ModelPicture {
    QString fileName; // in the program folder
    PictureFit fit = PictureFit::Natural;
    bool hidesPictureFrame = false;
    bool movesStatusField = false; // the status field moves beside a natural-size picture
};

std::optional<ModelPicture> modelPicture(const QString& deviceModel);

struct Brand {
    QString logoFile;
    QString iconFile; // empty: keep the built-in icon
    QString companyCaption;
    Rgb captionColour;
    QString frameFile; // loaded stretched into the frame picture before the logo
};

Brand brandFor(const QString& brandCode);

struct BatterySymbol {
    QChar symbol; // 'J' good, 'K' medium, 'L' bad
    Rgb colour;
};

// Nothing for 0 V or a generation without thresholds.
std::optional<BatterySymbol> batterySymbol(const DeviceTraits& traits, double volts);

} // namespace vexa
