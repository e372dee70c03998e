// The X11 key sender against real windows on an X server of its own (tests/x11/with-x11.sh): it starts
// vexa-key-target windows, finds and activates them and types into them, and reads back what arrived.
// CTest runs it twice, under a window manager (activation the EWMH way) and without one.
#include "KeyTarget.h"
#include "widgets/X11KeySender.h"

#include <QFile>
#include <QTest>
#include <QWidget>

// Xlib's macros (None, Bool, Status, ...) break Qt headers that come after them.
#include "widgets/X11Keyboard.h"
#include "widgets/X11Windows.h"

#include <X11/extensions/XTest.h>

using namespace vexa;
using namespace std::chrono_literals;

namespace {

// Long enough for a slow run under the sanitizers; a wait that should end early is bounded by CTest.
constexpr auto FocusWait = 5s;
constexpr int ArrivalWaitMs = 10'000;
// Longer than the sender keeps keys it gave symbols.
constexpr int RestoreWaitMs = 15'000;

// The whole core keyboard mapping, its width first.
QList<KeySym> keyboardMapping(Display* display) {
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int width = 0;
    KeySym* symbols = XGetKeyboardMapping(display, KeyCode(minCode), maxCode - minCode + 1, &width);
    QList<KeySym> mapping{KeySym(width)};
    mapping.append(QList<KeySym>(symbols, symbols + (maxCode - minCode + 1) * width));
    XFree(symbols);
    return mapping;
}

// A key pressed or released as if by the user; false when the keyboard has no such key.
bool fakeKey(Display* display, const char* keyName, bool press) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keyName));
    if (code == 0 || !XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime))
        return false;
    XSync(display, False);
    return true;
}

bool toggleLock(Display* display, const char* keyName) {
    return fakeKey(display, keyName, true) && fakeKey(display, keyName, false);
}

} // namespace

class TestX11KeySender : public QObject {
    Q_OBJECT

    X11KeySender sender;
    Display* display = nullptr;
    QList<KeySym> mappingBefore;
    std::unique_ptr<KeyTarget> target;
    QTemporaryDir files;

    bool activate(const KeyTarget& window) {
        return QCoro::waitFor(sender.activate(*window.window, FocusWait));
    }

    // Types `parts` one after the other into the target, then Return; what arrived.
    QString typeLine(const QStringList& parts) {
        const QString before = target->received();
        if (!activate(*target) || !QCoro::waitFor(sender.modifiersReleased(FocusWait)))
            return QStringLiteral("<not activated>");
        for (const QString& part : parts) {
            if (!QCoro::waitFor(sender.type(part)))
                return QStringLiteral("<type failed: %1>").arg(part);
        }
        if (!QCoro::waitFor(sender.pressReturn()))
            return QStringLiteral("<Return failed>");
        (void)QTest::qWaitFor(
            [&] { return target->received().count(QLatin1Char('\n')) > before.count(QLatin1Char('\n')); },
            ArrivalWaitMs);
        return target->received().mid(before.size());
    }

private slots:
    void initTestCase() {
        QCOMPARE(sender.unavailable(), KeysUnavailable::No);
        display = XOpenDisplay(nullptr);
        QVERIFY(display);
        mappingBefore = keyboardMapping(display);
        target = std::make_unique<KeyTarget>(sender, QStringLiteral("Typing target"));
        QVERIFY(target->window);
    }

    void cleanupTestCase() {
        target.reset();
        if (display)
            XCloseDisplay(display);
    }

