#include "files/DiagnosticsReport.h"

#include "texts/Texts.h"

namespace vexa {

namespace {

using bluez::AdapterFacts;
using bluez::BusAnswer;
using bluez::DaemonVersion;
using bluez::GroupStanding;
using bluez::RadioBlock;

class Lines {
public:
    explicit Lines(int languageIndex)
        : languageIndex_(languageIndex) {}

    QString text(Notice notice) const { return Texts::notice(notice, languageIndex_); }
    void add(const QString& line) { lines_.append(line); }
    QStringList taken() { return std::move(lines_); }

private:
    int languageIndex_;
    QStringList lines_;
};

void addBluez(Lines& lines, const bluez::BluetoothFacts& facts) {
    switch (facts.bluez) {
    case BusAnswer::Answers:
        return lines.add(lines.text(Notice::DiagBluezAnswers));
    case BusAnswer::NoSystemBus:
        return lines.add(lines.text(Notice::DiagNoSystemBus).arg(facts.bluezError));
    case BusAnswer::NotRunning:
        return lines.add(lines.text(Notice::DiagBluezNotRunning).arg(facts.bluezError));
    case BusAnswer::Refused:
        return lines.add(lines.text(Notice::DiagBluezRefused).arg(facts.bluezError, facts.userName));
    case BusAnswer::Silent:
        return lines.add(lines.text(Notice::DiagBluezSilent));
    case BusAnswer::Failed:
        return lines.add(lines.text(Notice::DiagBluezFailed).arg(facts.bluezError));
    }
}

void addDaemon(Lines& lines, const DaemonVersion& daemon) {
    switch (daemon.state) {
    case DaemonVersion::State::Known:
        return lines.add(lines.text(Notice::DiagDaemonVersion).arg(daemon.program, daemon.version));
    case DaemonVersion::State::NotInstalled:
        return lines.add(lines.text(Notice::DiagDaemonNotInstalled).arg(daemon.program));
    case DaemonVersion::State::DidNotRun:
        return lines.add(lines.text(Notice::DiagDaemonNotRun).arg(daemon.program));
    case DaemonVersion::State::NoAnswer:
        return lines.add(lines.text(Notice::DiagDaemonNoAnswer).arg(daemon.program));
    }
}

QString yesNo(const Lines& lines, const std::optional<bool>& value) {
    if (!value)
        return lines.text(Notice::DiagNotKnown);
    return lines.text(*value ? Notice::DiagYes : Notice::DiagNo);
}

QString radioText(const Lines& lines, RadioBlock radio) {
    switch (radio) {
    case RadioBlock::Free:
        return lines.text(Notice::DiagRadioFree);
    case RadioBlock::SoftBlocked:
        return lines.text(Notice::DiagRadioSoft);
    case RadioBlock::HardBlocked:
        return lines.text(Notice::DiagRadioHard);
    case RadioBlock::Unknown:
        break;
    }
    return lines.text(Notice::DiagRadioNoEntry);
}

// A line of facts per adapter, and after it a line for each thing that keeps it from scanning.
void addAdapter(Lines& lines, const AdapterFacts& adapter, bool isDefault) {
    const QString address = adapter.address.isEmpty() ? lines.text(Notice::DiagNotKnown) : adapter.address;
    lines.add(lines.text(isDefault ? Notice::DiagAdapterDefault : Notice::DiagAdapter)
                  .arg(adapter.name, address, yesNo(lines, adapter.powered),
                       yesNo(lines, adapter.discoverable), radioText(lines, adapter.radio)));
    if (adapter.radio == RadioBlock::HardBlocked)
        lines.add(lines.text(Notice::DiagRadioHardBlocked).arg(adapter.name));
    else if (adapter.radio == RadioBlock::SoftBlocked)
        lines.add(lines.text(Notice::DiagRadioSoftBlocked).arg(adapter.name));
    // A blocked radio leaves BlueZ's adapter unpowered: unblocking comes first.
    else if (adapter.powered == false)
        lines.add(isDefault ? lines.text(Notice::DiagAdapterOff).arg(adapter.name)
                            : lines.text(Notice::DiagAdapterOffOther).arg(adapter.name, address));
}

void addGroup(Lines& lines, const bluez::BluetoothFacts& facts) {
    const Notice notice = [&facts] {
        switch (facts.group) {
        case GroupStanding::Member:
            return Notice::DiagGroupMember;
        case GroupStanding::MemberFromNextLogin:
            return Notice::DiagGroupNextLogin;
        case GroupStanding::NotMember:
            return Notice::DiagGroupMissing;
        case GroupStanding::NoGroup:
            return Notice::DiagNoGroup;
        case GroupStanding::Superuser:
            break;
        }
        return Notice::DiagGroupSuperuser;
    }();
    lines.add(lines.text(notice).arg(facts.userName));
}

void addLog(Lines& lines, const QStringList& log) {
    if (log.isEmpty())
        return lines.add(lines.text(Notice::DiagLogEmpty));
    const qsizetype shown = std::min(log.size(), DiagnosticsLogLines);
    lines.add(lines.text(Notice::DiagLogTail).arg(shown).arg(log.size()));
    for (const QString& line : log.mid(log.size() - shown))
        lines.add(line);
}

} // namespace

QStringList diagnosticsLines(const DiagnosticsFacts& facts, int languageIndex) {
    Lines lines(languageIndex);
    lines.add(lines.text(Notice::DiagProgram).arg(facts.program));
    lines.add(lines.text(Notice::DiagQt).arg(facts.qtRunning, facts.qtBuilt));
    addBluez(lines, facts.bluetooth);
    addDaemon(lines, facts.bluetooth.daemon);
    if (facts.bluetooth.adapters.isEmpty())
        lines.add(lines.text(Notice::DiagNoAdapter));
    for (qsizetype i = 0; i < facts.bluetooth.adapters.size(); ++i)
        addAdapter(lines, facts.bluetooth.adapters[i], i == 0);
    addGroup(lines, facts.bluetooth);
    if (facts.lastGauge)
        lines.add(lines.text(Notice::DiagLastGauge)
                      .arg(facts.lastGauge->name, facts.lastGauge->address, facts.lastGauge->firmware));
    else
        lines.add(lines.text(Notice::DiagNoGaugeYet));
    addLog(lines, facts.log);
    return lines.taken();
}

QString diagnosticsText(const DiagnosticsFacts& facts, int languageIndex) {
    return diagnosticsLines(facts, languageIndex).join(u'\n') + u'\n';
}

} // namespace vexa
