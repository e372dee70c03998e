#pragma once

#include "link/SimulationControl.h"
#include "window/ControlState.h"

#include <QObject>

namespace vexa {

class MainModel;

// Object names of the window of simulated gauges.
namespace simctl {
inline const QString frmSimulation = QStringLiteral("frmSimulation");
inline const QString lblGauge = QStringLiteral("lblGauge");
inline const QString cmdMeasure = QStringLiteral("cmdMeasure");
inline const QString chkEvery = QStringLiteral("chkEvery");
inline const QString spnEverySeconds = QStringLiteral("spnEverySeconds");
} // namespace simctl

// The window of simulated gauges: the connected gauge measured at a click, or every so many seconds. It
// shows what the simulation says of the connected gauge, in the main window's language.
class SimulationWindowModel : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultEveryMs = 1000;

    SimulationWindowModel(SimulationControl& simulation, MainModel& main, QObject* parent = nullptr);

    ControlState& controls() { return controls_; }
    // What the seconds field holds, in milliseconds: the interval the check box switches on.
    int everyMs() const { return everyMs_; }

    void applyTexts();
    void cmdMeasure_Click();
    void chkEvery_Click(bool ticked);
    // The seconds field changed; a running interval takes the new one at once.
    void spnEverySeconds_Change(int intervalMs);

signals:
    // The seconds field shows everyMs() anew.
    void everyChanged();

private:
    // Names, enabled controls, the check box and the seconds field as the simulation has them.
    void showGauge();

    SimulationControl& simulation_;
    MainModel& main_;
    ControlState controls_;
    int everyMs_ = DefaultEveryMs;
};

} // namespace vexa
