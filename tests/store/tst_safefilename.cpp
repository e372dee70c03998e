#include "files/SafeFileName.h"

#include <QTest>

using namespace vexa;

class TestSafeFileName : public QObject {
    Q_OBJECT

private slots:
    void unsafeCharactersBecomeUnderscores_data() {
        QTest::addColumn<QString>("deviceNumber");
        QTest::addColumn<QString>("expected");

        QTest::newRow("serial number") << QStringLiteral("7001") << QStringLiteral("7001");
        QTest::newRow("letters, dash, underscore")
            << QStringLiteral("ZK-12_ab") << QStringLiteral("ZK-12_ab");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("parent folder") << QStringLiteral("../x") << QStringLiteral("___x");
        QTest::newRow("dots only") << QStringLiteral("..") << QStringLiteral("__");
        QTest::newRow("trailing blank") << QStringLiteral("7001 ") << QStringLiteral("7001_");
        QTest::newRow("inner blank") << QStringLiteral("70 01") << QStringLiteral("70_01");
        QTest::newRow("slashes") << QStringLiteral("a/b\\c") << QStringLiteral("a_b_c");
        QTest::newRow("drive") << QStringLiteral("C:x") << QStringLiteral("C_x");
        QTest::newRow("control characters") << QStringLiteral("7\r\n\t1") << QStringLiteral("7___1");
        QTest::newRow("nul") << QString(QChar(0)) << QStringLiteral("_");
        QTest::newRow("non-ASCII letters") << QStringLiteral("Größe") << QStringLiteral("Gr__e");
    }

    void unsafeCharactersBecomeUnderscores() {
        QFETCH(QString, deviceNumber);
        QFETCH(QString, expected);

        QCOMPARE(safeFileName(deviceNumber), expected);
    }
};

QTEST_GUILESS_MAIN(TestSafeFileName)
#include "tst_safefilename.moc"
