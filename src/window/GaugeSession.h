#pragma once

#include "link/GaugeLink.h"
#include "protocol/MemoryList.h"
#include "protocol/ProtocolDispatch.h"
#include "window/LinkWindowModel.h"

#include <QObject>
#include <qcoro/qcorotask.h>

namespace vexa {

class MainModel;

// The main window's side of the link: the connect sequence with the gauge's initialisation, the memory
// list, memory downloads, live values, and the views' switching of live values. Every step that talks
// to the gauge waits with a deadline; a gauge that stops answering ends the step with the out-of-range
// message and leaves the program usable.
class GaugeSession : public QObject {
    Q_OBJECT
public:
    GaugeSession(Transport& transport, MainModel& main, QObject* parent = nullptr);

    GaugeLink& link() { return link_; }
    LinkWindowModel& linkWindow() { return linkWindow_; }

    // The main window's connect button: connect (through the link window), disconnect, or reconnect.
    QCoro::Task<> cmdConnect_Click();
    // The rest of the connect sequence once the link window has connected: the gauge's initialisation,
    // the connection check, its settings, online view and memory list.
    QCoro::Task<> gaugeConnected();

    QCoro::Task<> Initialisierung();
    void Verbindungscheck();
    void setUpButtonsByGeneration();

    QCoro::Task<> SpeicherInfoLesen(bool fillList);
    QCoro::Task<> SpeicherInfoDatei();
    QCoro::Task<> cmdRefresh_Click();

    // "Read Memory": a memory file or a probe memory, by the gauge's generation.
    QCoro::Task<> cmdLesen_Click();
    QCoro::Task<> Read_Datei();
    QCoro::Task<> readProbeMemory();
    // "Stop" while a download runs.
    void cmdStop_Click() { link_.cancel(); }

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
    void onValue(const QString& service, const QString& characteristic, const QByteArray& value);
    void onLiveValue(const QByteArray& value);
    QCoro::Task<WaitResult> command(QByteArray text, const char* answerPrefix);
    QCoro::Task<bool> subscribeMeasure();
    QCoro::Task<bool> unsubscribeMeasure();
    QCoro::Task<bool> closeFile();
    QCoro::Task<bool> downloadProbeRecords(const ProbeMemoryChoice& choice, int number);
    void Meldung_Speicher_Leer();
    // A request got no answer: the gauge is out of range or off.
    void gaugeLost();
    void showStatus(const QString& text);

    MainModel& main_;
    GaugeLink link_;
    LinkWindowModel linkWindow_;
    LinkValues values_;
    DispatchResult lastDispatch_;
    bool downloading_ = false;
};

} // namespace vexa
