#pragma once

#include "gauge/Gauge.h"
#include "link/bluez/BluetoothFacts.h"
#include "window/ControlState.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>

namespace vexa {

class MainModel;

// Object names of the link window's controls.
namespace ble {
inline const QString BLE = QStringLiteral("BLE");
inline const QString lbDevices = QStringLiteral("lbDevices");
inline const QString cmdScan = QStringLiteral("cmdScan");
inline const QString cmdConnect = QStringLiteral("cmdConnect");
inline const QString cmdReconnect = QStringLiteral("cmdReconnect");
inline const QString Label1 = QStringLiteral("Label1");
inline const QString txtLog = QStringLiteral("txtLog");
inline const QString lblAdapter = QStringLiteral("lblAdapter");
inline const QString cmbAdapter = QStringLiteral("cmbAdapter");
} // namespace ble

// The Bluetooth adapters the link window offers where the machine has more than one, and what choosing
// one does to the link.
struct AdapterChoice {
    std::function<QCoro::Task<QList<bluez::AdapterFacts>>()> listAdapters; // the system's default first
    std::function<void(const QString& address)> useAdapter;
    QString current; // the address of the adapter in use; empty: the system's default
};

// The link window's logic: scanning and listing gauges, connecting, following the link's state,
// reconnecting. It shows what the gauge layer reports, in the link window and the main window.
class LinkWindowModel : public QObject {
    Q_OBJECT
public:
    LinkWindowModel(Gauge& gauge, MainModel& main, QObject* parent = nullptr);

    ControlState& controls() { return controls_; }
    Gauge& gauge() { return gauge_; }

    // Window load: captions.
    void load();
    void applyTexts();

    // The main window opens the link window to connect: unless a gauge is connected (the connect button
    // says "Disconnect"), a new scan starts at once. The adapters are listed anew each time.
    void opening();

    // Real Bluetooth: the window offers the adapters when there is more than one. Without a choice (the
    // simulated gauges) it offers none.
    void offerAdapters(AdapterChoice choice);
    // The user chose the adapter listed at `index`: a scan under way starts again through it.
    void cmbAdapter_Click(int index);

    void cmdScan_Click();
    // The window closed without a link: a scan it started ends with it.
    void closedWithoutLink();
    void lbDevices_Click(int row);
    // A double-click on an entry chooses it and connects to its gauge; while a gauge is connected it only
    // chooses, as the connect button would disconnect.
    void lbDevices_DblClick(int row);
    // The link window's connect button: connects to the chosen gauge, or disconnects.
    void cmdConnect_Click();
    void cmdReconnect_Click() { Reconnect(); }
    void BLEDisconnect();
    void Reconnect();

    bool scanning() const { return scanning_; }

signals:
    // The link is up and the gauge's characteristics are known: the window hides itself.
    void linkEstablished();

private:
    void showScanning(bool scanning);
    void showConnectAction(bool disconnects);
    void onScanFailed(int code, const QString& description);
    void onAdvertised(const Advertisement& advertisement);
    void startScan();
    bool isLastGauge(const Advertisement& advertisement) const;
    void onLinkEstablished(bool afterDrop);
    void onLinkIncomplete();
    void onLinkDropped(bool byGauge, int status, const QString& description);
    void onTransportError(int code, const QString& description);
    void clearList();
    QCoro::Task<> listAdapters();
    void showAdapters();

    Gauge& gauge_;
    MainModel& main_;
    ControlState controls_;
    bool scanning_ = false;
    bool connectDisconnects_ = false; // the connect button says "Disconnect"
    QList<Advertisement> listed_;
    int selectedRow_ = -1; // chosen by the user, or the gauge connected last
    std::optional<AdapterChoice> adapterChoice_;
    QList<bluez::AdapterFacts> adapters_; // as the window lists them
};

} // namespace vexa
