#include "link/bluez/SystemFacts.h"

#include "link/bluez/BluezAdapters.h"
#include "link/bluez/KernelAdapters.h"

#include <QFileInfo>
#include <QProcess>
#include <grp.h>
#include <pwd.h>
#include <qcoro/qcoroprocess.h>
#include <unistd.h>
#include <vector>

namespace vexa::bluez {

namespace {

bool inSessionGroups(gid_t group) {
    if (getegid() == group)
        return true;
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<size_t>(std::max(count, 0)));
    const int listed = getgroups(count, groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(listed, 0), group) !=
           groups.begin() + std::max(listed, 0);
}

bool listedInGroup(const group& entry, const QString& userName) {
    for (char** member = entry.gr_mem; member && *member; ++member)
        if (QString::fromLocal8Bit(*member) == userName)
            return true;
    return false;
}

// BlueZ's adapters, and after them those only the kernel knows (BlueZ not running, or not yet seeing one);
// each with its radio switch.
QList<AdapterFacts> allAdapters(QList<AdapterFacts> adapters, const QString& sysfsRoot) {
    for (const QString& name : kernelAdapters(sysfsRoot))
        if (std::none_of(adapters.cbegin(), adapters.cend(),
                         [&name](const AdapterFacts& adapter) { return adapter.name == name; }))
            adapters.append(AdapterFacts{name, {}, {}, {}, RadioBlock::Unknown});
    for (AdapterFacts& adapter : adapters)
        adapter.radio = radioBlock(sysfsRoot, adapter.name);
    return adapters;
}

} // namespace

QStringList debianDaemonPrograms() {
    return {QStringLiteral("/usr/libexec/bluetooth/bluetoothd"), QStringLiteral("/usr/sbin/bluetoothd")};
}

GroupStanding bluetoothGroupStanding(QString* userName) {
    const uid_t user = geteuid();
    const passwd* account = getpwuid(user);
    *userName = account ? QString::fromLocal8Bit(account->pw_name) : QString::number(user);
    if (user == 0)
        return GroupStanding::Superuser;
    const group* entry = getgrnam(BluetoothGroup.toLocal8Bit().constData());
    if (!entry)
        return GroupStanding::NoGroup;
    if (inSessionGroups(entry->gr_gid))
        return GroupStanding::Member;
    if (listedInGroup(*entry, *userName) || (account && account->pw_gid == entry->gr_gid))
        return GroupStanding::MemberFromNextLogin;
    return GroupStanding::NotMember;
}

QCoro::Task<DaemonVersion> askDaemonVersion(QStringList programs, std::chrono::milliseconds deadline) {
    DaemonVersion daemon;
    daemon.program = programs.value(0);
    const auto installed = std::find_if(programs.cbegin(), programs.cend(),
                                        [](const QString& program) { return QFileInfo::exists(program); });
    if (installed == programs.cend())
        co_return daemon;
    daemon.program = *installed;
    QProcess process;
    const QStringList arguments{QStringLiteral("--version")};
    const bool started = co_await qCoro(process).start(daemon.program, arguments, QIODevice::ReadOnly);
    if (!started) {
        daemon.state = DaemonVersion::State::DidNotRun;
        co_return daemon;
    }
    const bool finished = co_await qCoro(process).waitForFinished(deadline);
    daemon.version = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    if (!finished) {
        process.kill();
        co_await qCoro(process).waitForFinished(deadline);
    }
    daemon.state =
        finished && !daemon.version.isEmpty() ? DaemonVersion::State::Known : DaemonVersion::State::NoAnswer;
    co_return daemon;
}

QCoro::Task<BluetoothFacts> gatherBluetoothFacts(FactSources sources) {
    BluetoothFacts facts;
    const BluezAdapters bluez = co_await askBluezAdapters(sources.deadline);
    facts.bluez = bluez.answer;
    facts.bluezError = bluez.error;
    facts.adapters = allAdapters(bluez.adapters, sources.sysfsRoot);
    facts.daemon = co_await askDaemonVersion(sources.daemonPrograms, sources.deadline);
    facts.group = bluetoothGroupStanding(&facts.userName);
    co_return facts;
}

} // namespace vexa::bluez
