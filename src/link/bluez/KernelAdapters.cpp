#include "link/bluez/KernelAdapters.h"

#include <QDir>
#include <QFile>

namespace vexa::bluez {

namespace {

QString firstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

} // namespace

QStringList kernelAdapters(const QString& sysfsRoot) {
    return QDir(sysfsRoot + QStringLiteral("/class/bluetooth"))
        .entryList({QStringLiteral("hci*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

RadioBlock radioBlock(const QString& sysfsRoot, const QString& name) {
    const QDir switches(sysfsRoot + QStringLiteral("/class/rfkill"));
    for (const QString& entry :
         switches.entryList({QStringLiteral("rfkill*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const QString folder = switches.filePath(entry) + u'/';
        if (firstLine(folder + QStringLiteral("type")) != u"bluetooth" ||
            firstLine(folder + QStringLiteral("name")) != name)
            continue;
        if (firstLine(folder + QStringLiteral("hard")) == u"1")
            return RadioBlock::HardBlocked;
        if (firstLine(folder + QStringLiteral("soft")) == u"1")
            return RadioBlock::SoftBlocked;
        return RadioBlock::Free;
    }
    return RadioBlock::Unknown;
}

} // namespace vexa::bluez
