#include "GaugeOperations.h"

#include <algorithm>

namespace vexa::bluezdouble {

namespace {

// The larger of the two, not their sum: the double's latency stands for the radio, a profile's for the
// whole round trip to its gauge, and a profile can make its gauge slower than the radio but not faster.
std::chrono::microseconds latencyOf(std::chrono::microseconds gattLatency,
                                    const std::optional<sim::SimulationSettings>& settings) {
    if (!settings || !settings->latencyMs)
        return gattLatency;
    return std::max<std::chrono::microseconds>(gattLatency, std::chrono::milliseconds(*settings->latencyMs));
}

} // namespace

GaugeOperations::GaugeOperations(QDBusConnection bus, std::chrono::microseconds gattLatency,
                                 const std::optional<sim::SimulationSettings>& settings,
                                 std::function<void()> dropLink)
    : stopAnsweringAfter_(settings ? settings->stopAnsweringAfter : std::nullopt)
    , dropLinkAfter_(settings ? settings->dropLinkAfter : std::nullopt)
    , dropLink_(std::move(dropLink))
    , gattReplies_(std::move(bus), latencyOf(gattLatency, settings)) {}

GaugeOperations::Turn GaugeOperations::count() {
    const int number = ++operations_;
    if (stopAnsweringAfter_ && number > *stopAnsweringAfter_)
        return Turn::Held;
    return dropLinkAfter_ && number == *dropLinkAfter_ ? Turn::AnswerThenDrop : Turn::Answer;
}

bool GaugeOperations::silent() const {
    return stopAnsweringAfter_ && operations_ >= *stopAnsweringAfter_;
}

void GaugeOperations::replyGatt(const QDBusMessage& reply, Turn turn) {
    gattReplies_.send(reply, turn == Turn::AnswerThenDrop ? dropLink_ : std::function<void()>());
}

} // namespace vexa::bluezdouble
