// What the information window shows of the gauge, as lines or as JSON.
#include "cli/CliRun.h"
#include "data/PrintableText.h"
#include "files/GaugeInformation.h"
#include "files/OrderedJson.h"

namespace vexa::cli {

QCoro::Task<int> CliRun::info() {
    if (!co_await connectGauge())
        co_return Failure;
    const InformationTexts texts = informationTexts(gauge_.identity(), languageIndex_);
    const std::pair<const char16_t*, std::pair<QString, QString>> fields[] = {
        {u"device", {texts.deviceLabel, texts.device}},
        {u"deviceSoftware", {texts.deviceSoftwareLabel, texts.deviceSoftware}},
        {u"pcSoftware", {texts.pcSoftwareLabel, texts.pcSoftware}},
        {u"mac", {texts.macLabel, texts.mac}},
        {u"probeType", {texts.probeTypeLabel, texts.probeType}},
        {u"probeVersion", {texts.probeVersionLabel, texts.probeVersion}},
    };
    if (request_.format == Format::Json) {
        OrderedJson json;
        for (const auto& [key, field] : fields)
            json.add(key, OrderedJson().add(u"label", field.first).add(u"value", field.second));
        writeOut(json.text() + '\n');
        co_return Success;
    }
    QByteArray lines;
    for (const auto& [key, field] : fields)
        lines +=
            printableText(field.first + u':' + (field.second.isEmpty() ? QString() : u' ' + field.second))
                .toUtf8() +
            '\n';
    writeOut(lines);
    co_return Success;
}

} // namespace vexa::cli
