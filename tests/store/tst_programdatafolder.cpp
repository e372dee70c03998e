// Where pictures are looked up: beside the program file in a build tree, in share/vexa-connect once the
// program is installed beside it, under whatever prefix.
#include "files/ProgramDataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

class TestProgramDataFolder : public QObject {
    Q_OBJECT
private slots:
    void folder_data();
    void folder();
};

void TestProgramDataFolder::folder_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("build tree") << QStringList{"build/default"} << QString() << "build/default";
    QTest::newRow("installed under /usr")
        << QStringList{"usr/bin", "usr/share/vexa-connect"} << QString() << "usr/share/vexa-connect";
    QTest::newRow("installed under another prefix")
        << QStringList{"opt/vexa/bin", "opt/vexa/share/vexa-connect"} << QString()
        << "opt/vexa/share/vexa-connect";
    QTest::newRow("other programs' data only")
        << QStringList{"usr/bin", "usr/share/other"} << QString() << "usr/bin";
    QTest::newRow("a file where the folder would be")
        << QStringList{"usr/bin", "usr/share"} << "usr/share/vexa-connect"
        << "usr/bin";
}

void TestProgramDataFolder::folder() {
    QFETCH(QStringList, folders);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QTemporaryDir root;
    for (const QString& folder : folders)
        QVERIFY(QDir(root.path()).mkpath(folder));
    if (!file.isEmpty()) {
        QFile blocking(root.filePath(file));
        QVERIFY(blocking.open(QIODevice::WriteOnly));
    }
    QCOMPARE(programDataFolder(root.filePath(folders.first())), root.filePath(expected));
}

QTEST_GUILESS_MAIN(TestProgramDataFolder)
#include "tst_programdatafolder.moc"
