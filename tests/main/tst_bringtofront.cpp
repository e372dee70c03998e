#include "MainWindowHarness.h"
#include "widgets/BringToFront.h"
#include "window/SingleInstance.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace vexa;

class TestBringToFront : public QObject {
    Q_OBJECT
private slots:
    void laterStartBringsTheWindowToTheFront_data();
    void laterStartBringsTheWindowToTheFront();
};

enum class Where { Minimised, MinimisedFromMaximised, BehindAnotherWindow, BehindAnotherWindowAgain };

void TestBringToFront::laterStartBringsTheWindowToTheFront_data() {
    QTest::addColumn<Where>("where");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("minimised") << Where::Minimised << false;
    QTest::newRow("minimised from maximised") << Where::MinimisedFromMaximised << true;
    QTest::newRow("behind another window") << Where::BehindAnotherWindow << false;
    QTest::newRow("behind another window after coming forward once")
        << Where::BehindAnotherWindowAgain << false;
}

void TestBringToFront::laterStartBringsTheWindowToTheFront() {
    QFETCH(Where, where);
    QFETCH(bool, maximised);
    MainWindowHarness harness;
    QWidget& window = harness.window;
    SingleInstance first(harness.folder.path());
    QVERIFY(first.isFirst());
    connect(&first, &SingleInstance::frontRequested, &window, [&window] { bringToFront(window); });

    QWidget other;
    switch (where) {
    case Where::Minimised:
        window.showMinimized();
        break;
    case Where::MinimisedFromMaximised:
        window.showMaximized();
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
        break;
    case Where::BehindAnotherWindowAgain:
        bringToFront(window);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        [[fallthrough]];
    case Where::BehindAnotherWindow:
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        break;
    }
    QTRY_VERIFY(window.isMinimized() || QApplication::activeWindow() == &other);

    QSignalSpy asked(&first, &SingleInstance::frontRequested);
    QVERIFY(SingleInstance(harness.folder.path()).askFirstToFront());
    QTRY_COMPARE(asked.count(), 1);
    QVERIFY(!window.isMinimized());
    QCOMPARE(window.isMaximized(), maximised);
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

QTEST_MAIN(TestBringToFront)
#include "tst_bringtofront.moc"
