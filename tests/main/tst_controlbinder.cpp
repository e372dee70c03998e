// The widgets show what the window logic's control state holds, whatever they showed before.
#include "widgets/ControlBinder.h"
#include "window/ControlState.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

using namespace vexa;

class TestControlBinder : public QObject {
    Q_OBJECT
private slots:
    void listShowsTheItemsGivenLast_data();
    void listShowsTheItemsGivenLast();
    void disabledControlLooksDisabledInAColouredFrame();
};

void TestControlBinder::listShowsTheItemsGivenLast_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("captionBefore");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("captionAfter");

    const QStringList files{QStringLiteral("m001"), QStringLiteral("s002"), QStringLiteral("t003")};
    const QStringList probes{QStringLiteral("   S1   (7)"), QStringLiteral("   S2   (0)"),
                             QStringLiteral("   S3  (12)")};
    QTest::newRow("as many entries, another gauge's") << files << files.first() << probes << probes.first();
    QTest::newRow("as many entries, the caption kept") << files << QString() << probes << QString();
    QTest::newRow("fewer entries") << files << files.first() << probes.mid(0, 1) << probes.first();
    QTest::newRow("emptied") << files << files.first() << QStringList{} << QStringLiteral("Speicher leer");
}

void TestControlBinder::listShowsTheItemsGivenLast() {
    QFETCH(QStringList, before);
    QFETCH(QString, captionBefore);
    QFETCH(QStringList, after);
    QFETCH(QString, captionAfter);
    ControlState state;
    ControlBinder binder(state);
    QWidget window;
    QComboBox list(&window);
    list.setEditable(true);
    list.setObjectName(QStringLiteral("cmbSpeicher"));
    binder.bind(&list);

    state.setItems(list.objectName(), before);
    state.setCaption(list.objectName(), captionBefore);
    state.setItems(list.objectName(), after);
    state.setCaption(list.objectName(), captionAfter);

    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown.append(list.itemText(i));
    QCOMPARE(shown, after);
    QCOMPARE(list.currentText(), captionAfter);
}

// The company caption colours its frame's text; a disabled button in the frame must still look disabled.
void TestControlBinder::disabledControlLooksDisabledInAColouredFrame() {
    ControlState state;
    ControlBinder binder(state);
    QWidget window;
    QGroupBox frame(&window);
    frame.setObjectName(QStringLiteral("FrameStatistik"));
    QPushButton usable(&frame);
    QPushButton unusable(&frame);
    unusable.setEnabled(false);
    binder.bind(&frame);
    const QColor dimmed = unusable.palette().color(QPalette::Disabled, QPalette::ButtonText);

    state.setForeground(frame.objectName(), Rgb{0, 76, 151});
    QCOMPARE(usable.palette().color(QPalette::Active, QPalette::ButtonText), QColor(0, 76, 151));
    QCOMPARE(unusable.palette().color(QPalette::Disabled, QPalette::ButtonText), dimmed);
}

QTEST_MAIN(TestControlBinder)
#include "tst_controlbinder.moc"
