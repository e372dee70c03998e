#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/SingleInstance.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vexa;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceFindsTheLockTaken();
    void lockIsFreeAgainAfterTheFirstEnds();
    void anotherSessionFindsTheLockTaken();
    void startEmptiesTheLogOfThePreviousRun();
    void laterStartReachesTheFirstOfItsFolderOnly_data();
    void laterStartReachesTheFirstOfItsFolderOnly();
    void laterStartReachesTheFirstWhateverCameBefore_data();
    void laterStartReachesTheFirstWhateverCameBefore();
};

namespace {

// What a run that crashed leaves behind: a socket of its name that no one listens on.
void leaveStaleSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(static_cast<size_t>(name.size()) < sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(socket >= 0);
    const int bound = ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(socket);
    QCOMPARE(bound, 0);
    QVERIFY(QFile::exists(path));
}

enum class Before { Nothing, RunEnded, RunCrashed, LaterStartCameAndWent };

} // namespace

void TestSingleInstance::secondInstanceFindsTheLockTaken() {
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    SingleInstance second(dir.path());
    QVERIFY(first.isFirst());
    QVERIFY(!second.isFirst());
}

void TestSingleInstance::lockIsFreeAgainAfterTheFirstEnds() {
    QTemporaryDir dir;
    { SingleInstance first(dir.path()); }
    QVERIFY(SingleInstance(dir.path()).isFirst());
}

// A start from another session has another runtime folder, but the same settings and log.
void TestSingleInstance::anotherSessionFindsTheLockTaken() {
    QTemporaryDir settings;
    QTemporaryDir firstSession;
    QTemporaryDir secondSession;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(firstSession.path()));
    SingleInstance first(settings.path());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(secondSession.path()));
    SingleInstance second(settings.path());
    QVERIFY(first.isFirst());
    QVERIFY(!second.isFirst());
}

void TestSingleInstance::startEmptiesTheLogOfThePreviousRun() {
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    {
        MainModel previous(prompt);
        previous.programStart({dir.path(), dir.path(), dir.path()});
        previous.log().WriteLog(QStringLiteral("from the previous run"));
    }
    MainModel model(prompt);
    model.programStart({dir.path(), dir.path(), dir.path()});
    model.log().WriteLog(QStringLiteral("this run"));
    QFile log(model.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("this run\r\n"));
}

void TestSingleInstance::laterStartReachesTheFirstOfItsFolderOnly_data() {
    QTest::addColumn<int>("askingFolder");
    QTest::newRow("first folder") << 0;
    QTest::newRow("second folder") << 1;
}

// Two copies with settings folders of their own both run; a later start asks only the one of its folder.
void TestSingleInstance::laterStartReachesTheFirstOfItsFolderOnly() {
    QFETCH(int, askingFolder);
    QTemporaryDir folders[2];
    SingleInstance first0(folders[0].path());
    SingleInstance first1(folders[1].path());
    QVERIFY(first0.isFirst());
    QVERIFY(first1.isFirst());
    QSignalSpy asked0(&first0, &SingleInstance::frontRequested);
    QSignalSpy asked1(&first1, &SingleInstance::frontRequested);

    const SingleInstance later(folders[askingFolder].path());
    QVERIFY(!later.isFirst());
    QVERIFY(later.askFirstToFront());
    QTRY_COMPARE((askingFolder == 0 ? asked0 : asked1).count(), 1);
    QCOMPARE((askingFolder == 0 ? asked1 : asked0).count(), 0);
}

void TestSingleInstance::laterStartReachesTheFirstWhateverCameBefore_data() {
    QTest::addColumn<Before>("before");
    QTest::newRow("nothing") << Before::Nothing;
    QTest::newRow("a run that ended") << Before::RunEnded;
    QTest::newRow("a run that crashed") << Before::RunCrashed;
    QTest::newRow("a later start that came and went") << Before::LaterStartCameAndWent;
}

void TestSingleInstance::laterStartReachesTheFirstWhateverCameBefore() {
    QFETCH(Before, before);
    QTemporaryDir dir;
    if (before == Before::RunEnded)
        SingleInstance(dir.path());
    if (before == Before::RunCrashed)
        leaveStaleSocket(SingleInstance::serverName(dir.path()));
    if (QTest::currentTestFailed())
        return;
    SingleInstance first(dir.path());
    QVERIFY(first.isFirst());
    if (before == Before::LaterStartCameAndWent)
        QVERIFY(!SingleInstance(dir.path()).isFirst());
    QSignalSpy asked(&first, &SingleInstance::frontRequested);

    const SingleInstance later(dir.path());
    QVERIFY(later.askFirstToFront());
    QTRY_COMPARE(asked.count(), 1);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
