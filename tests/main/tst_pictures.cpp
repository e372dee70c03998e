// Gauge pictures, logos, the frame picture and window icons: a file beside the program is shown, and
// where there is none the program's own drawing stands in.
#include "MainWindowHarness.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <memory>

using namespace vexa;
using namespace vexa::ctl;

namespace {

const QColor MakersColour(201, 0, 163);

// How many colours the control shows: an empty box shows one or two, a drawing many.
int coloursShown(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

QImage shown(const MainWindowHarness& harness, const QString& control) {
    if (control == frmTransfer)
        return harness.window.windowIcon().pixmap(32, 32).toImage();
    return harness.control(control)->grab().toImage();
}

QColor centreOf(const QImage& image) {
    return QColor(image.pixel(image.width() / 2, image.height() / 2));
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void drawingStandsInForMissingFile_data();
    void drawingStandsInForMissingFile();
    void fileBesideProgramWins_data();
    void fileBesideProgramWins();
    void gaugeFamiliesLookDifferent();
    void programIconBeforeAnyGauge();

private:
    void pictureTable();
};

void TestPictures::pictureTable() {
    QTest::addColumn<QString>("gauge");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("file");
    QTest::newRow("coating gauge") << "QY-FE 2107" << picZK << "QY.png";
    QTest::newRow("field-strength gauge") << "KR-4000" << picZK << "KR4000.png";
    QTest::newRow("axial field-strength gauge") << "KR-8 11" << picZK << "KR.gif";
    QTest::newRow("permeability gauge") << "Sidra 5" << picZK << "WP.png";
    QTest::newRow("ferrite gauge, large") << "FX 450" << picZK << "WP.png";
    QTest::newRow("ferrite gauge, small, frame hidden") << "FX 350" << picZK << "VD.gif";
    QTest::newRow("flux meter") << "VIMS 2" << picZK << "WL.png";
    QTest::newRow("probe-memory gauge") << "ZEL 4711" << picZK << "ZK.gif";
    QTest::newRow("own logo") << "QY-FE 2107" << picVexa << "Vexalogo.jpg";
    QTest::newRow("frame picture") << "QY-FE 2107" << picRahmen << "Rahmen.jpg";
    QTest::newRow("brand logo") << "PEMRA 3" << picVexa << "Ferlundlogo.jpg";
    QTest::newRow("brand logo, another brand") << "Thickness 9" << picVexa << "Quorvel.jpg";
    QTest::newRow("brand icon") << "DELTA 7" << frmTransfer << "Marvik.ico";
    QTest::newRow("brand icon, another brand") << "TIVO 1" << frmTransfer << "Tivona.ico";
}

void TestPictures::drawingStandsInForMissingFile_data() {
    pictureTable();
}

void TestPictures::drawingStandsInForMissingFile() {
    QFETCH(QString, gauge);
    QFETCH(QString, control);
    QFETCH(QString, file);
    const QTemporaryDir programFolder;
    MainWindowHarness harness(programFolder.path());
    harness.connectGauge(gauge);
    QVERIFY(!QFileInfo::exists(programFolder.filePath(file)));
    if (control != frmTransfer)
        QVERIFY(harness.control(control)->isVisible());
    QVERIFY2(coloursShown(shown(harness, control)) > 8, qPrintable(file));
}

void TestPictures::fileBesideProgramWins_data() {
    pictureTable();
}

// A maker puts its own pictures beside the program; their format is found from their content.
void TestPictures::fileBesideProgramWins() {
    QFETCH(QString, gauge);
    QFETCH(QString, control);
    QFETCH(QString, file);
    const QTemporaryDir programFolder;
    QImage makers(64, 64, QImage::Format_RGB32);
    makers.fill(MakersColour);
    QVERIFY(makers.save(programFolder.filePath(file), "PNG"));
    MainWindowHarness harness(programFolder.path());
    harness.connectGauge(gauge);
    QCOMPARE(centreOf(shown(harness, control)), MakersColour);
}

void TestPictures::gaugeFamiliesLookDifferent() {
    const QStringList gauges{"QY-FE 2107", "KR-4000", "KR-8 11", "Sidra 5", "FX 350", "VIMS 2", "ZEL 4711"};
    QList<QImage> drawings;
    const QTemporaryDir programFolder;
    for (const QString& gauge : gauges) {
        MainWindowHarness harness(programFolder.path());
        harness.connectGauge(gauge);
        const QImage drawing = shown(harness, picZK);
        for (int i = 0; i < drawings.size(); ++i)
            QVERIFY2(drawing != drawings[i], qPrintable(gauge + QStringLiteral(" looks like ") + gauges[i]));
        drawings.append(drawing);
    }
}

void TestPictures::programIconBeforeAnyGauge() {
    MainWindowHarness harness;
    QVERIFY(coloursShown(shown(harness, frmTransfer)) > 2);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
