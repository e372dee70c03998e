#include "link/sim/GaugeProfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace vexa::sim {

namespace {

const QSet<QString> KnownKeys = {"name",  "address", "rssi",     "info", "probe",        "battery",   "clock",
                                 "files", "ls",      "memories", "live", "sondeService", "simulation"};

// Collects the first problem found; every later check is skipped once one is known.
class ProfileReader {
public:
    explicit ProfileReader(QJsonObject root)
        : root_(std::move(root)) {}

    bool failed() const { return !problem_.isEmpty(); }
    const QString& problem() const { return problem_; }
    void fail(const QString& what) {
        if (!failed())
            problem_ = what;
    }

    std::optional<QString> text(const QJsonObject& object, const QString& key, const QString& where,
                                bool required) {
        const QJsonValue value = object.value(key);
        if (value.isUndefined()) {
            if (required)
                fail(where + key + QStringLiteral(" is missing"));
            return std::nullopt;
        }
        if (!value.isString()) {
            fail(where + key + QStringLiteral(" must be a text"));
            return std::nullopt;
        }
        return value.toString();
    }

    std::optional<QByteArray> bytes(const QString& key, bool required) {
        const auto value = text(root_, key, {}, required);
        return value ? std::optional(value->toUtf8()) : std::nullopt;
    }

    QJsonArray array(const QJsonObject& object, const QString& key, const QString& where) {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return {};
        if (!value.isArray())
            fail(where + key + QStringLiteral(" must be a list"));
        return value.toArray();
    }

    QList<QByteArray> lines(const QJsonObject& object, const QString& key, const QString& where) {
        QList<QByteArray> result;
        const QJsonArray items = array(object, key, where);
        for (qsizetype i = 0; i < items.size() && !failed(); ++i) {
            const QString at = QStringLiteral("%1%2[%3]").arg(where, key).arg(i);
            if (!items[i].isString())
                fail(at + QStringLiteral(" must be a text"));
            else if (items[i].toString().contains(u'\n'))
                fail(at + QStringLiteral(" must be a single line"));
            else
                result.append(items[i].toString().toUtf8());
        }
        return result;
    }

    QJsonObject element(const QJsonValue& value, const QString& where) {
        if (!value.isObject())
            fail(where + QStringLiteral(" must be an object"));
        return value.toObject();
    }

    const QJsonObject& root() const { return root_; }

private:
    QJsonObject root_;
    QString problem_;
};

// The file list answer is split at blanks and memory tables at commas and line ends.
bool isFileName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[^\\s!?]+$"));
    return pattern.match(name).hasMatch();
}

bool isMemoryName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(u',') && !name.contains(u'\n');
}

QString normalisedAddress(QString address) {
    address.remove(u':');
    static const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    return pattern.match(address).hasMatch() ? address.toUpper() : QString();
}

void readFiles(ProfileReader& reader, GaugeProfile& profile) {
    const QJsonArray files = reader.array(reader.root(), QStringLiteral("files"), {});
    static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]*$"));
    for (qsizetype i = 0; i < files.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("files[%1].").arg(i);
        const QJsonObject file = reader.element(files[i], QStringLiteral("files[%1]").arg(i));
        const auto name = reader.text(file, QStringLiteral("name"), where, true);
        const auto hex = reader.text(file, QStringLiteral("hex"), where, true);
        if (reader.failed())
            return;
        if (!isFileName(*name))
            reader.fail(where + QStringLiteral("name must be one word without \"!\" or \"?\""));
        else if (!hexDigits.match(*hex).hasMatch() || hex->size() % 2 != 0)
            reader.fail(where + QStringLiteral("hex must be an even number of hexadecimal digits"));
        else if (std::any_of(profile.files.cbegin(), profile.files.cend(),
                             [&](const GaugeFile& known) { return known.name == *name; }))
            reader.fail(where + QStringLiteral("name \"%1\" is used twice").arg(*name));
        else
            profile.files.append({*name, QByteArray::fromHex(hex->toLatin1())});
    }
}

void readMemories(ProfileReader& reader, GaugeProfile& profile) {
    const QJsonArray memories = reader.array(reader.root(), QStringLiteral("memories"), {});
    for (qsizetype i = 0; i < memories.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("memories[%1].").arg(i);
        const QJsonObject memory = reader.element(memories[i], QStringLiteral("memories[%1]").arg(i));
        const auto name = reader.text(memory, QStringLiteral("name"), where, true);
        if (reader.failed())
            return;
        if (!isMemoryName(*name)) {
            reader.fail(where + QStringLiteral("name must not be empty nor contain \",\""));
            return;
        }
        profile.memories.append({*name, reader.lines(memory, QStringLiteral("records"), where)});
    }
}