    void typing_data() {
        QTest::addColumn<QStringList>("parts");
        const auto row = [](const char* name, QStringList parts) { QTest::newRow(name) << parts; };
        row("letters, digits and blanks", {"Reading 1 of 20"});
        row("leading blanks", {"   12"});
        row("padded value", {"      35.2 "});
        row("micrometres", {"µm "});
        row("ferrite percent", {"Fe% "});
        row("percent alone", {"%"});
        row("shifted signs", {"+^~{}()"});
        row("ASCII punctuation", {"!\"#$&'*,-./:;<=>?@[\\]_`|"});
        row("German", {"ä ö ü ß 12,5"});
        row("German capitals", {"ÄÖÜ"});
        row("negative value", {"-0.35"});
        row("euro", {"€"});
        row("degrees", {"23,5 °C"});
        row("plus-minus", {"±0,02 mm"});
        row("squared", {"mm²"});
        row("diameter", {"Ø 12"});
        row("one blank", {" "});
        row("all digits", {"1234567890"});
        row("µ twice", {"12 µm, 13 µm"});
        row("µ five times in one text", {"µµµµµ"});
        row("µ in five texts in a row", {"µ", "µ", "µ", "µ", "µ"});
        row("value, then its unit", {"35.2", " µm"});
        row("units changing", {"5 µm", " 7 mils", " 9 %", " 2 €"});
        row("beyond Latin-1", {"a — b"});
        row("long reading", {"QY-4000 #17  12.03.2026 14:05:33  35.2 µm  Fe 4.1 %"});
        row("nothing", {""});
    }

    void typing() {
        QFETCH(QStringList, parts);
        QCOMPARE(typeLine(parts), parts.join(QString()) + QLatin1Char('\n'));
    }

    // With Caps Lock on, a key gives the other case: letters must arrive as typed all the same.
    void typingUnderCapsLock() {
        QVERIFY(toggleLock(display, "Caps_Lock"));
        const QString arrived = typeLine({"Ab µ Äß 1"});
        QVERIFY(toggleLock(display, "Caps_Lock"));
        QCOMPARE(arrived, QStringLiteral("Ab µ Äß 1\n"));
    }

