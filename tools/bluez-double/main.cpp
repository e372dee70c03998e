// A stand-in for the BlueZ daemon on a private system bus: it owns org.bluez and shows simulated gauges
// as Bluetooth LE devices, so that the Qt Bluetooth transport can be tested without a radio. Prints
// "ready" once the name is owned and the adapter exported.

#include "BluezDouble.h"
#include "BusTypes.h"
#include "ControlInterface.h"
#include "ProfileFiles.h"
#include "QuitOnSignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

using namespace vexa::bluezdouble;

namespace {

struct Arguments {
    DoubleOptions options;
    QStringList profiles;
    QStringList secondAdapterProfiles;
};

std::optional<Arguments> parseArguments(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("BlueZ test double hosting simulated gauges"));
    parser.addHelpOption();
    const QCommandLineOption noAdapter(QStringLiteral("no-adapter"),
                                       QStringLiteral("Start without an adapter."));
    const QCommandLineOption secondAdapter(
        QStringLiteral("second-adapter"),
        QStringLiteral("Show a second adapter, hci1, with this gauge in its range only (repeatable)."),
        QStringLiteral("PROFILE.json"));
    const QCommandLineOption liveInterval(QStringLiteral("live-interval-ms"),
                                          QStringLiteral("Interval of live-value notifications, where a "
                                                         "profile does not set its own."),
                                          QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption latency(QStringLiteral("latency-us"),
                                     QStringLiteral("Delay of every GATT method reply; a profile "
                                                    "may ask for more."),
                                     QStringLiteral("N"), QStringLiteral("0"));
    parser.addOptions({noAdapter, secondAdapter, liveInterval, latency});
    parser.addPositionalArgument(QStringLiteral("profiles"), QStringLiteral("Gauge profiles (JSON)."),
                                 QStringLiteral("PROFILE.json..."));
    parser.process(app);

    bool intervalOk = false;
    bool latencyOk = false;
    Arguments arguments;
    arguments.options.adapterPresent = !parser.isSet(noAdapter);
    arguments.options.liveIntervalMs = parser.value(liveInterval).toInt(&intervalOk);
    arguments.options.gattLatency = std::chrono::microseconds(parser.value(latency).toLongLong(&latencyOk));
    arguments.profiles = parser.positionalArguments();
    arguments.secondAdapterProfiles = parser.values(secondAdapter);
    if (!intervalOk || arguments.options.liveIntervalMs <= 0 || !latencyOk ||
        arguments.options.gattLatency.count() < 0)
        return std::nullopt;
    return arguments;
}

} // namespace

int main(int argc, char* argv[]) {
    QuitOnSignals quitOnSignals;
    QCoreApplication app(argc, argv);
    quitOnSignals.watch();

    const std::optional<Arguments> arguments = parseArguments(app);
    if (!arguments) {
        std::fprintf(stderr, "vexa-bluez-double: --live-interval-ms needs a positive and --latency-us a "
                             "non-negative number\n");
        return 2;
    }
    const LoadedProfiles loaded = loadProfiles(arguments->profiles);
    const LoadedProfiles secondLoaded = loadProfiles(arguments->secondAdapterProfiles);
    for (const QString& error : {loaded.error, secondLoaded.error})
        if (!error.isEmpty()) {
            std::fprintf(stderr, "vexa-bluez-double: %s\n", qPrintable(error));
            return 2;
        }
    DoubleOptions options = arguments->options;
    options.secondAdapter = !arguments->secondAdapterProfiles.isEmpty();
    options.secondAdapterGauges = secondLoaded.profiles;

    registerBusTypes();
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "vexa-bluez-double: no system bus: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    BluezDouble bluez(bus, options, loaded.profiles);
    ControlInterface control(bluez);
    bluez.tree().setControl(ControlPath, &control);
    if (!bluez.publish()) {
        std::fprintf(stderr, "vexa-bluez-double: cannot serve org.bluez: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
