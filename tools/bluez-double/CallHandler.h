#pragma once

#include <QDBusMessage>
#include <QString>

namespace vexa::bluezdouble {

// Answers the method calls sent to one object path.
class CallHandler {
public:
    CallHandler() = default;
    CallHandler(const CallHandler&) = delete;
    CallHandler& operator=(const CallHandler&) = delete;
    virtual ~CallHandler() = default;

    // Answers through ObjectTree::reply, at once or later.
    virtual void call(const QDBusMessage& message) = 0;
};

// Error answers with the names BlueZ uses ("org.bluez.Error." + name).
QDBusMessage bluezError(const QDBusMessage& call, const QString& name, const QString& text);
QDBusMessage unknownMethod(const QDBusMessage& call);
QDBusMessage invalidArguments(const QDBusMessage& call);

} // namespace vexa::bluezdouble
