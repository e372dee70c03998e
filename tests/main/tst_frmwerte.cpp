#include "widgets/DialogPrompt.h"
#include "widgets/frmWerte.h"
#include "window/ScriptedPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(vexa::Limits)

using namespace vexa;

namespace {

Limits limits(double minimum, double maximum, double target, bool rule8020 = false) {
    Limits result;
    result.minimum = minimum;
    result.maximum = maximum;
    result.target = target;
    result.rule8020 = rule8020;
    return result;
}

} // namespace

class TestFrmWerte : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captionsAndFields_data();
    void captionsAndFields();
    void leavingAField_data();
    void leavingAField();
    void enterTakesTheFieldAndClosesNothing();
    void refusedFieldSwallowsClicks();
    void ticking8020RewritesTheMinimumField();
    void deleteClearsTheFields();
    void saveCallsBackThenCloses();
    void closingKeepsTheValues();
    void rule8020CanBeWithdrawn();
    void everyLimitTakenIsSaid_data();
    void everyLimitTakenIsSaid();
    void theFocusComesBackAfterAMessage_data();
    void theFocusComesBackAfterAMessage();

private:
    void open(const Limits& values, int language = 0);
    template <typename W> W* control(const QString& name) const;
    void type(const QString& field, const QString& text);

    ScriptedPrompt prompt_;
    Limits limits_;
    std::unique_ptr<FrmWerte> dialog_;
    QStringList callbacks_;
};

void TestFrmWerte::init() {
    QLocale::setDefault(QLocale::c());
    prompt_.clear();
    callbacks_.clear();
    limits_ = {};
    dialog_ = std::make_unique<FrmWerte>(limits_, prompt_);
    dialog_->setOnSave([this] { callbacks_ << QStringLiteral("save"); });
    dialog_->setOnClosed([this] { callbacks_ << QStringLiteral("closed"); });
}

void TestFrmWerte::cleanup() {
    dialog_.reset();
}

void TestFrmWerte::open(const Limits& values, int language) {
    limits_ = values;
    dialog_->setLanguageIndex(language);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
}

template <typename W> W* TestFrmWerte::control(const QString& name) const {
    W* widget = dialog_->findChild<W*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

void TestFrmWerte::type(const QString& field, const QString& text) {
    auto* edit = control<QLineEdit>(field);
    edit->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void TestFrmWerte::captionsAndFields_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("save");
    QTest::addColumn<QString>("erase");

    QTest::newRow("German") << 0 << "Grenzwerte"
                            << "Sollwert"
                            << "Speichern"
                            << "Löschen";
    QTest::newRow("English") << 1 << "Limits"
                             << "Target value"
                             << "Save"
                             << "Delete";
}

void TestFrmWerte::captionsAndFields() {
    QFETCH(int, language);
    QFETCH(QString, frame);
    QFETCH(QString, target);
    QFETCH(QString, save);
    QFETCH(QString, erase);

    open(limits(12.5, 80, 50, true), language);

    QCOMPARE(dialog_->objectName(), QStringLiteral("frmWerte"));
    QVERIFY(!dialog_->isModal());
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Vexa Connect V1.17"));
    QCOMPARE(control<QGroupBox>("frmLimits")->title(), frame);
    QCOMPARE(control<QLabel>("lblMin")->text(), QStringLiteral("Min Limit:"));
    QCOMPARE(control<QLabel>("lblMax")->text(), QStringLiteral("Max Limit:"));
    QCOMPARE(control<QLabel>("lblSoll")->text(), target);
    QCOMPARE(control<QCheckBox>("chk8020")->text(), QStringLiteral("80/20     "));
    QCOMPARE(control<QPushButton>("cmdInfo")->text(), QStringLiteral("Info"));
    QCOMPARE(control<QPushButton>("cmdSpeichern")->text(), save);
    QCOMPARE(control<QPushButton>("cmdLoeschen")->text(), erase);

    QCOMPARE(control<QLineEdit>("txtMinLimit")->text(), QStringLiteral("12.5"));
    QCOMPARE(control<QLineEdit>("txtMaxLimit")->text(), QStringLiteral("80"));
    QCOMPARE(control<QLineEdit>("txtSoll")->text(), QStringLiteral("50"));
    QVERIFY(control<QCheckBox>("chk8020")->isChecked());

    dialog_->setLanguageIndex(1 - language);
    QVERIFY(control<QGroupBox>("frmLimits")->title() != frame);
}

void TestFrmWerte::leavingAField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("keepsFocus");
    QTest::addColumn<Limits>("after");

    QTest::newRow("negative") << "txtMinLimit"
                              << "-12" << QStringList{"Nur positive Werte erlaubt"} << "12" << false
                              << limits(12, 50, 20);
    QTest::newRow("not a number") << "txtSoll"
                                  << "1x" << QStringList{"Eingabe muss numerisch sein!"} << "1x" << true
                                  << limits(5, 50, 20);
    QTest::newRow("emptied") << "txtMaxLimit"
                             << "" << QStringList{} << "0" << false << limits(5, 0, 20);
    QTest::newRow("inconsistent") << "txtMinLimit"
                                  << "60"
                                  << QStringList{"Sollwert muss zwischen Minimum und Maximum liegen!",
                                                 "Minimum größer als Maximum!"}
                                  << "60" << false << limits(60, 50, 20);
}

