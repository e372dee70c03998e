#include "window/InspectionWindowModel.h"

#include "data/InspectionRules.h"
#include "files/SheetInspection.h"
#include "files/VerdictLines.h"
#include "texts/Texts.h"
#include "window/MainModel.h"

#include <QLocale>
#include <algorithm>

namespace vexa {

using namespace inspctl;

namespace {

constexpr Rgb PassedColour{0, 128, 0};
constexpr Rgb FailedColour{192, 0, 0};
constexpr Rgb OpenColour{0, 0, 0};

// What the window calls a parameter; a name it does not know is shown as the rules name it.
std::optional<Notice> parameterNotice(const QString& name) {
    static const QHash<QString, Notice> notices{
        {QStringLiteral("ndft"), Notice::ParameterNdft},
        {QStringLiteral("min"), Notice::ParameterMinimum},
        {QStringLiteral("max"), Notice::ParameterMaximum},
        {QStringLiteral("correction"), Notice::ParameterCorrection},
        {QStringLiteral("area"), Notice::ParameterArea},
        {QStringLiteral("spot-readings"), Notice::ParameterSpotReadings},
        {QStringLiteral("spots"), Notice::ParameterSpots},
        {QStringLiteral("level"), Notice::ParameterLevel},
    };
    const auto found = notices.constFind(name);
    return found == notices.cend() ? std::nullopt : std::optional(*found);
}

// What the window offers a named value as, in the language, with its number: "mittel (25 µm)". A value the
// window does not know is offered by its name.
QString choiceEntry(const ParameterSpec& spec, const ParameterChoice& choice, int languageIndex) {
    static const QHash<QString, Notice> notices{
        {QStringLiteral("none"), Notice::ChoiceNone},
        {QStringLiteral("fine"), Notice::ChoiceFine},
        {QStringLiteral("medium"), Notice::ChoiceMedium},
        {QStringLiteral("coarse"), Notice::ChoiceCoarse},
        {QStringLiteral("arc"), Notice::ChoiceArc},
        {QStringLiteral("filler-wire"), Notice::ChoiceFillerWire},
        {QStringLiteral("electron-beam"), Notice::ChoiceElectronBeam},
    };
    const auto found = notices.constFind(choice.name);
    const QString name = found == notices.cend() ? choice.name : Texts::notice(*found, languageIndex);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return Texts::notice(Notice::ChoiceEntry, languageIndex)
        .arg(name,
             locale.toString(choice.value, 'g', QLocale::FloatingPointShortest) + u' ' + spec.statedUnit);
}

QString parameterName(const QString& name, int languageIndex) {
    const std::optional<Notice> notice = parameterNotice(name);
    return notice ? Texts::notice(*notice, languageIndex) : name;
}

// A German window is typed into with a decimal comma; the rules read numbers with a point.
QStringList numberTexts(const QStringList& entered) {
    QStringList texts;
    for (const QString& text : entered) {
        const qsizetype equals = text.indexOf(u'=');
        texts.append(equals < 0 ? text : text.left(equals + 1) + text.mid(equals + 1).replace(u',', u'.'));
    }
    return texts;
}

} // namespace

InspectionWindowModel::InspectionWindowModel(MainModel& main, QObject* parent)
    : QObject(parent)
    , main_(main) {
    // The verdict follows the table: rows read, measured online, deleted, sorted, another view.
    MeasurementTableModel& table = main_.table();
    const auto judgeWhileOpen = [this] {
        if (open_)
            judge();
    };
    arrivals_.setSingleShot(true);
    arrivals_.setInterval(ArrivalPause);
    connect(&arrivals_, &QTimer::timeout, this, judgeWhileOpen);
    connect(&table, &QAbstractItemModel::rowsInserted, this, [this] {
        if (open_ && !arrivals_.isActive())
            arrivals_.start();
    });
    connect(&table, &QAbstractItemModel::rowsRemoved, this, judgeWhileOpen);
    connect(&table, &QAbstractItemModel::modelReset, this, judgeWhileOpen);
    connect(&table, &QAbstractItemModel::layoutChanged, this, judgeWhileOpen);
    connect(&main_, &MainModel::textsApplied, this, [this] {
        if (!open_)
            return;
        applyTexts();
        showRule();
        judge();
    });
}

const RuleDefinition* InspectionWindowModel::rule() const {
    return findInspectionRule(main_.settings().inspection.ruleKey);
}

QStringList& InspectionWindowModel::enteredTexts() {
    InspectionSettings& inspection = main_.settings().inspection;
    return inspection.parameters[inspection.ruleKey];
}

QString InspectionWindowModel::enteredValue(const QString& name) const {
    const InspectionSettings& inspection = main_.settings().inspection;
    const QString prefix = name + u'=';
    for (const QString& text : inspection.parameters.value(inspection.ruleKey))
        if (text.startsWith(prefix))
            return text.mid(prefix.size());
    return {};
}

void InspectionWindowModel::enter(const QString& name, const QString& text) {
    QStringList& texts = enteredTexts();
    const QString prefix = name + u'=';
    texts.removeIf([&prefix](const QString& entered) { return entered.startsWith(prefix); });
    if (!text.trimmed().isEmpty())
        texts.append(prefix + text.trimmed());
}

std::variant<RuleParameters, std::vector<ParameterError>>
InspectionWindowModel::resolvedParameters(const RuleDefinition& chosen) const {
    const InspectionSettings& inspection = main_.settings().inspection;
    return resolveParameters(chosen, numberTexts(inspection.parameters.value(inspection.ruleKey)));
}

std::optional<RuleChoice> InspectionWindowModel::chosenRule() const {
    const RuleDefinition* chosen = rule();
    if (!chosen)
        return std::nullopt;
    auto resolved = resolvedParameters(*chosen);
    if (auto* parameters = std::get_if<RuleParameters>(&resolved))
        return RuleChoice{chosen, std::move(*parameters)};
    return std::nullopt;
}

void InspectionWindowModel::mnuPruefung_Click() {
    // An open window holds what was entered since it was read; it is only brought forward.
    if (open_) {
        emit windowRequested();
        return;
    }
    main_.Voreinstellungen(u"IL");
    open_ = true;
    chosenLine_.reset();
    applyTexts();
    showRule();
    judge();
    emit windowRequested();
}

void InspectionWindowModel::gaugeSettingsRead() {
    if (!open_)
        return;
    chosenLine_.reset();
    showRule();
    judge();
}

void InspectionWindowModel::cmbRegel_Click(int index) {
    const std::vector<const RuleDefinition*>& rules = inspectionRules();
    main_.settings().inspection.ruleKey = index > 0 && index <= static_cast<int>(rules.size())
                                              ? rules[static_cast<size_t>(index - 1)]->key
                                              : QString();
    chosenLine_.reset();
    showRule();
    judge();
}

void InspectionWindowModel::cmbEinheit_Click(int index) {
    const RuleDefinition* chosen = rule();
    if (!chosen || index < 0 || index >= chosen->units.size())
        return;
    enter(UnitParameterName, chosen->units[index]);
    showRule();
    judge();
}

void InspectionWindowModel::setParameter(int row, const QString& text) {
    const RuleDefinition* chosen = rule();
    if (!chosen || row < 0 || row >= static_cast<int>(chosen->parameters.size()))
        return;
    const ParameterSpec& spec = chosen->parameters[static_cast<size_t>(row)];
    // A named value picked from the list is stored by its name, which every language reads.
    const int lang = main_.state().languageIndex;
    const auto picked =
        std::find_if(spec.choices.begin(), spec.choices.end(),
                     [&](const ParameterChoice& choice) { return choiceEntry(spec, choice, lang) == text; });
    enter(spec.name, picked == spec.choices.end() ? text : picked->name);
    controls_.setCaption(cmbParameter[static_cast<size_t>(row)], text);
    judge();
}

void InspectionWindowModel::lstKriterien_Click(int line) {
    chosenLine_ = line;
    controls_.setCurrentRow(lstKriterien, line);
    const std::vector<int> tableRows = showHighlight();
    if (!tableRows.empty())
        emit tableRowShown(tableRows.front());
}

void InspectionWindowModel::cmdSchliessen_Click() {
    if (!open_)
        return;
    open_ = false;
    chosenLine_.reset();
    main_.table().highlightNumbers({});
    main_.Voreinstellungen(u"IS");
    emit closeRequested();
}

void InspectionWindowModel::applyTexts() {
    const int lang = main_.state().languageIndex;
    const auto text = [lang](Notice notice) { return Texts::notice(notice, lang); };
    controls_.setCaption(frmPruefung, text(Notice::InspectionTitle));
    controls_.setCaption(lblRegel, text(Notice::InspectionRuleLabel));
    controls_.setCaption(lblEinheit, text(Notice::InspectionUnitLabel));
    controls_.setCaption(lblHinweis, text(Notice::InspectionHint));
    controls_.setCaption(cmdSchliessen, text(Notice::InspectionClose));
    QStringList rules{text(Notice::InspectionNoRule)};
    for (const RuleDefinition* entry : inspectionRules())
        rules.append(ruleTitle(*entry, lang));
    controls_.setItems(cmbRegel, rules);
}

QString InspectionWindowModel::parameterLabel(const RuleDefinition& chosen, const ParameterSpec& spec) const {
    const QString name = parameterName(spec.name, main_.state().languageIndex);
    QString unit;
    switch (spec.kind) {
    case ParameterKind::Quantity: {
        const QString entered = enteredValue(UnitParameterName);
        unit = chosen.units.contains(entered) ? entered : chosen.units.value(0);
        break;
    }
    case ParameterKind::Number:
        unit = spec.statedUnit;
        break;
    case ParameterKind::Whole:
        break;
    }
    return unit.isEmpty() ? name + u':' : QStringLiteral("%1 [%2]:").arg(name, unit);
}

void InspectionWindowModel::showRule() {
    const RuleDefinition* chosen = rule();
    const std::vector<const RuleDefinition*>& rules = inspectionRules();
    const auto at = std::find(rules.begin(), rules.end(), chosen);
    controls_.setCurrentRow(cmbRegel, chosen ? static_cast<int>(at - rules.begin()) + 1 : 0);
    for (const QString& name : {lblEinheit, cmbEinheit})
        controls_.setVisible(name, chosen != nullptr);
    const size_t shown = chosen ? chosen->parameters.size() : 0;
    for (size_t row = 0; row < ParameterRows; ++row) {
        controls_.setVisible(lblParameter[row], row < shown);
        controls_.setVisible(cmbParameter[row], row < shown);
    }
    if (!chosen)
        return;
    controls_.setItems(cmbEinheit, chosen->units);
    controls_.setCurrentRow(
        cmbEinheit, std::max(0, static_cast<int>(chosen->units.indexOf(enteredValue(UnitParameterName)))));
    for (size_t row = 0; row < shown; ++row) {
        const ParameterSpec& spec = chosen->parameters[row];
        controls_.setCaption(lblParameter[row], parameterLabel(*chosen, spec));
        const int lang = main_.state().languageIndex;
        QString entered = enteredValue(spec.name);
        QStringList choices;
        for (const ParameterChoice& choice : spec.choices) {
            choices.append(choiceEntry(spec, choice, lang));
            if (choice.name == entered)
                entered = choices.last();
        }
        controls_.setItems(cmbParameter[row], choices);
        controls_.setCaption(cmbParameter[row], entered);
    }
}

QString InspectionWindowModel::errorText(const ParameterError& error) const {
    const int lang = main_.state().languageIndex;
    const QString name = parameterName(error.name, lang);
    switch (error.kind) {
    case ParameterErrorKind::Missing:
        return Texts::notice(Notice::ParameterMissing, lang).arg(name);
    case ParameterErrorKind::AboveBound:
        return Texts::notice(Notice::ParameterAboveBound, lang).arg(name, parameterName(error.text, lang));
    case ParameterErrorKind::NoUnitFactor:
        return Texts::notice(Notice::ParameterNoUnit, lang).arg(name, enteredValue(UnitParameterName));
    case ParameterErrorKind::NotNameValue:
    case ParameterErrorKind::UnknownName:
    case ParameterErrorKind::Repeated:
    case ParameterErrorKind::NotANumber:
    case ParameterErrorKind::NotWhole:
    case ParameterErrorKind::OutOfRange:
    case ParameterErrorKind::UnknownUnit:
        break;
    }
    return Texts::notice(Notice::ParameterNotValid, lang).arg(name, error.text);
}

void InspectionWindowModel::judge() {
    arrivals_.stop();
    SheetVerdict judged;
    QString progress;
    QStringList errors;
    if (const RuleDefinition* chosen = rule()) {
        auto resolved = resolvedParameters(*chosen);
        if (const auto* failed = std::get_if<std::vector<ParameterError>>(&resolved)) {
            for (const ParameterError& error : *failed)
                errors.append(errorText(error));
        } else {
            const RuleChoice choice{chosen, std::get<RuleParameters>(std::move(resolved))};
            const MeasurementSheet sheet = main_.sheet();
            judged = sheetVerdict(choice, sheet);
            if (judged.verdict && sheet.view == View::Online)
                progress = sheetProgressLine(choice, sheet);
        }
    }
    QStringList lines;
    lineRows_.clear();
    for (VerdictLine& line : judged.lines) {
        lines.append(line.text);
        lineRows_.push_back(std::move(line.rows));
    }

    const int lang = main_.state().languageIndex;
    controls_.setCaption(lblFehler, errors.join(u'\n'));
    controls_.setVisible(lblFehler, !errors.isEmpty());
    controls_.setItems(lstKriterien, lines);
    const std::optional<RuleVerdict> verdict = judged.verdict;
    controls_.setVisible(lblUrteil, verdict.has_value());
    if (verdict) {
        controls_.setCaption(lblUrteil,
                             Texts::notice(Notice::InspectionVerdict, lang).arg(verdictText(*verdict, lang)));
        controls_.setForeground(lblUrteil, *verdict == RuleVerdict::Passed   ? PassedColour
                                           : *verdict == RuleVerdict::Failed ? FailedColour
                                                                             : OpenColour);
    }
    controls_.setCaption(lblFortschritt, progress);
    controls_.setVisible(lblFortschritt, !progress.isEmpty());
    if (chosenLine_ && *chosenLine_ >= lines.size())
        chosenLine_.reset();
    controls_.setCurrentRow(lstKriterien, chosenLine_.value_or(-1));
    showHighlight();
}

std::vector<int> InspectionWindowModel::showHighlight() {
    QSet<int> numbers;
    if (chosenLine_ && *chosenLine_ >= 0 && *chosenLine_ < static_cast<int>(lineRows_.size())) {
        const std::vector<int>& rows = lineRows_[static_cast<size_t>(*chosenLine_)];
        numbers = QSet<int>(rows.begin(), rows.end());
    }
    return main_.table().highlightNumbers(numbers);
}

} // namespace vexa
