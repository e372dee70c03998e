#pragma once

#include "data/Initialisation.h"
#include "data/MemoryDump.h"
#include "gauge/GaugeEvents.h"
#include "gauge/GaugeResult.h"
#include "link/Cancellation.h"
#include "link/GaugeLink.h"
#include "protocol/ProtocolDispatch.h"
#include "protocol/RecordRows.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <optional>
#include <qcoro/qcorotask.h>
#include <vector>

namespace vexa {

// A gauge heard during a scan.
struct Advertisement {
    QString address; // the transport's server id
    QString name;
    int rssi = 0;
    bool operator==(const Advertisement&) const = default;
};

// What the connect step learnt of the gauge, as far as it got: the identity once the gauge answered the
// information command, the battery when it answered that too, and the error of the step left unanswered.
struct Identification {
    std::optional<Initialisation> initialisation;
    std::optional<double> batteryVolts;
    std::optional<GaugeError> error;
};

// A memory of a gauge with probe memories, as its memory table lists it.
struct ProbeMemory {
    QString name;
    int valueCount = 0;
    bool operator==(const ProbeMemory&) const = default;
};

// The memories of a gauge: its memory table, or the names of its memory files.
struct GaugeMemories {
    QList<ProbeMemory> probeMemories;
    // None when the gauge's answer is too short to hold a list.
    std::optional<QStringList> memoryFiles;
    // The memory table broke off (a value count beyond 32767): the memories after it are missing.
    bool tableCut = false;
};

// A probe memory read from the gauge.
struct ProbeMemoryDownload {
    // The memory as the table read just before the records lists it; none when its number is not listed.
    std::optional<ProbeMemory> listed;
    int valueCount = 0; // the records asked for
    bool empty = false; // the gauge holds no values in it
    std::vector<RecordRow> records;
};

// A live value as rows: one per record it carries (a dual reading carries two).
struct LiveReading {
    std::vector<RecordRow> records;
};

// The connected gauge, in results: scanning, the link and its characteristics, the gauge's identity,
// its memories, downloads, live values and clock. Every request waits with a deadline and ends with a
// value or a typed error; it shows nothing and asks nothing. What happens is reported to `events`.
class Gauge : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DiscoveryDeadline{4000};
    static constexpr std::chrono::milliseconds ConnectDeadline{5000};

    Gauge(Transport& transport, GaugeEvents& events, QObject* parent = nullptr);

    // --- scanning
    // Advertisements of gauges follow, each gauge once per scan; or scanFailed.
    void startScan();
    enum class ScanStop { ByUser, ByProgram };
    void stopScan(ScanStop reason = ScanStop::ByUser);

    // --- the link
    // Connects to the gauge at `address`, listed as `deviceName`. The outcome arrives
    // as linkEstablished, or linkIncomplete followed by a new attempt.
    void connectTo(const QString& address, const QString& deviceName);
    // The gauge connected last, disconnected and connected anew.
    void reconnect();
    // A gauge that lets a request run into its deadline is taken as out of range: the link is closed and
    // reported dropped by the gauge at once, and no later request waits for it until it is connected anew.
    void disconnect();
    // Disconnects and waits until the link is down, `deadline` at the most.
    QCoro::Task<> disconnectAndWait(std::chrono::milliseconds deadline = GaugeLink::AnswerDeadline);
    // The next connect picks a gauge anew.
    void forgetAddress() { address_.clear(); }

    const QString& address() const { return address_; }
    const QString& deviceName() const { return deviceName_; }
    bool linkConnected() const { return linkConnected_; }
    // The gauge dropped the link by itself (out of range, switched off).
    bool linkOffline() const { return linkOffline_; }
    bool liveValuesOn() const { return liveValuesOn_; }

    // --- requests
    // The gauge's information (and, for gauges with memory files, its probe's), and its battery.
    QCoro::Task<Identification> identify();
    const GaugeIdentity& identity() const { return identity_; }

    QCoro::Task<bool> switchLiveValues(bool on, const Cancellation* cancellation = nullptr);

    // The gauge's memories, read with live values off; they are on again once a list has arrived. A gauge
    // with memory files is asked nothing while the link is down.
    QCoro::Task<GaugeResult<GaugeMemories>> readMemoryList();

    // A memory file: the probe's information, live values off, the file read block by block and closed
    // (also when cancelled once open), then decoded. Progress is reported after each block. Live values are
    // on again afterwards unless the gauge stopped answering.
    QCoro::Task<GaugeResult<DecodedMemory>> downloadFile(QString selector,
                                                         const Cancellation* cancellation = nullptr);
    // The records of probe memory `chosen`, whose name is the number `number`, read with live values off;
    // finishProbeMemory() follows however the download ends.
    QCoro::Task<GaugeResult<ProbeMemoryDownload>>
    downloadProbeMemory(ProbeMemory chosen, int number, const Cancellation* cancellation = nullptr);
    // After a probe memory was read or refused: live values on, the probe released.
    QCoro::Task<> finishProbeMemory();

    // The gauge clock's text, and setting it to a local date and time.
    QCoro::Task<GaugeResult<QString>> readClock(const Cancellation* cancellation = nullptr);
    QCoro::Task<GaugeStatus> setClock(QDateTime localTime, const Cancellation* cancellation = nullptr);

signals:
    void scanStarted();
    void scanFailed(int code, const QString& description);
    void advertised(const vexa::Advertisement& advertisement);
    // The transport connected (status 0, "OK") or failed to; the gauge's characteristics are looked for.
    void connectAnswered();
    // Connected with the gauge's characteristics. `afterDrop`: the gauge had dropped the previous link.
    void linkEstablished(bool afterDrop);
    // Connected without all of the gauge's characteristics; a new attempt follows at once.
    void linkIncomplete();
    // The link is down. `byGauge`: the gauge dropped it (status 0, "Offline").
    void linkDropped(bool byGauge, int status, const QString& description);
    void transportError(int code, const QString& description);
    void downloadProgress(int done, int total);
    void liveReading(const vexa::LiveReading& reading);

private:
    void onValue(const QString& service, const QString& characteristic, const QByteArray& value);
    void onAdvertisement(const QString& serverId, const QString& name, int rssi);
    QCoro::Task<> onConnected(int status, QString description);
    void onDisconnected(int status, const QString& description);
    void onDiscovered(GattType type, const QString& service, const QString& characteristic);
    void onStoppedAnswering();
    void forgetCharacteristics();
    QCoro::Task<WaitResult> command(QByteArray text, const char* answerPrefix,
                                    const Cancellation* cancellation = nullptr);
    QCoro::Task<bool> closeFile();
    QCoro::Task<GaugeResult<ProbeMemoryDownload>> readProbeRecords(ProbeMemory chosen, int number,
                                                                   const Cancellation* cancellation);
    std::vector<RecordRow> recordRows(const QList<QByteArray>& lines);

    GaugeLink link_;
    GaugeEvents& events_;
    LinkValues values_;
    DispatchResult lastDispatch_;
    GaugeIdentity identity_;

    QSet<QString> advertised_; // this scan's gauges
    QString address_;
    QString deviceName_;
    bool linkConnected_ = false;
    bool linkWanted_ = false; // from a connect until the program disconnects
    bool linkOffline_ = false;
    bool liveValuesOn_ = false;
    QString commandService_;
    QSet<QString> services_;
    QSet<QString> characteristics_;
};

} // namespace vexa
