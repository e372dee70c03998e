#pragma once

#include "data/InspectionRule.h"
#include "window/ControlState.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <chrono>
#include <optional>
#include <variant>
#include <vector>

namespace vexa {

class MainModel;

// Object names of the inspection window.
namespace inspctl {
inline const QString frmPruefung = QStringLiteral("frmPruefung");
inline const QString lblRegel = QStringLiteral("lblRegel");
inline const QString cmbRegel = QStringLiteral("cmbRegel");
inline const QString lblEinheit = QStringLiteral("lblEinheit");
inline const QString cmbEinheit = QStringLiteral("cmbEinheit");
// A row per parameter of the rule chosen, in the rule's order; the rows it does not need are hidden.
inline constexpr int ParameterRows = 5;
inline const std::array<QString, ParameterRows> lblParameter{
    QStringLiteral("lblParameter1"), QStringLiteral("lblParameter2"), QStringLiteral("lblParameter3"),
    QStringLiteral("lblParameter4"), QStringLiteral("lblParameter5")};
inline const std::array<QString, ParameterRows> cmbParameter{
    QStringLiteral("cmbParameter1"), QStringLiteral("cmbParameter2"), QStringLiteral("cmbParameter3"),
    QStringLiteral("cmbParameter4"), QStringLiteral("cmbParameter5")};
inline const QString lblFehler = QStringLiteral("lblFehler");
inline const QString lblUrteil = QStringLiteral("lblUrteil");
inline const QString lstKriterien = QStringLiteral("lstKriterien");
inline const QString lblFortschritt = QStringLiteral("lblFortschritt");
inline const QString lblHinweis = QStringLiteral("lblHinweis");
inline const QString cmdSchliessen = QStringLiteral("cmdSchliessen");
} // namespace inspctl

// The inspection window: a rule and its parameters chosen for the gauge, and what the rule says of the
// readings the table shows, criterion by criterion, judged anew as the table changes. A criterion's line
// clicked highlights the rows that fail it; marks stay as they are.
class InspectionWindowModel : public QObject {
    Q_OBJECT
public:
    explicit InspectionWindowModel(MainModel& main, QObject* parent = nullptr);

    ControlState& controls() { return controls_; }

    // "Prüfung": the gauge's rule read anew and the readings judged; the window is to be shown. An open
    // window is only to be brought forward.
    void mnuPruefung_Click();
    // The user's choices: a rule (0: none, then the rules in their order), a unit of the rule's, the
    // text of parameter row `row`.
    void cmbRegel_Click(int index);
    void cmbEinheit_Click(int index);
    void setParameter(int row, const QString& text);
    // A line of the verdict clicked: the rows behind it highlighted, the first scrolled to; a line that
    // names no rows takes the highlight away.
    void lstKriterien_Click(int line);
    // The window closes: the choices stored for the gauge and the highlight taken away.
    void cmdSchliessen_Click();

    // Another gauge's settings were read: an open window shows its rule.
    void gaugeSettingsRead();

    // The rule chosen and its parameters, where they are complete and valid.
    std::optional<RuleChoice> chosenRule() const;

signals:
    void windowRequested();
    void closeRequested();
    // The table is to bring this row of its into view.
    void tableRowShown(int tableRow);

private:
    const RuleDefinition* rule() const;
    // The chosen rule's parameters from what was entered for it.
    std::variant<RuleParameters, std::vector<ParameterError>>
    resolvedParameters(const RuleDefinition& chosen) const;
    QStringList& enteredTexts();
    QString enteredValue(const QString& name) const;
    void enter(const QString& name, const QString& text);
    void applyTexts();
    void showRule();
    void judge();
    // The rows behind the line chosen highlighted; the table rows they are in.
    std::vector<int> showHighlight();
    QString parameterLabel(const RuleDefinition& chosen, const ParameterSpec& spec) const;
    QString errorText(const ParameterError& error) const;

    MainModel& main_;
    ControlState controls_;
    bool open_ = false;
    // Judging builds the whole sheet anew; readings that arrive close together are judged together.
    static constexpr std::chrono::milliseconds ArrivalPause{50};
    QTimer arrivals_;
    // The rows behind each line of the verdict list; empty for a line that names none.
    std::vector<std::vector<int>> lineRows_;
    std::optional<int> chosenLine_;
};

} // namespace vexa
