#pragma once

#include "link/RelayTransport.h"

#include <QByteArrayList>
#include <QHash>
#include <functional>

namespace vexa {

// Passes everything through, counting the operations that reach a gauge and keeping the commands
// written to the command characteristic; `tamper` may change a value on its way.
class SpyTransport : public RelayTransport {
public:
    using RelayTransport::RelayTransport;

    int operations = 0;
    QByteArrayList commands;
    QHash<QString, QByteArrayList> writes; // every value written, by characteristic
    std::function<QByteArray(const QByteArray&)> tamper;

    QByteArrayList commandsStartingWith(const char* prefix) const {
        QByteArrayList found;
        for (const QByteArray& command : commands)
            if (command.startsWith(prefix))
                found.append(command);
        return found;
    }

protected:
    void operationStarting(const QString& characteristic, const QByteArray& written) override {
        ++operations;
        if (!written.isEmpty())
            writes[characteristic].append(written);
        if (characteristic == uuid::CharVexa && !written.isEmpty())
            commands.append(written);
    }
    QByteArray valueArriving(const QString&, const QByteArray& value) override {
        return tamper ? tamper(value) : value;
    }
};

} // namespace vexa
