#pragma once

#include "DelayedReplies.h"
#include "link/sim/GaugeProfile.h"

#include <functional>
#include <optional>

namespace vexa::bluezdouble {

// How one gauge answers what a client asks of it over the air, as the "simulation" object of its profile
// shapes it; a profile without one answers everything, at the double's latency.
//
// Operations are counted from the first one after the double loaded the profile, one each, whether it
// succeeds or fails: Device1.Connect, Device1.Disconnect, the service discovery that a connect which
// brings the link up ends with, and GattCharacteristic1.ReadValue, WriteValue, StartNotify and StopNotify.
// These are what the simulated transport counts as connect, disconnect, discover, read, write, subscribe
// and unsubscribe, so one profile fails the same way in both. Property reads, the object list and
// introspection are not counted and always answered: BlueZ serves them from its cache, not from the
// gauge. Descriptor reads are not counted either and are answered even by a silent gauge: they belong to
// the discovery that exported the descriptor.
//
// After `stopAnsweringAfter` operations every further one gets no reply at all, not even an error, and
// live values stop. Once operation `dropLinkAfter` has its reply the gauge drops the link, once. The
// gauge's GATT replies, descriptor reads included, are held back by `latencyMs` or the double's own
// latency, whichever is larger.
class GaugeOperations {
public:
    enum class Turn {
        Held, // the gauge has fallen silent: never reply, change nothing
        Answer,
        AnswerThenDrop, // reply, then drop the link
    };

    // `gattLatency` is the double's; `dropLink` ends the gauge's link from its side.
    GaugeOperations(QDBusConnection bus, std::chrono::microseconds gattLatency,
                    const std::optional<sim::SimulationSettings>& settings, std::function<void()> dropLink);

    // Counts one operation.
    Turn count();
    // Live values stop once the gauge has taken its last answered operation.
    bool silent() const;
    // Sends a GATT reply after the gauge's latency (never the reply of a held operation). When `turn` asks
    // for it the link drops right after the reply has gone out, so that the client sees the outcome
    // before the loss.
    void replyGatt(const QDBusMessage& reply, Turn turn = Turn::Answer);

private:
    std::optional<int> stopAnsweringAfter_;
    std::optional<int> dropLinkAfter_;
    std::function<void()> dropLink_;
    int operations_ = 0;
    DelayedReplies gattReplies_;
};

} // namespace vexa::bluezdouble
