// The widgets show what the window logic's control state holds, whatever they showed before.
#include "widgets/ControlBinder.h"
#include "window/ControlState.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace vexa;

class TestControlBinder : public QObject {
    Q_OBJECT
private slots:
    void listShowsTheItemsGivenLast_data();
    void listShowsTheItemsGivenLast();
    void listShowsTheRowChosenLast_data();
    void listShowsTheRowChosenLast();
    void listKeepsTheUsersRowWhereTheLogicChoosesNone();
    void disabledControlLooksDisabledInAColouredFrame();
};

namespace {

// A list widget mirroring the control state's control of its name.
struct BoundList {
    ControlState state;
    ControlBinder binder{state};
    QWidget window;
    QListWidget list{&window};

    explicit BoundList(const QString& name) {
        list.setObjectName(name);
        binder.bind(&list);
    }
    QString name() const { return list.objectName(); }
};

QStringList shownItems(const QListWidget& list) {
    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown.append(list.item(i)->text());
    return shown;
}

} // namespace

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

// The row the logic chose is shown current, also once the list was filled anew, and is not reported back
// as the user's click.
void TestControlBinder::listShowsTheRowChosenLast_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("after");

    const QString first = QStringLiteral("MAC: 0080E1000001 Name: QY-FE 2107       RSSI: -55");
    const QString second = QStringLiteral("MAC: 0080E1000002 Name: ZE-4711       RSSI: -61");
    QTest::newRow("chosen, then another entry") << QStringList{first} << 0 << QStringList{first, second};
    QTest::newRow("chosen before its entry") << QStringList{} << 1 << QStringList{first, second};
    QTest::newRow("none chosen") << QStringList{first} << -1 << QStringList{first, second};
    QTest::newRow("chosen, entries unchanged")
        << QStringList{first, second} << 1 << QStringList{first, second};
}

void TestControlBinder::listShowsTheRowChosenLast() {
    QFETCH(QStringList, before);
    QFETCH(int, row);
    QFETCH(QStringList, after);
    BoundList bound(QStringLiteral("lbDevices"));
    QSignalSpy rowChanges(&bound.list, &QListWidget::currentRowChanged);
    QSignalSpy selectionChanges(&bound.list, &QListWidget::itemSelectionChanged);

    bound.state.setItems(bound.name(), before);
    bound.state.setCurrentRow(bound.name(), row);
    bound.state.setItems(bound.name(), after);

    QCOMPARE(shownItems(bound.list), after);
    QCOMPARE(bound.list.currentRow(), row);
    QCOMPARE(bound.list.selectedItems().size(), row >= 0 ? 1 : 0);
    QCOMPARE(rowChanges.count(), 0);
    QCOMPARE(selectionChanges.count(), 0);
}

// A list whose row is the user's alone (the statistics) keeps it while the logic changes something else.
void TestControlBinder::listKeepsTheUsersRowWhereTheLogicChoosesNone() {
    BoundList bound(QStringLiteral("lstStat"));
    bound.state.setItems(bound.name(), {QStringLiteral("n 3"), QStringLiteral("x 12.5")});
    bound.list.setCurrentRow(1);

    bound.state.setVisible(bound.name(), false);
    QCOMPARE(bound.list.currentRow(), 1);
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
