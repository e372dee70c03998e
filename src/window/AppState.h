#pragma once

#include "data/GaugeIdentity.h"
#include "data/MeasurementRow.h"
#include "texts/Program.h"

#include <QChar>
#include <QString>

namespace vexa {

// What the main window's connect button does.
enum class ConnectAction { Connect, Disconnect, Reconnect };

// What the link status field says.
enum class LinkStatus { PleaseWait, Connected, Disconnected, NotConnected, OutOfRange };

// The main window's working state, shared by everything that shows or evaluates readings.
struct AppState {
    QChar decimalSeparator = QChar('.');
    QString programFolder; // pictures are looked up here
    QString appDataPath;   // settings and the transfer log
    QString messDataPath;  // measurement files

    GaugeIdentity gauge; // the gauge connected last

    int languageIndex = 0; // 0 German, 1 English
    View view = View::Memory;
    int nextRowIndex = 1;
    int onlineCounter = 1; // the number of the next online row
    QString memoryName;    // from the downloaded memory's header
    int selectedMemoryNumber = 0;
    // The memory chosen in the memory list: an entry the program listed, or what the user typed.
    QString selectedMemory;
    bool openedFromFile = false; // the table shows a measurement file, not a read memory
    QString projectDate;         // dd.mm.yyyy, set when a gauge is initialised
    bool connected = false;
    ConnectAction connectAction = ConnectAction::Connect;
    LinkStatus linkStatus = LinkStatus::PleaseWait;
};

} // namespace vexa
