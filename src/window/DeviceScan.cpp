#include "window/DeviceScan.h"

#include "link/Wakeup.h"

#include <QDeadlineTimer>

namespace vexa {

namespace {

int firstMatch(const QStringList& entries, const std::optional<QString>& wanted) {
    if (!wanted)
        return -1;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].contains(*wanted, Qt::CaseInsensitive))
            return i;
    return -1;
}

} // namespace

QCoro::Task<ScanResult> scanDevices(LinkWindowModel& window, std::optional<QString> wanted,
                                    std::chrono::milliseconds deadline) {
    ScanResult result;
    Wakeup wake;
    wake.watch(&window.controls(), &ControlState::changed);
    wake.watch(&window.link().transport(), &Transport::scanFailed);
    QObject::connect(&window.link().transport(), &Transport::scanFailed, &wake,
                     [&result] { result.failed = true; });

    const QDeadlineTimer until(deadline);
    window.cmdScan_Click();
    while (true) {
        result.entries = window.controls().items(ble::lbDevices);
        result.match = firstMatch(result.entries, wanted);
        if (result.match >= 0 || result.failed || until.hasExpired())
            break;
        co_await wake.next(std::chrono::milliseconds(until.remainingTime()));
    }
    if (window.controls().caption(ble::cmdScan) != u"Scan")
        window.cmdScan_Click();
    else
        window.link().transport().stopScan();
    co_return result;
}

QCoro::Task<bool> connectListedDevice(LinkWindowModel& window, int row) {
    Wakeup established;
    established.watch(&window, &LinkWindowModel::linkEstablished);
    window.lbDevices_Click(row);
    window.cmdConnect_Click();
    co_await established.next(LinkWindowModel::ConnectDeadline + LinkWindowModel::DiscoveryDeadline);
    co_return window.linkConnected();
}

} // namespace vexa
