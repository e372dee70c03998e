#pragma once

#include "CallHandler.h"

namespace vexa::bluezdouble {

class BluezDouble;

inline const QString ControlPath = QStringLiteral("/org/vexa/BluezDouble");

// org.vexa.BluezDouble1: what a test changes in the radio world while the program under test runs.
//   LoadProfiles(as paths)                 replaces all gauges; a profile's "simulation" object sets its
//                                          gauge's live interval, latency and faults (GaugeOperations.h)
//   SetAdapter(b present, b powered)
//   RemoveDevice(s address)                the gauge is switched off or out of range
//   FailReads(s address, b fail)           ReadValue fails with org.bluez.Error.Failed
//   StopNotifications(s address, b stop)   live values stop; StartNotify still succeeds
//   SetGaugeClock(s address, s time, b running)
//                                          the gauge's clock shows the ISO time `time` and runs on or stands
//   CallCounts() -> a{su}                  calls on BlueZ objects by member since ResetCallCounts()
//   ResetCallCounts()
// Addresses are taken with or without colons.
class ControlInterface : public CallHandler {
public:
    explicit ControlInterface(BluezDouble& bluez);

    void call(const QDBusMessage& message) override;

private:
    QDBusMessage answer(const QDBusMessage& message);
    QDBusMessage loadProfiles(const QDBusMessage& message);
    QDBusMessage setGaugeFault(const QDBusMessage& message);
    QDBusMessage setGaugeClock(const QDBusMessage& message);

    BluezDouble& bluez_;
};

} // namespace vexa::bluezdouble
