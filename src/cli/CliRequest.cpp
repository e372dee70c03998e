#include "cli/CliRequest.h"

#include "data/DeviceTables.h"
#include "data/LocaleTexts.h"
#include "data/MeasurementRow.h"
#include "texts/Program.h"

#include <QCommandLineParser>

namespace vexa::cli {

namespace {

const QString Usage = QStringLiteral(
    "Commands:\n"
    "  scan                          list the gauges that advertise, as the link window lists them\n"
    "  memories                      list the gauge's memories, as the memory list shows them\n"
    "  download MEMORY [--format json|mes|report|csv|xlsx|docx|pdf] [-o FILE] [--no-chart]\n"
    "                                read a memory (a memory-list entry, or a probe memory's name); as\n"
    "                                mes the measurement file \"In Datei speichern\" writes, as report\n"
    "                                the same text as \"Clipboard\" copies it (without the file's last\n"
    "                                CR LF); as xlsx the workbook of the Excel export, with its chart\n"
    "                                sheet unless --no-chart; as docx the Word export's document; as pdf\n"
    "                                the PDF inspection report\n"
    "  online --count N [--format csv|json|report|xlsx|docx|pdf] [-o FILE] [--no-chart]\n"
    "                                write the first N live readings as they arrive; into FILE once all N\n"
    "                                are there; as report, xlsx, docx or pdf the report, workbook,\n"
    "                                document or inspection report\n"
    "                                of those rows\n"
    "  open FILE.mes [--model MODEL] [--format json|csv] [-o FILE]\n"
    "                                read a measurement file as \"Datei öffnen\" does and write its rows as\n"
    "                                download does; no gauge is needed\n"
    "  evaluate MEMORY|--online N|--file FILE.mes --rule RULE [--param NAME=VALUE]... [--format json]\n"
    "                                judge a memory, N live readings or a measurement file by an\n"
    "                                inspection rule (iso19840, pspc9010, sspc-pa2, weld): a line per\n"
    "                                criterion with its numbers and failing rows, in the --lang language;\n"
    "                                with --online a progress line per reading first. download MEMORY\n"
    "                                --rule RULE adds the verdict to its JSON as \"inspection\"\n"
    "  clock                         print the gauge's date and time\n"
    "  clock set                     set the gauge's clock to this computer's time and print the time sent;\n"
    "                                exit status 1 when the gauge did not take it\n"
    "  info [--format json]          print what the information window shows of the gauge, each field\n"
    "                                after its label (--lang), or as JSON\n"
    "  diagnostics                   print the Bluetooth diagnostics \"Diagnose kopieren\" copies: "
    "versions,\n"
    "                                BlueZ, adapters, the group bluetooth, the gauge connected last and the\n"
    "                                end of the transfer log; no gauge is needed");

std::optional<Command> commandNamed(const QString& name) {
    if (name == u"scan")
        return Command::Scan;
    if (name == u"memories")
        return Command::Memories;
    if (name == u"download")
        return Command::Download;
    if (name == u"online")
        return Command::Online;
    if (name == u"open")
        return Command::Open;
    if (name == u"clock")
        return Command::Clock;
    if (name == u"info")
        return Command::Info;
    if (name == u"diagnostics")
        return Command::Diagnostics;
    if (name == u"evaluate")
        return Command::Evaluate;
    return std::nullopt;
}

std::optional<LimitsDisplay> parseLimits(const QString& text) {
    const QStringList parts = text.split(u':');
    if (parts.size() < 3 || parts.size() > 4 || (parts.size() == 4 && parts[3] != u"8020"))
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (!parts[i].trimmed().isEmpty() && !readNumber(parts[i].trimmed()))
            return std::nullopt;
    return LimitsDisplay{parts[0].trimmed(), parts[1].trimmed(), parts[2].trimmed(), parts.size() == 4};
}

// Limits a script means as they stand: no negative number, a minimum not above the maximum, a target
// between them (0 leaves a limit unset). The limits dialog would quietly drop minus signs and only warn.
bool sensible(const LimitsDisplay& limits) {
    const auto value = [](const QString& text) {
        return text.isEmpty() ? 0.0 : readNumber(text).value_or(0);
    };
    const double minimum = value(limits.minimum);
    const double maximum = value(limits.maximum);
    const double target = value(limits.target);
    if (minimum < 0 || maximum < 0 || target < 0)
        return false;
    if (minimum > 0 && maximum > 0 && minimum > maximum)
        return false;
    return target == 0 || ((minimum == 0 || target >= minimum) && (maximum == 0 || target <= maximum));
}

const QString CommandNames =
    QStringLiteral("scan, memories, download, online, open, evaluate, clock, info or diagnostics");

ParsedRequest failure(const QString& error) {
    return {std::nullopt, error, {}};
}

} // namespace

ParsedRequest parseRequest(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measurement data from handheld gauges, from a shell.\n\n") + Usage);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Displays version information."));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("A simulated gauge advertises instead of the Bluetooth adapter (repeatable)."),
        QStringLiteral("PROFILE.json"));
    const QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("Connect to the first listed gauge whose entry contains TEXT (default: the first "
                       "listed); the scan ends once one is listed, after 10 s at the latest."),
        QStringLiteral("TEXT"));
    const QCommandLineOption adapter(
        QStringLiteral("adapter"),
        QStringLiteral("Scan and connect through this Bluetooth adapter (default: the system's default)."),
        QStringLiteral("hciN|ADDRESS"));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Language of the output texts (default: the gauge's setting; German for open)."),
        QStringLiteral("de|en"));
    const QCommandLineOption limits(QStringLiteral("limits"),
                                    QStringLiteral("Minimum, maximum, target and 8020 for the 80/20 rule, "
                                                   "instead of the gauge's stored limits."),
                                    QStringLiteral("MIN:MAX:TARGET[:8020]"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("Output format."),
                                    QStringLiteral("json|mes|report|csv|xlsx|docx|pdf"));
    const QCommandLineOption output(QStringLiteral("o"),
                                    QStringLiteral("Write the output of download, online or open to FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("Live readings to write."),
                                   QStringLiteral("N"));
    const QCommandLineOption model(
        QStringLiteral("model"),
        QStringLiteral("Read the file as a gauge of MODEL writes it (default: as the file's layout shows)."),
        QStringLiteral("MODEL"));
    const QCommandLineOption noChart(QStringLiteral("no-chart"),
                                     QStringLiteral("A workbook without its chart sheet (--format xlsx)."));
    const QCommandLineOption rule(
        QStringLiteral("rule"),
        QStringLiteral("Judge the readings by an inspection rule (evaluate, download as JSON)."),
        QStringLiteral("iso19840|pspc9010|sspc-pa2|weld"));
    const QCommandLineOption param(
        QStringLiteral("param"),
        QStringLiteral("A parameter of the rule (repeatable); unit=UNIT chooses the "
                       "unit it judges in."),
        QStringLiteral("NAME=VALUE"));
    const QCommandLineOption onlineReadings(QStringLiteral("online"),
                                            QStringLiteral("evaluate N live readings."), QStringLiteral("N"));
    const QCommandLineOption file(QStringLiteral("file"), QStringLiteral("evaluate a measurement file."),
                                  QStringLiteral("FILE.mes"));
    parser.addOptions({version, simulate, device, adapter, lang, limits, format, output, count, model,
                       noChart, rule, param, onlineReadings, file});
    parser.addPositionalArgument(QStringLiteral("command"), CommandNames + u'.');

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(help))
        return {std::nullopt, {}, parser.helpText()};
    if (parser.isSet(version))
        return {
            std::nullopt, {}, QStringLiteral("vexa-connect-cli ") + ProgramVersionNumber + QLatin1Char('\n')};

    CliRequest request;
    request.profileFiles = parser.values(simulate);
    if (parser.isSet(device))
        request.device = parser.value(device);
    request.adapter = parser.value(adapter);
    if (parser.isSet(lang)) {
        const QString language = parser.value(lang);
        if (language != u"de" && language != u"en")
            return failure(QStringLiteral("--lang takes \"de\" or \"en\", not \"%1\"").arg(language));
        request.languageIndex = language == u"en" ? 1 : 0;
    }
    if (parser.isSet(limits)) {
        request.limits = parseLimits(parser.value(limits));
        if (!request.limits)
            return failure(QStringLiteral("--limits takes MIN:MAX:TARGET or MIN:MAX:TARGET:8020 with numbers "
                                          "written as this locale writes them, not \"%1\"")
                               .arg(parser.value(limits)));
        if (!sensible(*request.limits))
            return failure(
                QStringLiteral("--limits takes no negative number, a minimum not above the maximum "
                               "and a target between them, not \"%1\"")
                    .arg(parser.value(limits)));
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return failure(QStringLiteral("no command given: %1").arg(CommandNames));
    const std::optional<Command> command = commandNamed(positional.first());
    if (!command)
        return failure(QStringLiteral("unknown command \"%1\": %2").arg(positional.first(), CommandNames));
    request.command = *command;
    // "clock set": the one command with a word after it that is no argument.
    if (request.command == Command::Clock && positional.size() > 1) {
        if (positional.at(1) != u"set")
            return failure(
                QStringLiteral("clock takes \"set\" or nothing, not \"%1\"").arg(positional.at(1)));
        request.command = Command::SetClock;
    }
    const bool info = request.command == Command::Info;
    const bool download = request.command == Command::Download;
    const bool online = request.command == Command::Online;
    const bool open = request.command == Command::Open;
    const bool evaluate = request.command == Command::Evaluate;
    if (evaluate) {
        if (parser.isSet(onlineReadings) && parser.isSet(file))
            return failure(
                QStringLiteral("evaluate reads a memory, --online N or --file FILE.mes: one of them"));
        request.readings = parser.isSet(onlineReadings) ? Readings::Online
                           : parser.isSet(file)         ? Readings::File
                                                        : Readings::Memory;
    } else if (parser.isSet(onlineReadings) || parser.isSet(file)) {
        return failure(QStringLiteral("--online and --file are for evaluate"));
    }
    const bool readsMemory = download || (evaluate && request.readings == Readings::Memory);
    const int wantedArguments = readsMemory || open || request.command == Command::SetClock ? 2 : 1;
    if (positional.size() < wantedArguments)
        return failure(download   ? QStringLiteral("download needs the memory to read")
                       : evaluate ? QStringLiteral("evaluate needs the memory to read, --online N or --file "
                                                   "FILE.mes")
                                  : QStringLiteral("open needs the measurement file to read"));
    if (positional.size() > wantedArguments)
        return failure(QStringLiteral("unexpected argument \"%1\"").arg(positional.at(wantedArguments)));
    if (readsMemory)
        request.memory = positional.at(1).trimmed();
    if (open)
        request.measurementFile = positional.at(1);
    if (evaluate && request.readings == Readings::File)
        request.measurementFile = parser.value(file);
    const bool readsFile = open || (evaluate && request.readings == Readings::File);
    const bool takesOnline = online || (evaluate && request.readings == Readings::Online);

    if (parser.isSet(format) && !download && !online && !open && !info && !evaluate)
        return failure(QStringLiteral("--format is for download, online, open and info, and evaluate"));
    if (parser.isSet(output) && !download && !online && !open)
        return failure(QStringLiteral("-o is for download, online and open"));
    if (parser.isSet(count) && !online)
        return failure(QStringLiteral("--count is for online"));
    if (parser.isSet(model) && !readsFile)
        return failure(QStringLiteral("--model is for open and evaluate --file"));
    // A file is read without a gauge: naming one would suggest its settings count.
    if (readsFile && (parser.isSet(simulate) || parser.isSet(device)))
        return failure(QStringLiteral("a file is read without a gauge: --simulate and --device are for "
                                      "the other commands"));
    if (parser.isSet(adapter) && (readsFile || request.command == Command::Diagnostics))
        return failure(QStringLiteral("--adapter is for the commands that scan"));
    if (parser.isSet(adapter) && parser.isSet(simulate))
        return failure(QStringLiteral("--adapter names a Bluetooth adapter: simulated gauges use none"));
    if (request.command == Command::Diagnostics &&
        (parser.isSet(simulate) || parser.isSet(device) || parser.isSet(limits)))
        return failure(QStringLiteral("diagnostics asks no gauge: --simulate, --device and --limits are for "
                                      "the other commands"));

    const bool textOrJson = info || evaluate;
    request.format = online ? Format::Csv : textOrJson && !parser.isSet(format) ? Format::Text : Format::Json;
    if (textOrJson && parser.isSet(format) && parser.value(format) != u"json")
        return failure(QStringLiteral("--format takes json for %1, not \"%2\"")
                           .arg(positional.first(), parser.value(format)));
    if (parser.isSet(format) && !textOrJson) {
        const QString name = parser.value(format);
        if (name == u"json")
            request.format = Format::Json;
        else if (name == u"csv")
            request.format = Format::Csv;
        else if (name == u"mes" && download)
            request.format = Format::Mes;
        else if (name == u"report" && (download || online))
            request.format = Format::Report;
        else if (name == u"xlsx" && (download || online))
            request.format = Format::Xlsx;
        else if (name == u"docx" && (download || online))
            request.format = Format::Docx;
        else if (name == u"pdf" && (download || online))
            request.format = Format::Pdf;
        else
            return failure(QStringLiteral("--format takes %1, not \"%2\"")
                               .arg(download ? QStringLiteral("json, mes, report, csv, xlsx, docx or pdf")
                                    : online ? QStringLiteral("json, csv, report, xlsx, docx or pdf")
                                             : QStringLiteral("json or csv"),
                                    name));
    }
    if (parser.isSet(noChart) && request.format != Format::Xlsx)
        return failure(QStringLiteral("--no-chart is for --format xlsx"));
    request.chart = !parser.isSet(noChart);
    request.outputFile = parser.value(output);

    if (parser.isSet(model)) {
        request.model = parser.value(model);
        if (!modelsWithTraits().contains(request.model))
            return failure(QStringLiteral("--model takes %1, not \"%2\"")
                               .arg(modelsWithTraits().join(QStringLiteral(", ")), request.model));
    }

    if (takesOnline) {
        bool number = false;
        const QCommandLineOption& countOption = online ? count : onlineReadings;
        request.count = parser.value(countOption).toInt(&number);
        if (!parser.isSet(countOption) || !number || request.count < 1 || request.count > RowStore::Capacity)
            return failure(
                QStringLiteral("%1 needs %2 N with N from 1 to %3")
                    .arg(positional.first(), online ? QStringLiteral("--count") : QStringLiteral("--online"))
                    .arg(RowStore::Capacity));
    }

    if (parser.isSet(param) && !parser.isSet(rule))
        return failure(QStringLiteral("--param is for --rule"));
    if (parser.isSet(rule) && !evaluate && !download)
        return failure(QStringLiteral("--rule is for evaluate and download"));
    if (parser.isSet(rule) && download && request.format != Format::Json)
        return failure(QStringLiteral("--rule adds the verdict to download's JSON: not with --format %1")
                           .arg(parser.value(format)));
    if (evaluate && !parser.isSet(rule))
        return failure(QStringLiteral("evaluate needs --rule iso19840, pspc9010, sspc-pa2 or weld"));
    if (parser.isSet(rule)) {
        auto chosen = chooseRule(parser.value(rule), parser.values(param));
        if (const auto* error = std::get_if<QString>(&chosen))
            return failure(*error);
        request.inspection = std::get<RuleChoice>(std::move(chosen));
    }
    return {request, {}, {}};
}

} // namespace vexa::cli
