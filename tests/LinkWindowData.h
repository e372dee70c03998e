#pragma once

// What the link window lists for a gauge, and the program settings of a run that connected one.
#include "link/sim/GaugeProfile.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace vexa {

// The gauge's entry in the link window's list, as the rest of the program reads it.
inline QString listEntry(const sim::GaugeProfile& profile) {
    return QStringLiteral("MAC: ") + profile.address + QStringLiteral(" Name: ") + profile.name +
           QStringLiteral("       RSSI: ") + QString::number(profile.rssi);
}

// "Program.ini" of a German run that connected `last` last.
inline QByteArray programFileNaming(const sim::GaugeProfile& last) {
    return "0\r\n" + last.name.toUtf8() + "\r\n" + last.address.toUtf8() + "\r\nQY\r\n1.00\r\n";
}

// Writes "Program.ini" into the settings folder `folder`, for the next program start to read.
inline bool writeProgramFile(const QString& folder, const QByteArray& content) {
    QFile file(QDir(folder).filePath(QStringLiteral("Program.ini")));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace vexa
