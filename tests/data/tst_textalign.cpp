#include "data/TextAlign.h"

#include <QTest>

using namespace vexa;

class TestTextAlign : public QObject {
    Q_OBJECT

private slots:
    void ausrichten_data();
    void ausrichten();
    void ausrichtenL_data();
    void ausrichtenL();
    void padRight_data();
    void padRight();
    void replaceCharAt_data();
    void replaceCharAt();
};

void TestTextAlign::ausrichten_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("fill");
    QTest::addColumn<bool>("truncate");
    QTest::addColumn<QString>("expected");

    QTest::newRow("shorter padded") << 7 << "12" << QChar(u' ') << false << "     12";
    QTest::newRow("zero fill") << 4 << "7" << QChar(u'0') << false << "0007";
    QTest::newRow("exact width") << 3 << "abc" << QChar(u' ') << true << "abc";
    QTest::newRow("longer kept") << 3 << "abcdef" << QChar(u' ') << false << "abcdef";
    QTest::newRow("longer cut to its start") << 3 << "abcdef" << QChar(u' ') << true << "abc";
    QTest::newRow("negative width") << -2 << "ab" << QChar(u' ') << true << "";
}

void TestTextAlign::ausrichten() {
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(QChar, fill);
    QFETCH(bool, truncate);
    QFETCH(QString, expected);
    QCOMPARE(vexa::ausrichten(width, text, fill, truncate), expected);
    QCOMPARE(vexa::padLeft(width, text, fill, truncate), expected);
}

void TestTextAlign::ausrichtenL_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("trimmed and padded") << 8 << "  Anzahl "
                                        << "Anzahl  ";
    QTest::newRow("cut") << 3 << "Minimum"
                         << "Min";
    QTest::newRow("empty") << 2 << ""
                           << "  ";
    QTest::newRow("zero width") << 0 << "abc"
                                << "";
}

void TestTextAlign::ausrichtenL() {
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(vexa::ausrichtenL(width, text), expected);
}

void TestTextAlign::padRight_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("padded") << "m001" << 6 << "m001  ";
    QTest::newRow("longer kept") << "m001xyz" << 4 << "m001xyz";
}

void TestTextAlign::padRight() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(vexa::padRight(text, width), expected);
}

void TestTextAlign::replaceCharAt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first") << "12.5" << 1 << "X"
                           << "X2.5";
    QTest::newRow("separator") << "12.5" << 3 << ","
                               << "12,5";
    QTest::newRow("last") << "12.5" << 4 << ""
                          << "12.";
    QTest::newRow("zero position unchanged") << "12.5" << 0 << "X"
                                             << "12.5";
    QTest::newRow("past the end unchanged") << "12.5" << 5 << "X"
                                            << "12.5";
}

void TestTextAlign::replaceCharAt() {
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(vexa::replaceCharAt(text, position, replacement), expected);
}

QTEST_APPLESS_MAIN(TestTextAlign)
#include "tst_textalign.moc"
