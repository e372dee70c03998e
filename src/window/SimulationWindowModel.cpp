#include "window/SimulationWindowModel.h"

#include "texts/Texts.h"
#include "window/MainModel.h"

namespace vexa {

using namespace simctl;

SimulationWindowModel::SimulationWindowModel(SimulationControl& simulation, MainModel& main, QObject* parent)
    : QObject(parent)
    , simulation_(simulation)
    , main_(main) {
    connect(&simulation_, &SimulationControl::changed, this, &SimulationWindowModel::showGauge);
    connect(&main_, &MainModel::textsApplied, this, &SimulationWindowModel::applyTexts);
    applyTexts();
}

void SimulationWindowModel::applyTexts() {
    const int lang = main_.state().languageIndex;
    controls_.setCaption(frmSimulation, Texts::notice(Notice::SimulatedGauges, lang));
    controls_.setCaption(cmdMeasure, Texts::notice(Notice::Measure, lang));
    controls_.setCaption(chkEvery, Texts::notice(Notice::Every, lang));
    showGauge();
}

void SimulationWindowModel::showGauge() {
    const std::optional<QString> gauge = simulation_.connectedGauge();
    controls_.setCaption(
        lblGauge, gauge.value_or(Texts::notice(Notice::NoGaugeConnected, main_.state().languageIndex)));
    for (const QString& name : {cmdMeasure, chkEvery, spnEverySeconds})
        controls_.setEnabled(name, gauge.has_value());

    const std::optional<int> interval = simulation_.liveIntervalMs();
    controls_.setChecked(chkEvery, interval.has_value());
    if (interval && *interval != everyMs_) {
        everyMs_ = *interval;
        emit everyChanged();
    }
}

void SimulationWindowModel::cmdMeasure_Click() {
    if (simulation_.connectedGauge())
        simulation_.measure();
}

void SimulationWindowModel::chkEvery_Click(bool ticked) {
    if (simulation_.connectedGauge())
        simulation_.setLiveIntervalMs(ticked ? std::optional(everyMs_) : std::nullopt);
}

void SimulationWindowModel::spnEverySeconds_Change(int intervalMs) {
    everyMs_ = qMax(1, intervalMs);
    if (simulation_.connectedGauge() && simulation_.liveIntervalMs())
        simulation_.setLiveIntervalMs(everyMs_);
    emit everyChanged();
}

} // namespace vexa
