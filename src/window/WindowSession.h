#pragma once

#include "gauge/Gauge.h"
#include "link/Cancellation.h"
#include "window/ClockWindowModel.h"
#include "window/LinkWindowModel.h"

#include <QObject>
#include <qcoro/qcorotask.h>

namespace vexa {

class MainModel;

// The main window's side of the gauge: its connect button with the gauge's initialisation, the memory
// list, memory downloads, live values, and the views' switching of live values. It turns what the gauge
// layer returns into what the window shows; a gauge that stops answering ends the step with the
// out-of-range message and leaves the program usable.
class WindowSession : public QObject {
    Q_OBJECT
public:
    WindowSession(Transport& transport, MainModel& main, QObject* parent = nullptr);

    Gauge& gauge() { return gauge_; }
    LinkWindowModel& linkWindow() { return linkWindow_; }
    ClockWindowModel& clockWindow() { return clockWindow_; }

    // The main window's connect button: connect (through the link window), disconnect, or reconnect.
    QCoro::Task<> cmdConnect_Click();
    // The rest of the connect sequence once the link window has connected: the gauge's initialisation,
    // the connection check, its settings, online view and memory list.
    QCoro::Task<> gaugeConnected();

    QCoro::Task<> cmdRefresh_Click();
    // "Read Memory": a memory file or a probe memory, by the gauge's kind.
    QCoro::Task<> cmdLesen_Click();
    // "Stop" while a download runs.
    void cmdStop_Click() { download_.cancel(); }

    QCoro::Task<> optFE_Click();
    QCoro::Task<> optOnline_Click();
    // Program end: the gauge is disconnected first.
    QCoro::Task<> endProgram();

signals:
    // The link window should be shown, modally: it returns once the user connected or closed it.
    void linkWindowRequested();
    // A step got no answer within its deadline or lost the link: the gauge is out of range or off.
    void gaugeNotAnswering();

private:
    QCoro::Task<> initialise();
    // The window as the link stands after the gauge's initialisation.
    void showConnectionState();
    void setUpButtonsByGeneration();
    // The memory list of either kind of gauge.
    QCoro::Task<> readMemoryList();
    QCoro::Task<> downloadMemoryFile();
    QCoro::Task<> readProbeMemory();
    QCoro::Task<> downloadProbeMemory(QString name, int valueCount, int number);
    void showLiveReading(const LiveReading& reading);
    // The status field says that the memory read holds no values.
    void reportEmptyMemory();
    // A request got no answer: the gauge is out of range or off.
    void gaugeLost();
    void showStatus(const QString& text);

    MainModel& main_;
    Gauge gauge_;
    LinkWindowModel linkWindow_;
    ClockWindowModel clockWindow_;
    Cancellation download_;
    bool downloading_ = false;
    bool onlineFullSaid_ = false; // the full online table was reported; readings since are only logged
};

} // namespace vexa
