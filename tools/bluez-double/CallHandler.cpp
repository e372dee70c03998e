#include "CallHandler.h"

namespace vexa::bluezdouble {

QDBusMessage bluezError(const QDBusMessage& call, const QString& name, const QString& text) {
    return call.createErrorReply(QStringLiteral("org.bluez.Error.") + name, text);
}

QDBusMessage unknownMethod(const QDBusMessage& call) {
    return call.createErrorReply(QDBusError::UnknownMethod,
                                 QStringLiteral("No method %1.%2 with signature \"%3\" on %4")
                                     .arg(call.interface(), call.member(), call.signature(), call.path()));
}

QDBusMessage invalidArguments(const QDBusMessage& call) {
    return call.createErrorReply(
        QDBusError::InvalidArgs,
        QStringLiteral("Invalid arguments \"%1\" for %2").arg(call.signature(), call.member()));
}

} // namespace vexa::bluezdouble
