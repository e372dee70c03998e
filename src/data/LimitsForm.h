#pragma once

#include "data/SettingsState.h"

#include <QString>
#include <QStringList>
#include <functional>

// The limits dialog's rules without its widgets: what each field takes, what the 80/20 rule changes and
// what the dialog tells the user.
namespace vexa {

enum class LimitField { Minimum, Maximum, Target };

// What the limits dialog shows: its three field texts and the 80/20 tick.
struct LimitsDisplay {
    QString minimum;
    QString maximum;
    QString target;
    bool rule8020 = false;

    QString& text(LimitField field);
    const QString& text(LimitField field) const;

    bool operator==(const LimitsDisplay&) const = default;
};

// Whether the focus may leave a field.
enum class FieldLeave { Allowed, Cancelled };

// Every event of the dialog changes the limits at once (the table and the statistics use them at their
// next fill) and leaves in display() what the window has to show; messages go to `tell`.
class LimitsForm {
public:
    using Tell = std::function<void(const QString& text)>;

    LimitsForm(Limits& limits, int languageIndex, Tell tell);

    void setLanguageIndex(int languageIndex) { languageIndex_ = languageIndex; }
    int languageIndex() const { return languageIndex_; }
    const LimitsDisplay& display() const { return display_; }

    // The dialog is shown: the fields show the values in the locale's standard number text.
    void formActivate();

    // A field is left holding `text` (txtMinLimit_Validate, txtMaxLimit_Validate, txtSoll_Validate).
    // An empty field becomes 0; a negative number loses its minus sign; anything else that is not a number
    // is refused, the field keeps its text and the window keeps the focus in it.
    [[nodiscard]] FieldLeave validate(LimitField field, const QString& text);

    // The 80/20 box was clicked and now shows `ticked`.
    void chk8020Click(bool ticked);

    // All three values 0 and the 80/20 rule off.
    void cmdLoeschenClick();

    // Informs about inconsistent values; only the 80/20 rule changes a value (the minimum).
    void checkConsistency();

    // The explanation of the 80/20 rule, lines separated by CR LF.
    static QString rule8020Explanation(int languageIndex);

private:
    double& value(LimitField field);
    QString& valueText(LimitField field);
    void tell(const QString& text);

    Limits& limits_;
    int languageIndex_;
    Tell tell_;
    LimitsDisplay display_;
};

// Limits typed into a cleared dialog field by field, then the 80/20 box ticked when asked for: what the
// dialog made of them and told on the way. `refused`: a field was refused and the rest not typed.
struct TypedLimits {
    Limits limits;
    QStringList messages;
    bool refused = false;
};

TypedLimits limitsFromFields(const LimitsDisplay& fields, int languageIndex);

} // namespace vexa
