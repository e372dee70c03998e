#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QMap>

namespace vexa {

// The BlueZ double's control interface on the private system bus: what a test changes in the radio world.
class BluezDoubleControl {
public:
    BluezDoubleControl()
        : control_(QStringLiteral("org.bluez"), QStringLiteral("/org/vexa/BluezDouble"),
                   QStringLiteral("org.vexa.BluezDouble1"), QDBusConnection::systemBus()) {}

    // The error's text, empty when the call succeeded.
    template <typename... Args> QString call(const char* member, const Args&... args) {
        const QDBusMessage reply = control_.call(QLatin1String(member), QVariant::fromValue(args)...);
        return reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() + u' ' + reply.errorMessage()
                                                          : QString();
    }

    // Calls on the BlueZ objects by member name since the last reset.
    QMap<QString, uint> callCounts() {
        const QDBusMessage reply = control_.call(QStringLiteral("CallCounts"));
        QMap<QString, uint> counts;
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            reply.arguments().first().value<QDBusArgument>() >> counts;
        return counts;
    }

private:
    QDBusInterface control_;
};

} // namespace vexa
