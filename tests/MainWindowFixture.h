#pragma once

// The main window of a coating gauge showing a few readings, without a gauge link, its commands offered.
#include "SheetFixture.h"
#include "data/Initialisation.h"
#include "widgets/frmTransfer.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QTemporaryDir>

namespace vexa::fixture {

struct MainWindowShowing {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel model{prompt};
    FrmTransfer window{model};

    explicit MainWindowShowing(const QList<Reading>& readings) {
        model.programStart({QString(), folder.path(), folder.path()});
        model.applyInitialisation(decideInitialisation(
            QStringLiteral("QY-1"), DeviceInfo{.S = QStringLiteral("1")}, model.state().gauge));
        model.currentStore().assign(sheetContent(readings).rows);
        model.FillMSFlexOne();
        model.unblockButtons();
    }
};

} // namespace vexa::fixture
