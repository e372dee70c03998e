// Live values: every reading the gauge notifies becomes a row of the online table at once.
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"
#include "window/WindowSession.h"

namespace vexa {

using namespace ctl;

void WindowSession::showLiveReading(const LiveReading& reading) {
    AppState& state = main_.state();
    const int lang = state.languageIndex;
    if (state.view != View::Online) {
        state.view = View::Online;
        main_.optOnline_Click();
    }
    // Each record of the value needs a free row of its own: a dual reading fills two. A full table says so
    // once; every reading it refuses goes into the log.
    const QString full =
        Texts::message(Msg::TooManyValues, lang) + QStringLiteral(" %1").arg(RowStore::Capacity);
    for (const RecordRow& record : reading.records) {
        if (main_.stores().online.presentCount() >= RowStore::Capacity) {
            const MeasurementRow& refused = record.row;
            main_.log().WriteLog(full + QStringLiteral(": ") + QString::number(refused.number) + u' ' +
                                 QString::number(refused.value) + u' ' + refused.unit.trimmed());
            if (!onlineFullSaid_)
                main_.prompt().message(full);
            onlineFullSaid_ = true;
            continue;
        }
        onlineFullSaid_ = false;
        main_.FillMessdaten(record);
    }

    // The status field shows the reading as its row does.
    if (!reading.records.empty()) {
        const MeasurementRow& row = reading.records.front().row;
        const QString text = formatMeasurement(row.value, row.unit, state.gauge.measureContext()).text;
        main_.showPassingStatus(QString(state.gauge.traits.hasMemoryFiles() ? 6 : 1, u' ') + text.trimmed() +
                                u' ' + row.unit);
        main_.controls().show(txtSpeicher);
    }

    for (const QString& name : {cmdprint, cmdWord, cmdClipboard, cmdExcel, cmdPdfReport})
        main_.controls().show(name);
    if (!downloading_)
        main_.unblockButtons();
}

} // namespace vexa