    void remappedKeysEmptyAgain_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("one character") << QStringLiteral("µ");
        QTest::newRow("several") << QStringLiteral("€ ° ± Ä");
    }

    void remappedKeysEmptyAgain() {
        QFETCH(QString, text);
        QCOMPARE(typeLine({text}), text + QLatin1Char('\n'));
        QTRY_COMPARE_WITH_TIMEOUT(keyboardMapping(display), mappingBefore, RestoreWaitMs);
    }

    // A keyboard has few keys without a symbol: the keys kept from one text make room for the next once
    // unused for a while, and a text that needs more than there are is not typed at all.
    void spareKeysRunOut() {
        QTRY_COMPARE_WITH_TIMEOUT(keyboardMapping(display), mappingBefore, RestoreWaitMs);
        const qsizetype spare = X11Keyboard(display).spareKeys().size();
        QVERIFY(spare > 2);
        const auto cyrillic = [](qsizetype from, qsizetype count) {
            QString letters;
            for (qsizetype i = from; i < from + count; ++i)
                letters += QChar(char16_t(0x0430 + i));
            return letters;
        };
        const QString first = cyrillic(0, spare - 1);
        // It repeats a letter of the first, whose key goes with the room made and is given again.
        const QString second = cyrillic(spare - 1, spare - 2) + first.front();
        QCOMPARE(typeLine({first, second}), first + second + QLatin1Char('\n'));

        const QString before = target->received();
        QVERIFY(!QCoro::waitFor(sender.type(cyrillic(0, spare + 1))));
        QVERIFY(QCoro::waitFor(sender.pressReturn()));
        QTRY_COMPARE(target->received(), before + QLatin1Char('\n'));
    }

    void controlCharactersRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("tab") << QStringLiteral("12\t5");
        QTest::newRow("line feed") << QStringLiteral("12\n");
        QTest::newRow("delete") << QStringLiteral("12\x7f");
        QTest::newRow("C1 control") << QStringLiteral("12\u0085");
    }

    void controlCharactersRefused() {
        QFETCH(QString, text);
        QVERIFY(activate(*target));
        const QString before = target->received();
        QVERIFY(!QCoro::waitFor(sender.type(text)));
        QVERIFY(QCoro::waitFor(sender.type(QStringLiteral("x"))));
        QTRY_COMPARE(target->received(), before + QLatin1Char('x'));
        QVERIFY(QCoro::waitFor(sender.pressReturn()));
        QTRY_COMPARE(target->received(), before + QLatin1String("x\n"));
    }

    void modifiers_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("held");
        QTest::newRow("Shift") << QStringLiteral("Shift_L") << true;
        QTest::newRow("Ctrl") << QStringLiteral("Control_R") << true;
        QTest::newRow("Alt") << QStringLiteral("Alt_L") << true;
        QTest::newRow("AltGr") << QStringLiteral("ISO_Level3_Shift") << true;
        QTest::newRow("Super") << QStringLiteral("Super_L") << true;
        QTest::newRow("Caps Lock on") << QStringLiteral("Caps_Lock") << false;
        QTest::newRow("Num Lock on") << QStringLiteral("Num_Lock") << false;
    }

    void modifiers() {
        QFETCH(QString, key);
        QFETCH(bool, held);
        const QByteArray name = key.toLatin1();
        QVERIFY(held ? fakeKey(display, name, true) : toggleLock(display, name));
        const bool released = QCoro::waitFor(sender.modifiersReleased(200ms));
        QVERIFY(held ? fakeKey(display, name, false) : toggleLock(display, name));
        QCOMPARE(released, !held);
        QVERIFY(QCoro::waitFor(sender.modifiersReleased(FocusWait)));
    }

    void startRefused_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<KeySender::Start::Refusal>("refusal");
        const QString notExecutable = files.filePath(QStringLiteral("not-executable.sh"));
        QFile script(notExecutable);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch \"$0.ran\"\n");
        script.close();
        using Refusal = KeySender::Start::Refusal;
        QTest::newRow("empty") << QString() << Refusal::NoProgram;
        QTest::newRow("blanks") << QStringLiteral("   ") << Refusal::NoProgram;
        QTest::newRow("no such program") << QStringLiteral("vexa-no-such-program --now") << Refusal::NotFound;
        QTest::newRow("no such file") << files.filePath(QStringLiteral("missing")) << Refusal::NotFound;
        QTest::newRow("Windows path") << QStringLiteral(R"(C:\Programme\x.exe)") << Refusal::WindowsPath;
        QTest::newRow("Windows path quoted")
            << QStringLiteral(R"("C:\Program Files\Calc\calc.exe" /s)") << Refusal::WindowsPath;
        QTest::newRow("not executable") << notExecutable << Refusal::NotExecutable;
        QTest::newRow("folder") << files.path() << Refusal::NotExecutable;
    }

    void startRefused() {
        QFETCH(QString, commandLine);
        QFETCH(KeySender::Start::Refusal, refusal);
        const KeySender::Start started = sender.start(commandLine);
        QCOMPARE(started.pid, 0);
        QCOMPARE(started.refusal, refusal);
        QVERIFY(!QFile::exists(files.filePath(QStringLiteral("not-executable.sh.ran"))));
    }

    void findWindow_data() {
        QTest::addColumn<QString>("launch");
        QTest::newRow("the program itself") << QStringLiteral(R"("%1" "%2" "%3")");
        QTest::newRow("a shell that becomes it") << QStringLiteral(R"(sh -c "exec '%1' '%2' '%3'")");
        QTest::newRow("child of a shell") << QStringLiteral(R"(sh -c "'%1' '%2' '%3'; true")");
    }

    void findWindow() {
        QFETCH(QString, launch);
        const KeyTarget started(sender, QStringLiteral("Started as %1").arg(QTest::currentDataTag()), launch);
        QVERIFY(started.window);
        QCOMPARE(started.window->title, started.title);
        QVERIFY(sender.running(started.started.pid));
        QVERIFY(sender.exists(*started.window));
        QVERIFY(sender.windows().contains(*started.window));
    }

    // The X server hands a closed window's id to the next window made: an id that now names another
    // program's window is not the target any more.
    void windowIdOfAnotherProgram() {
        TargetWindow reused = *target->window;
        reused.owner = target->started.pid + 100'000;
        QVERIFY(sender.exists(*target->window));
        QVERIFY(!sender.exists(reused));
        QVERIFY(!QCoro::waitFor(sender.activate(reused, 500ms)));
    }

    // The program's own windows are no target for its readings.
    void ownWindowsAreNotOffered() {
        QWidget own;
        own.setWindowTitle(QStringLiteral("Own window"));
        own.show();
        QVERIFY(QTest::qWaitForWindowExposed(&own));
        const QList<TargetWindow> offered = sender.windows();
        QVERIFY(offered.contains(*target->window));
        QVERIFY(std::none_of(offered.begin(), offered.end(),
                             [](const TargetWindow& window) { return window.title == u"Own window"; }));
    }

    // findWindow() returns as soon as the process ends; it would otherwise outlast the test's time limit.
    void processEndedWithoutWindow() {
        const KeySender::Start started = sender.start(QStringLiteral("sh -c \"exit 0\""));
        QVERIFY(started.pid > 0);
        QVERIFY(!QCoro::waitFor(sender.findWindow(started.pid, 24h)));
        QTRY_VERIFY(!sender.running(started.pid));
    }

    void closedWindow() {
        KeyTarget closed(sender, QStringLiteral("Closed target"));
        QVERIFY(closed.window);
        closed.close();
        QTRY_VERIFY(!sender.exists(*closed.window));
        QTRY_VERIFY(!sender.running(closed.started.pid));
        QVERIFY(!sender.windows().contains(*closed.window));
        QVERIFY(!QCoro::waitFor(sender.findWindow(closed.started.pid, 24h)));
    }

    // A window that cannot be activated: the one that has the focus keeps it and gets no key.
    void activationRefused_data() {
        QTest::addColumn<QString>("refusal");
        QTest::newRow("withdrawn") << QStringLiteral("withdrawn");
        QTest::newRow("closed") << QStringLiteral("closed");
        QTest::newRow("never existed") << QStringLiteral("never existed");
    }

    void activationRefused() {
        QFETCH(QString, refusal);
        // Started first, so that the X server cannot give a window of it the id of the one closed.
        const KeyTarget focused(sender, QStringLiteral("Focused target"));
        QVERIFY(focused.window);
        KeyTarget refused(sender, QStringLiteral("Refused target"));
        QVERIFY(refused.window);
        TargetWindow window = *refused.window;
        if (refusal == QLatin1String("withdrawn")) {
            QVERIFY(XWithdrawWindow(display, Window(window.id), DefaultScreen(display)));
            XSync(display, False);
            QTRY_VERIFY(!sender.windows().contains(window));
        } else if (refusal == QLatin1String("closed")) {
            refused.close();
            QTRY_VERIFY(!sender.exists(window));
        } else {
            window.id = 0x1ffffff0;
        }
        QVERIFY(activate(focused));

        QVERIFY(!QCoro::waitFor(sender.activate(window, 500ms)));
        QVERIFY(x11::focusWithin(display, Window(focused.window->id)));
        QCOMPARE(focused.received(), QString());
    }

    void unavailable_data() {
        QTest::addColumn<QByteArray>("variable");
        QTest::newRow("no DISPLAY") << QByteArray();
        QTest::newRow("empty DISPLAY") << QByteArray("");
        QTest::newRow("no server there") << QByteArray(":4711");
    }

    void unavailable() {
        QFETCH(QByteArray, variable);
        const QByteArray before = qgetenv("DISPLAY");
        if (variable.isNull())
            qunsetenv("DISPLAY");
        else
            qputenv("DISPLAY", variable);
        X11KeySender without;
        qputenv("DISPLAY", before);
        QCOMPARE(without.unavailable(), KeysUnavailable::NoDisplay);
        QCOMPARE(without.windows(), QList<TargetWindow>());
        QVERIFY(!QCoro::waitFor(without.type(QStringLiteral("1"))));
        QVERIFY(!QCoro::waitFor(without.activate(*target->window, 100ms)));
    }
};

QTEST_MAIN(TestX11KeySender)
#include "tst_x11keysender.moc"
