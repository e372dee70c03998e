#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceFindsTheLockTaken();
    void lockIsFreeAgainAfterTheFirstEnds();
    void anotherSessionFindsTheLockTaken();
    void startEmptiesTheLogOfThePreviousRun();
};

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

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
