// Qt's own texts (standard buttons, file dialogs) follow the program's language.
#include "MainWindowHarness.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <memory>

using namespace vexa;

class TestQtTranslation : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsFollowTheLanguage_data();
    void standardButtonsFollowTheLanguage();
};

void TestQtTranslation::standardButtonsFollowTheLanguage_data() {
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");
    QTest::newRow("Cancel") << QDialogButtonBox::Cancel << "Abbrechen"
                            << "Cancel";
    QTest::newRow("Yes") << QDialogButtonBox::Yes << "&Ja"
                         << "&Yes";
    QTest::newRow("No") << QDialogButtonBox::No << "&Nein"
                        << "&No";
    QTest::newRow("Save") << QDialogButtonBox::Save << "Speichern"
                          << "Save";
}

// The program starts in German; a box that is open while the language changes follows it.
void TestQtTranslation::standardButtonsFollowTheLanguage() {
    QFETCH(QDialogButtonBox::StandardButton, button);
    MainWindowHarness harness;
    QDialogButtonBox box(button);
    QTEST(box.button(button)->text(), "german");
    harness.model.englishClick();
    harness.settle();
    QTEST(box.button(button)->text(), "english");
    harness.model.germanClick();
    harness.settle();
    QTEST(box.button(button)->text(), "german");
}

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
