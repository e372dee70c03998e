#pragma once

// The main window and the gauge session over any transport, with the user's moves on the link window:
// what the end-to-end tests of the simulated gauges and of Qt Bluetooth share.
#include "LinkWindowData.h"
#include "SpyTransport.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <qcoro/qcorotask.h>

namespace vexa {

// Not yet connected; settings and files in a temporary folder. Messages go to `PromptType`: scripted,
// or the real message boxes.
template <typename PromptType> struct BasicSessionHarness {
    QTemporaryDir folder;
    PromptType prompt;
    MainModel main{prompt};
    SpyTransport transport;
    WindowSession session{transport, main};

    // `programFile`: "Program.ini" as an earlier run left it; none when null.
    explicit BasicSessionHarness(Transport& inner, int languageIndex = 0, const QByteArray& programFile = {})
        : transport(inner) {
        if (!programFile.isNull())
            QVERIFY(writeProgramFile(folder.path(), programFile));
        main.programStart({QString(), folder.path(), folder.path()});
        if (languageIndex == 1)
            main.englishClick();
    }

    ControlState& controls() { return main.controls(); }
    LinkWindowModel& window() { return session.linkWindow(); }
    Gauge& gauge() { return session.gauge(); }

    // The main window's connect button; in the link window, scanning by itself, the user picks the gauge
    // named `name` (the first one listed when empty) and connects.
    void connectGauge(const QString& name = QString()) {
        openLinkWindow([this, name] {
            QTRY_VERIFY(entryOf(name) >= 0);
            window().lbDevices_Click(entryOf(name));
            window().cmdConnect_Click();
            QTRY_VERIFY(gauge().linkConnected());
        });
    }

    // The main window's connect button: `user` acts in the link window, which closes when it returns.
    void openLinkWindow(const std::function<void()>& user) {
        const QMetaObject::Connection acting =
            QObject::connect(&session, &WindowSession::linkWindowRequested, &session, user);
        QCoro::waitFor(session.cmdConnect_Click());
        QObject::disconnect(acting);
    }

    // The user picks a memory in the list.
    void choose(const QString& entry) { main.cmbSpeicher_Change(entry); }
    void read() { QCoro::waitFor(session.cmdLesen_Click()); }
    QList<int> numbers() {
        QList<int> found;
        for (int i = 1; i <= main.currentStore().presentCount(); ++i)
            found.append(main.currentStore()[i].number);
        return found;
    }

private:
    int entryOf(const QString& name) {
        const QStringList entries = window().controls().items(ble::lbDevices);
        for (int row = 0; row < entries.size(); ++row)
            if (name.isEmpty() || entries[row].contains(QStringLiteral(" Name: ") + name))
                return row;
        return -1;
    }
};

using SessionHarness = BasicSessionHarness<ScriptedPrompt>;

} // namespace vexa