void TestFrmWerte::leavingAField() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, messages);
    QFETCH(QString, shown);
    QFETCH(bool, keepsFocus);
    QFETCH(Limits, after);

    open(limits(5, 50, 20));
    auto* edit = control<QLineEdit>(field);
    type(field, text);
    QTest::keyClick(edit, Qt::Key_Tab);

    QTRY_COMPARE(QApplication::focusWidget() == edit, keepsFocus);
    QTest::qWait(20); // a refused field takes the focus back on the next pass of the event loop
    QCOMPARE(QApplication::focusWidget() == edit, keepsFocus);
    QCOMPARE(prompt_.shown(), messages);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(limits_.minimum, after.minimum);
    QCOMPARE(limits_.maximum, after.maximum);
    QCOMPARE(limits_.target, after.target);
}

void TestFrmWerte::enterTakesTheFieldAndClosesNothing() {
    open(limits(5, 50, 20));
    auto* edit = control<QLineEdit>("txtSoll");
    type("txtSoll", "-30");
    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(prompt_.shown(), (QStringList{"Nur positive Werte erlaubt"}));
    QCOMPARE(edit->text(), QStringLiteral("30"));
    QCOMPARE(limits_.target, 30.0);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(callbacks_, QStringList{});

    // Taken once: leaving it now repeats no message.
    prompt_.clear();
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_VERIFY(QApplication::focusWidget() != edit);
    QCOMPARE(prompt_.shown(), QStringList{});
}

void TestFrmWerte::refusedFieldSwallowsClicks() {
    open(limits(5, 50, 20));
    auto* edit = control<QLineEdit>("txtMinLimit");
    type("txtMinLimit", "abc");

    QTest::mouseClick(control<QPushButton>("cmdLoeschen"), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(prompt_.shown(), (QStringList{"Eingabe muss numerisch sein!"}));
    QCOMPARE(limits_.maximum, 50.0);
    QCOMPARE(control<QLineEdit>("txtMaxLimit")->text(), QStringLiteral("50"));

    auto* box = control<QCheckBox>("chk8020");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QVERIFY(!box->isChecked());
    QVERIFY(!limits_.rule8020);

    // Corrected, the next click goes through.
    type("txtMinLimit", "7");
    QTest::mouseClick(control<QPushButton>("cmdLoeschen"), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("0"));
    QCOMPARE(limits_.maximum, 0.0);
}

void TestFrmWerte::ticking8020RewritesTheMinimumField() {
    open(limits(30, 100, 50), 1);
    auto* box = control<QCheckBox>("chk8020");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));

    QVERIFY(box->isChecked());
    QVERIFY(limits_.rule8020);
    QCOMPARE(prompt_.shown(), (QStringList{"Min limit changed due to 80/20 rule from 30 to 40"}));
    QCOMPARE(control<QLineEdit>("txtMinLimit")->text(), QStringLiteral("40"));
}

void TestFrmWerte::deleteClearsTheFields() {
    open(limits(30, 100, 50, true));
    QTest::mouseClick(control<QPushButton>("cmdLoeschen"), Qt::LeftButton);

    for (const char* name : {"txtMinLimit", "txtMaxLimit", "txtSoll"})
        QCOMPARE(control<QLineEdit>(name)->text(), QStringLiteral("0"));
    QVERIFY(!control<QCheckBox>("chk8020")->isChecked());
    QCOMPARE(limits_, (Limits{0, 0, 0, "0", "0", "0", false}));
    QCOMPARE(prompt_.shown(), QStringList{});
}