void readScalars(ProfileReader& reader, GaugeProfile& profile) {
    const QJsonObject& root = reader.root();
    for (auto key = root.begin(); key != root.end(); ++key)
        if (!KnownKeys.contains(key.key()))
            reader.fail(QStringLiteral("unknown key \"%1\"").arg(key.key()));

    profile.name = reader.text(root, QStringLiteral("name"), {}, true).value_or(QString());
    if (!reader.failed() && profile.name.trimmed().isEmpty())
        reader.fail(QStringLiteral("name must not be empty"));
    if (const auto address = reader.text(root, QStringLiteral("address"), {}, true)) {
        profile.address = normalisedAddress(*address);
        if (profile.address.isEmpty())
            reader.fail(QStringLiteral("address must be 12 hexadecimal digits"));
    }
    const QJsonValue rssi = root.value(QStringLiteral("rssi"));
    if (!rssi.isUndefined()) {
        if (!rssi.isDouble() || rssi.toDouble() != rssi.toInt() || rssi.toInt() < -127 || rssi.toInt() > 20)
            reader.fail(QStringLiteral("rssi must be a whole number from -127 to 20"));
        profile.rssi = rssi.toInt();
    }
    profile.info = reader.bytes(QStringLiteral("info"), true).value_or(QByteArray());
    profile.probe = reader.bytes(QStringLiteral("probe"), false);
    profile.battery = reader.bytes(QStringLiteral("battery"), true).value_or(QByteArray());
    profile.clock = reader.bytes(QStringLiteral("clock"), true).value_or(QByteArray());
    profile.fileList = reader.bytes(QStringLiteral("ls"), false);
    const QJsonValue sonde = root.value(QStringLiteral("sondeService"));
    if (!sonde.isUndefined() && !sonde.isBool())
        reader.fail(QStringLiteral("sondeService must be true or false"));
    profile.sondeService = sonde.toBool();
}

// A whole number from `lowest` on; none when the member is absent.
std::optional<int> wholeNumber(ProfileReader& reader, const QJsonObject& object, const QString& key,
                               int lowest) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return std::nullopt;
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number != std::floor(number) || number < lowest || number > 1e9) {
        reader.fail(QStringLiteral("simulation.%1 must be a whole number from %2 on").arg(key).arg(lowest));
        return std::nullopt;
    }
    return int(number);
}

void readSimulation(ProfileReader& reader, GaugeProfile& profile) {
    const QJsonValue value = reader.root().value(QStringLiteral("simulation"));
    if (value.isUndefined())
        return;
    const QJsonObject object = reader.element(value, QStringLiteral("simulation"));
    static const QSet<QString> keys{"liveIntervalMs", "latencyMs", "stopAnsweringAfter", "dropLinkAfter"};
    for (auto key = object.begin(); key != object.end(); ++key)
        if (!keys.contains(key.key()))
            reader.fail(QStringLiteral("unknown key \"simulation.%1\"").arg(key.key()));
    SimulationSettings settings;
    settings.liveIntervalMs = wholeNumber(reader, object, QStringLiteral("liveIntervalMs"), 1);
    settings.latencyMs = wholeNumber(reader, object, QStringLiteral("latencyMs"), 0);
    settings.stopAnsweringAfter = wholeNumber(reader, object, QStringLiteral("stopAnsweringAfter"), 0);
    settings.dropLinkAfter = wholeNumber(reader, object, QStringLiteral("dropLinkAfter"), 1);
    profile.simulation = settings;
}

} // namespace

LoadedProfile parseGaugeProfile(const QByteArray& json, const QString& origin) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("%1: not valid JSON at byte %2: %3")
                                  .arg(origin)
                                  .arg(parseError.offset)
                                  .arg(parseError.errorString())};
    if (!document.isObject())
        return {std::nullopt, origin + QStringLiteral(": the profile must be a JSON object")};

    ProfileReader reader(document.object());
    GaugeProfile profile;
    readScalars(reader, profile);
    readFiles(reader, profile);
    readMemories(reader, profile);
    readSimulation(reader, profile);
    if (!reader.failed())
        profile.live = reader.lines(reader.root(), QStringLiteral("live"), {});
    if (reader.failed())
        return {std::nullopt, origin + QStringLiteral(": ") + reader.problem()};
    return {std::move(profile), {}};
}

LoadedProfile loadGaugeProfile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString())};
    return parseGaugeProfile(file.readAll(), path);
}

} // namespace vexa::sim
