// Live values: every reading the gauge notifies becomes a row of the online table at once.
#include "data/Units.h"
#include "data/ValueFormat.h"
#include "protocol/RecordLine.h"
#include "texts/Texts.h"
#include "window/GaugeSession.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

namespace vexa {

using namespace ctl;

void GaugeSession::onLiveValue(const QByteArray& value) {
    AppState& state = main_.state();
    const int lang = state.languageIndex;
    const bool switchesToOnline = state.currentMemory != 2;
    if (switchesToOnline) {
        state.currentMemory = 2;
        main_.optOnline_Click();
    }
    // Each record of the value needs a free row of its own: a dual reading fills two.
    for (const QByteArray& line : liveRecordLines(value)) {
        if (state.onlineCounter > RowStore::Capacity) {
            main_.prompt().message(Texts::message(Msg::TooManyValues, lang) +
                                   QStringLiteral(" %1").arg(RowStore::Capacity));
            break;
        }
        main_.FillMessdaten(line);
    }

    // The status field shows the reading converted the way its row is.
    const RecordFields fields = parseRecordLine(value, state.deviceInfo.T);
    double reading = fields.value;
    QString unit = fields.unit;
    if (!state.deviceInfo.U.isEmpty()) {
        QString sourceUnit = state.deviceModel == u"WL" ? fields.unit : QString();
        reading = convertToDeviceUnit(reading, state.deviceInfo.U, state.measureMode, sourceUnit);
        unit = state.deviceInfo.U;
    }
    const QString text =
        formatMeasurement(reading, unit, {state.deviceModel, state.measureMode, state.traits}).text;
    showStatus(QString(state.traits.generation == '5' ? 6 : 1, u' ') + text.trimmed() + u' ' + unit);

    for (const QString& name : {cmdprint, cmdWord, cmdClipboard, cmdExcel})
        main_.controls().show(name);
    if (!downloading_)
        main_.unblockButtons();
}

} // namespace vexa
