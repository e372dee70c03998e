#include "protocol/ProtocolCommands.h"

namespace vexa::command {

QByteArray deviceInformation() {
    return QByteArrayLiteral("$vexa00!");
}

QByteArray probeInformation() {
    return QByteArrayLiteral("$gpi!");
}

QByteArray batteryVoltage() {
    return QByteArrayLiteral("$gcv!");
}

QByteArray readClock() {
    return QByteArrayLiteral("$glt!");
}

QByteArray listFiles() {
    return QByteArrayLiteral("$ls!");
}

QString clockText(const QDateTime& localTime) {
    return localTime.toString(QStringLiteral("yyyy-MM-dd/HH:mm:ss"));
}

QByteArray setClock(const QDateTime& localTime) {
    return "$slt?" + clockText(localTime).toLatin1() + "!\r\n";
}

QByteArray openFile(const QString& memoryName) {
    return "$fr?" + memoryName.toLatin1() + '!';
}

QByteArray readBlock(qint16 fileHandle, qint32 byteCount) {
    return "$rd?" + QByteArray::number(fileHandle) + ' ' + QByteArray::number(byteCount) + '!';
}

QByteArray closeFile(qint16 fileHandle) {
    return "$fc?" + QByteArray::number(fileHandle) + '!';
}

QByteArray selectMemory(const QString& memoryName) {
    return memoryName.toLatin1();
}

QByteArray releaseProbe() {
    return QByteArrayLiteral("-");
}

BlockPlan blockPlan(qint32 fileLength) {
    if (fileLength <= 0)
        return {};
    return {fileLength / BlockPlan::BlockBytes, fileLength % BlockPlan::BlockBytes};
}

} // namespace vexa::command
