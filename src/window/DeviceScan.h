#pragma once

#include "window/LinkWindowModel.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <qcoro/qcorotask.h>

namespace vexa {

// The link window driven where no one clicks: a scan that ends by itself, and connecting to a listed gauge.

struct ScanResult {
    QStringList entries; // the device list as the scan left it
    int match = -1;      // the first entry containing the wanted text; -1: none
    bool failed = false; // the transport could not scan (no adapter, Bluetooth off)
};

// Scans through the link window until an entry containing `wanted` (any case) is listed or `deadline` has
// passed; without `wanted` the scan runs until the deadline. The scan is stopped either way.
QCoro::Task<ScanResult> scanDevices(LinkWindowModel& window, std::optional<QString> wanted,
                                    std::chrono::milliseconds deadline);

// Entry `row` of the device list chosen and connected as the link window's connect button does. True once
// the link is up with the gauge's characteristics, within the window's connect and discovery deadlines.
QCoro::Task<bool> connectListedDevice(LinkWindowModel& window, int row);

} // namespace vexa