void TestFrmWerte::saveCallsBackThenCloses() {
    open(limits(5, 50, 20));
    type("txtMaxLimit", "60");
    QTest::mouseClick(control<QPushButton>("cmdSpeichern"), Qt::LeftButton);

    QCOMPARE(callbacks_, (QStringList{"save", "closed"}));
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(limits_.maximum, 60.0);
}

void TestFrmWerte::closingKeepsTheValues() {
    open(limits(5, 50, 20));
    type("txtMaxLimit", "60");
    QTest::keyClick(control<QLineEdit>("txtMaxLimit"), Qt::Key_Tab);
    dialog_->close();

    QCOMPARE(callbacks_, QStringList{"closed"});
    QCOMPARE(limits_.maximum, 60.0);

    // Shown again, the fields start from the values.
    limits_.maximum = 70;
    dialog_->show();
    QCOMPARE(control<QLineEdit>("txtMaxLimit")->text(), QStringLiteral("70"));
}

void TestFrmWerte::rule8020CanBeWithdrawn() {
    open(limits(5, 50, 20));
    dialog_->setRule8020Offered(false);
    for (const char* name : {"chk8020", "cmdInfo"}) {
        QVERIFY(!control<QWidget>(name)->isVisible());
        QVERIFY(!control<QWidget>(name)->isEnabled());
    }
    dialog_->setRule8020Offered(true);
    for (const char* name : {"chk8020", "cmdInfo"}) {
        QVERIFY(control<QWidget>(name)->isVisible());
        QVERIFY(control<QWidget>(name)->isEnabled());
    }
}

void TestFrmWerte::everyLimitTakenIsSaid_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text"); // typed and taken with Enter; empty: the control is clicked
    QTest::addColumn<int>("changes");

    QTest::newRow("number taken") << "txtMaxLimit"
                                  << "70" << 1;
    QTest::newRow("number taken with a message") << "txtSoll"
                                                 << "-30" << 1;
    QTest::newRow("text refused") << "txtMinLimit"
                                  << "abc" << 0;
    QTest::newRow("80/20 ticked") << "chk8020" << QString() << 1;
    QTest::newRow("deleted") << "cmdLoeschen" << QString() << 1;
    QTest::newRow("explanation") << "cmdInfo" << QString() << 0;
}

// The main window colours its rows anew on each limit taken, before "Speichern".
void TestFrmWerte::everyLimitTakenIsSaid() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    int changes = 0;
    dialog_->setOnLimitsChanged([&changes] { ++changes; });
    open(limits(30, 100, 50));
    if (text.isEmpty()) {
        auto* widget = this->control<QWidget>(control);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    } else {
        type(control, text);
        QTest::keyClick(this->control<QLineEdit>(control), Qt::Key_Return);
    }
    QTEST(changes, "changes");
}

void TestFrmWerte::theFocusComesBackAfterAMessage_data() {
    QTest::addColumn<QString>("field"); // the field typed into, or the control clicked
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focused");

    QTest::newRow("refused text") << "txtMinLimit"
                                  << "abc"
                                  << "txtMinLimit";
    QTest::newRow("text taken with a message") << "txtSoll"
                                               << "-30"
                                               << "txtSoll";
    QTest::newRow("80/20 box with a message") << "chk8020" << QString() << "chk8020";
    QTest::newRow("explanation of 80/20") << "cmdInfo" << QString() << "cmdInfo";
}

// The dialog does not block the main window, but its messages do: once one is read, the next keystrokes
// belong to the dialog again, not to the main window behind it.
void TestFrmWerte::theFocusComesBackAfterAMessage() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, focused);

    QWidget mainWindow;
    mainWindow.resize(600, 400);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    DialogPrompt boxes;
    boxes.setParentWindow(&mainWindow);
    limits_ = limits(30, 100, 50);
    FrmWerte dialog(limits_, boxes, &mainWindow);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    QStringList read;
    QTimer user;
    user.setInterval(10);
    connect(&user, &QTimer::timeout, &user, [&read] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                read.append(box->text());
                box->accept();
            }
    });
    user.start();

    auto* control = dialog.findChild<QWidget*>(field);
    dialog.activateWindow();
    control->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), control);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    } else {
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }
    QTRY_COMPARE(read.size(), 1);
    QTRY_VERIFY(dialog.isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), dialog.findChild<QWidget*>(focused));
}

QTEST_MAIN(TestFrmWerte)
#include "tst_frmwerte.moc"
