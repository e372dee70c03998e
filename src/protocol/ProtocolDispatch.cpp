#include "protocol/ProtocolDispatch.h"

#include "data/Units.h"
#include "protocol/GaugeUuids.h"
#include "protocol/ProtocolNumbers.h"

#include <limits>
#include <optional>

namespace vexa {

namespace {

// 0-based indexes of the first "?", " " and "!" of an answer; -1 when absent.
struct Marks {
    explicit Marks(const QByteArray& value)
        : question(value.indexOf('?'))
        , space(value.indexOf(' '))
        , bang(value.indexOf('!')) {}
    qsizetype question;
    qsizetype space;
    qsizetype bang;
};

// The characters strictly between two marks; none when the second does not follow the first (a mark
// that is absent counts as standing before the value).
std::optional<QByteArrayView> between(const QByteArray& value, qsizetype first, qsizetype second) {
    if (second <= first)
        return std::nullopt;
    return QByteArrayView(value).sliced(first + 1, second - first - 1);
}

template <typename Int> std::optional<Int> integerField(std::optional<QByteArrayView> field) {
    if (!field)
        return std::nullopt;
    const qint64 number = leadingInteger(*field);
    if (number < std::numeric_limits<Int>::min() || number > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(number);
}

bool isCharacteristic(const QString& characteristic, const QString& uuid) {
    return characteristic.compare(uuid, Qt::CaseInsensitive) == 0;
}

// From the sixth character up to, not including, the last.
QByteArray enclosedText(const QByteArray& value) {
    return value.size() > 6 ? value.mid(5, value.size() - 6) : QByteArray();
}

AnswerKind statusKind(const QByteArray& value) {
    if (value.startsWith("$wr"))
        return AnswerKind::WriteData;
    if (value.startsWith("$fc"))
        return AnswerKind::CloseFile;
    if (value.startsWith("$rm"))
        return AnswerKind::RemoveFile;
    return AnswerKind::None;
}

void markBroken(DispatchResult& result) {
    result.brokenLayout = true;
}

// The file handle between "?" and the first blank, then the number up to "!": "$fr" and "$fw" answers.
// A broken second field keeps the handle already read.
template <typename Number>
std::optional<Number> handleThenNumber(LinkValues& values, const QByteArray& value) {
    const Marks at(value);
    const auto handle = integerField<qint16>(between(value, at.question, at.space));
    if (!handle)
        return std::nullopt;
    values.fileHandle = *handle;
    return integerField<Number>(between(value, at.space, at.bang));
}

// "$fr?" handle " " length "!"
void applyOpenFile(LinkValues& values, const QByteArray& value, DispatchResult& result) {
    result.kind = AnswerKind::OpenFile;
    const auto length = handleThenNumber<qint32>(values, value);
    if (!length)
        return markBroken(result);
    values.fileLength = *length;
}

// "$fw?" handle " " code "!"
void applyFileWrite(LinkValues& values, const QByteArray& value, DispatchResult& result) {
    result.kind = AnswerKind::FileWrite;
    const auto code = handleThenNumber<qint16>(values, value);
    if (!code)
        return markBroken(result);
    result.statusCode = *code;
}

// "$fc?" handle " " code "!"; the answer ends the close whatever the code says.
void applyCloseFile(const QByteArray& value, DispatchResult& result) {
    result.kind = AnswerKind::CloseFile;
    const Marks at(value);
    const auto code = integerField<qint16>(between(value, at.space, at.bang));
    if (!code)
        return markBroken(result);
    result.statusCode = *code;
}

// The file answers that end the dispatch; false when the value is none of them.
bool applyFileAnswer(LinkValues& values, const QByteArray& value, DispatchResult& result) {
    if (value.startsWith("$fr")) {
        applyOpenFile(values, value, result);
    } else if (value.startsWith("$fwu")) {
        result.kind = AnswerKind::FileWriteU;
        const qsizetype question = value.indexOf('?');
        result.statusCode = static_cast<qint16>(leadingInteger(value.mid(question + 1, 1)));
    } else if (value.startsWith("$fw")) {
        applyFileWrite(values, value, result);
    } else if (value.startsWith("$fc")) {
        applyCloseFile(value, result);
    } else if (value.startsWith("$wr") || value.startsWith("$rm") || value.startsWith("$fmod")) {
        result.kind = value.startsWith("$fmod") ? AnswerKind::FileMode : statusKind(value);
    } else {
        return false;
    }
    return true;
}

// "$rd?" handle " " field " " count, then the block's hexadecimal text just before the last character.
void applyReadBlock(LinkValues& values, const QByteArray& value, DispatchResult& result) {
    result.kind = AnswerKind::ReadBlock;
    const Marks at(value);
    const auto handle = integerField<qint16>(between(value, at.question, at.space));
    if (!handle)
        return markBroken(result);
    result.blockHandle = *handle;
    const qsizetype offset = value.mid(at.space + 1, 5).indexOf(' ');
    if (offset < 0)
        return markBroken(result);
    const qsizetype secondSpace = at.space + 1 + offset;
    const qint64 byteCount = leadingInteger(value.mid(secondSpace + 1, 2));
    const qint64 hexLength = 2 * byteCount;
    if (byteCount < 0 || hexLength > value.size() - 1)
        return markBroken(result);
    result.payload = value.mid(value.size() - 1 - hexLength, hexLength);
    values.responseBuffer = result.payload;
}

// Lines of `count` LF `name,count` LF ...
void applyMemoryTable(LinkValues& values, const QByteArray& value, DispatchResult& result) {
    result.kind = AnswerKind::MemoryTable;
    values.memoryNames.clear();
    values.memoryValueCounts.clear();
    values.memoryCount = 0;
    const QList<QByteArray> lines = value.split('\n');
    const auto count = integerField<qint16>(QByteArrayView(lines.value(0).trimmed()));
    if (!count || *count < 0)
        return markBroken(result);
    for (qsizetype i = 1; i <= *count; ++i) {
        if (i >= lines.size())
            return markBroken(result);
        const QByteArray& line = lines.at(i);
        const qsizetype comma = line.indexOf(',');
        const auto valueCount = integerField<qint16>(QByteArrayView(line.mid(comma + 1).trimmed()));
        if (comma < 0 || !valueCount)
            return markBroken(result);
        values.memoryNames.append(QString::fromLatin1(line.left(comma).trimmed()));
        values.memoryValueCounts.append(*valueCount);
        values.memoryCount = static_cast<qint16>(values.memoryNames.size());
    }
}

QString shortTypeCode(const QString& code) {
    return code.size() < 5 ? code : code.right(2);
}

void storeInformationField(LinkValues& values, bool probe, char key, const QByteArray& field) {
    const QString text = QString::fromLatin1(field);
    DeviceInfo& device = values.deviceInfo;
    switch (key) {
    case 'T':
        (probe ? values.probeInfo.T : device.T) = probe ? text : shortTypeCode(text);
        break;
    case 'R':
        (probe ? values.probeInfo.R : device.R) = text;
        break;
    case 'S':
        (probe ? values.probeInfo.S : device.S) = text;
        break;
    case 'V':
        device.V = text;
        break;
    case 'B':
        device.B = text;
        break;
    case 'H':
        device.H = text;
        break;
    case 'M':
        device.M = text;
        break;
    case 'U':
        device.U = normalizeUnit(text, device.T);
        break;
    default:
        break;
    }
}

// Fields "K:value", one separator character between fields, "!" after the last.
void applyInformation(LinkValues& values, const QByteArray& value, DispatchResult& result) {
    const bool probe = value.startsWith("$gpi");
    QByteArray rest = value.mid(probe ? 4 : 7);
    values.responseBuffer = rest;
    if (rest.isEmpty())
        return;
    result.kind = AnswerKind::Information;
    while (!rest.isEmpty()) {
        const qsizetype colon = rest.indexOf(':');
        if (colon < 0) {
            values.responseBuffer = rest;
            return markBroken(result);
        }
        const char key = colon > 0 ? rest.at(colon - 1) : '\0';
        const qsizetype nextColon = rest.indexOf(':', colon + 2);
        if (nextColon >= 0) {
            storeInformationField(values, probe, key, rest.mid(colon + 1, qMax(nextColon - colon - 3, 0)));
            rest = rest.mid(nextColon - 1);
        } else {
            const qsizetype bang = rest.indexOf('!', colon + 1);
            const qsizetype end = bang < 0 ? rest.size() : bang;
            storeInformationField(values, probe, key, rest.mid(colon + 1, end - colon - 1));
            rest = rest.mid(end + 1);
        }
    }
    values.responseBuffer.clear();
}

} // namespace

DispatchResult dispatchAnswer(LinkValues& values, const QString& characteristic, const QByteArray& value) {
    DispatchResult result;
    if (value.isEmpty()) {
        values.storageDataEnd = true;
        result.kind = AnswerKind::EmptyValue;
    }
    if (value.startsWith("$gcv?")) {
        result.kind = AnswerKind::Battery;
        values.responseBuffer = enclosedText(value);
        if (const auto volts = numericValue(values.responseBuffer))
            values.batteryVoltage = *volts;
    }
    if (value.startsWith("$glt?")) {
        result.kind = AnswerKind::Clock;
        values.responseBuffer = enclosedText(value);
    }
    if (const AnswerKind status = statusKind(value); status != AnswerKind::None) {
        const Marks at(value);
        const auto field = between(value, at.question, at.space);
        if (!field || !numericValue(*field)) {
            result.kind = status;
            result.statusNotNumeric = true;
            return result;
        }
    }
    if (value.startsWith("$ls")) {
        result.kind = AnswerKind::ListFiles;
        if (values.responseBuffer.isEmpty()) {
            values.responseBuffer = value;
            return result;
        }
        result.listRepeated = value.contains(values.responseBuffer);
    }
    if (applyFileAnswer(values, value, result))
        return result;
    if (value.startsWith("$rd"))
        applyReadBlock(values, value, result);

    if (isCharacteristic(characteristic, uuid::CharStorageInfo)) {
        applyMemoryTable(values, value, result);
    } else if (isCharacteristic(characteristic, uuid::CharStorageData)) {
        result.kind = AnswerKind::StorageData;
        values.responseBuffer = value;
    } else if (isCharacteristic(characteristic, uuid::CharMeasure)) {
        result.kind = AnswerKind::LiveValue;
        result.payload = value;
    } else if (isCharacteristic(characteristic, uuid::CharVexa) &&
               (value.startsWith("$vexa00") || value.startsWith("$gpi"))) {
        applyInformation(values, value, result);
    }
    return result;
}

} // namespace vexa
