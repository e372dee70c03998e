#pragma once

#include "BusTypes.h"
#include "DelayedReplies.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <chrono>
#include <map>

namespace vexa::bluezdouble {

class BluezObject;
class CallHandler;

// Everything the double shows on the bus, from `/` down: the object manager at `/`, the exported BlueZ
// objects with their Properties and Introspectable interfaces, and the control object. Counts the calls
// made on BlueZ objects and holds back the replies of GATT operations by the radio latency; the GATT
// objects of a gauge send theirs through the gauge (GaugeOperations).
class ObjectTree : public QDBusVirtualObject {
public:
    ObjectTree(QDBusConnection bus, std::chrono::microseconds gattLatency);

    void setControl(const QString& path, CallHandler* control);

    // Exports the object and announces it with InterfacesAdded; changes the object makes later are
    // announced as they happen.
    void add(BluezObject& object);
    // Announces InterfacesRemoved; nothing happens for an object that is not exported.
    void remove(BluezObject& object);
    bool exported(const BluezObject& object) const;
    void announceChanges(const BluezObject& object, const QString& interface, const QVariantMap& changes);

    void reply(const QDBusMessage& call, const QDBusMessage& answer);
    // What a gauge needs to answer its GATT calls itself, at its own latency.
    QDBusConnection bus() const { return bus_; }
    std::chrono::microseconds gattLatency() const { return gattReplies_.delay(); }

    CallCounts callCounts() const { return callCounts_; }
    void resetCallCounts() { callCounts_.clear(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    // The interfaces and child nodes of `path` as introspection XML, without the enclosing node.
    QString introspect(const QString& path) const override;

private:
    void answerProperties(const QDBusMessage& message, BluezObject& object);
    QDBusMessage answerGet(const QDBusMessage& message, const BluezObject& object) const;
    QDBusMessage answerSet(const QDBusMessage& message, BluezObject& object);
    ManagedObjects managedObjects() const;
    QStringList childNodes(const QString& path) const;

    QDBusConnection bus_;
    DelayedReplies gattReplies_;
    std::map<QString, BluezObject*> objects_;
    QString controlPath_;
    CallHandler* control_ = nullptr;
    CallCounts callCounts_;
};

} // namespace vexa::bluezdouble
