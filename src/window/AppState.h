#pragma once

#include "data/DeviceInfo.h"
#include "data/DeviceTables.h"
#include "data/DeviceTraits.h"

#include <QChar>
#include <QString>

namespace vexa {

inline const QString ProgramName = QStringLiteral("Vexa Connect");
inline const QString ProgramVersion = QStringLiteral("V1.17");

// The window title: program name, a blank, version.
inline QString windowTitle() {
    return ProgramName + QLatin1Char(' ') + ProgramVersion;
}

// The main window's working state, shared by everything that shows or evaluates readings.
struct AppState {
    QChar decimalSeparator = QChar('.');
    QString programFolder; // pictures are looked up here
    QString appDataPath;   // settings and the transfer log
    QString messDataPath;  // measurement files

    QString deviceName; // as the link delivered it
    QString deviceNumber;
    QString deviceModel;
    QString measureMode;
    QString brandCode;
    DeviceTraits traits;
    DeviceInfo deviceInfo;
    ProbeInfo probeInfo;
    bool pictureFrameVisible = false;
    std::optional<Rgb> pictureFrameBackground;

    int languageIndex = 0; // 0 German, 1 English
    int currentMemory = 0; // which row store the table shows: 0 memory or file, 2 online
    int nextRowIndex = 1;
    int onlineCounter = 1; // the number of the next online row
    QString memoryName;    // from the downloaded memory's header
    int selectedMemoryNumber = 0;
    bool openedFromFile = false; // the table shows a measurement file, not a read memory
    QString projectDate;         // dd.mm.yyyy, set when a gauge is initialised
    bool connected = false;
};

} // namespace vexa
