#include "files/TransferLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestTransferLog : public QObject {
    Q_OBJECT

private slots:
    void fileIsNamedAfterTheProgram() {
        QTemporaryDir dir;
        TransferLog log(dir.path());
        log.WriteLog(QStringLiteral("x"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Vexa ConnectTransferLog.txt"))));
    }

    void entriesAreLinesInUtf8_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("one") << QStringList{QStringLiteral("AppDataPath = /x")}
                             << QByteArray("AppDataPath = /x\r\n");
        QTest::newRow("in order") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                                  << QByteArray("a\r\nb\r\n");
        QTest::newRow("empty entry") << QStringList{QString()} << QByteArray("\r\n");
        QTest::newRow("line ends inside kept")
            << QStringList{QStringLiteral("a\r\nb")} << QByteArray("a\r\nb\r\n");
        QTest::newRow("umlaut") << QStringList{QStringLiteral("Gerät")} << QByteArray("Ger\xC3\xA4t\r\n");
    }

    void entriesAreLinesInUtf8() {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, expected);

        QTemporaryDir dir;
        TransferLog log(dir.path());
        log.DeleteLog();
        for (const QString& entry : entries)
            log.WriteLog(entry);
        QCOMPARE(contentOf(log.filePath()), expected);
    }

    void secondRunKeepsOnlyItsOwnEntries() {
        QTemporaryDir dir;
        TransferLog first(dir.path());
        first.DeleteLog();
        first.WriteLog(QStringLiteral("first run"));

        TransferLog second(dir.path());
        second.DeleteLog();
        second.WriteLog(QStringLiteral("second run"));

        QCOMPARE(contentOf(second.filePath()), QByteArray("second run\r\n"));
    }

    void missingFolderLosesEntriesSilently() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing"));
        TransferLog log(missing);
        log.DeleteLog();
        log.WriteLog(QStringLiteral("lost"));
        QVERIFY(!QDir(missing).exists());
    }
};

QTEST_GUILESS_MAIN(TestTransferLog)
#include "tst_transferlog.moc"
