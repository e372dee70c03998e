// Feeds arbitrary bytes to every settings file reader and to the text decoding. The first byte picks the
// locale (German or English number and date notation), the rest is the file content.
#include "files/SettingsFormats.h"
#include "files/TextEncoding.h"

#include <QByteArray>
#include <QLocale>
#include <cstddef>
#include <cstdint>

using namespace vexa;

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void readAsText(const QByteArray& bytes) {
    const QString text = decodeFileText(bytes);
    check(decodeWindows1252(bytes).size() == bytes.size());
    for (const QString& line : splitLines(text))
        check(!line.contains(u'\r') && !line.contains(u'\n'));
}

void readLimits(const QByteArray& bytes) {
    const SettingsRead<Limits> read = parseLimitsFile(bytes, {});
    if (read.error)
        return;
    // Whatever was read must survive being written and read again.
    const Limits& limits = read.values;
    const SettingsRead<Limits> again = parseLimitsFile(encodeLines(limitsFileLines(limits)), {});
    check(!again.error);
    check(again.values.minimum == limits.minimum && again.values.maximum == limits.maximum &&
          again.values.target == limits.target && again.values.rule8020 == limits.rule8020);
}

void readKeyForwarding(const QByteArray& bytes) {
    const SettingsRead<KeyForwarding> read = parseKeyboardFile(bytes, {});
    check(read.values.includeFlags.size() == 4);
    if (!read.error)
        check(parseKeyboardFile(encodeLines(keyboardFileLines(read.values)), {}).values.includeFlags ==
              read.values.includeFlags);
}

void readLanguage(const QByteArray& bytes) {
    const SettingsRead<int> read = parseLanguageFile(bytes, 0);
    check(read.values == 0 || read.values == 1);
}

void readProject(const QByteArray& bytes) {
    const ProjectData project = parseProjectDataFile(bytes);
    for (const QString& field : project.fields)
        check(field.size() <= ProjectData::FieldLength);
    check(projectDataFileLines(project).size() == ProjectData::FieldCount + 2);

    const ProjectLabels labels = parseProjectLabelFile(bytes);
    for (int k = -1; k <= ProjectLabels::LabelCount; ++k) {
        (void)labels.label(k, 0);
        (void)labels.label(k, 1);
    }
}

void readProgram(const QByteArray& bytes) {
    const ProgramSettings read = parseProgramFile(bytes);
    check(read.languageIndex == 0 || read.languageIndex == 1);
    check(parseProgramFile(encodeLines(programFileLines(read))) == read);
}

void readInspection(const QByteArray& bytes) {
    const InspectionSettings read = parseInspectionFile(bytes);
    check(parseInspectionFile(encodeLines(inspectionFileLines(read))) == read);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const QLocale german(QLocale::German, QLocale::Germany);
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault((data[0] & 1) ? english : german);

    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    readAsText(bytes);
    readLimits(bytes);
    readKeyForwarding(bytes);
    readLanguage(bytes);
    readProject(bytes);
    readProgram(bytes);
    readInspection(bytes);
    return 0;
}
