#pragma once

// The main window over the window logic without a gauge link, its files in a temporary folder; a gauge
// is "connected" by dressing the window for its name as the initialisation does.
#include "data/Initialisation.h"
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace vexa {

struct MainWindowHarness {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel model{prompt};
    FrmTransfer window{model};

    // Pictures are looked up in `programFolder`.
    explicit MainWindowHarness(const QString& programFolder = QString()) {
        model.programStart({programFolder, folder.path(), folder.path()});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    template <typename W = QWidget> W* control(const QString& name) const {
        return window.findChild<W*>(name);
    }

    void connectGauge(const QString& deviceName) {
        model.applyInitialisation(
            decideInitialisation(deviceName, DeviceInfo{.S = QStringLiteral("1")}, model.state().gauge));
        model.unblockButtons();
        settle();
    }

    void resize(const QSize& size) {
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        settle();
    }

    // Layouts and views catch up on posted events.
    static void settle() {
        for (int pass = 0; pass < 3; ++pass)
            QApplication::processEvents();
    }
};

} // namespace vexa
