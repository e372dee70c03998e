#pragma once

#include "link/bluez/BluetoothFacts.h"

#include <QStringList>

namespace vexa::bluez {

// The adapters the kernel has (sysfs's class "bluetooth"), whether BlueZ runs or not: "hci0", ...
QStringList kernelAdapters(const QString& sysfsRoot);

// The rfkill switch of the adapter `name` (sysfs's class "rfkill", an entry of type "bluetooth" that
// carries the adapter's name).
RadioBlock radioBlock(const QString& sysfsRoot, const QString& name);

} // namespace vexa::bluez
