#pragma once

#include "data/LimitsForm.h"
#include "window/Prompt.h"

#include <QString>

namespace vexa {

// The limits dialog's behaviour without its widgets, its messages shown through the prompt.
class LimitsEditor {
public:
    LimitsEditor(Limits& limits, int languageIndex, Prompt& prompt);

    void setLanguageIndex(int languageIndex) { form_.setLanguageIndex(languageIndex); }
    int languageIndex() const { return form_.languageIndex(); }
    const LimitsDisplay& display() const { return form_.display(); }

    void formActivate() { form_.formActivate(); }
    [[nodiscard]] FieldLeave validate(LimitField field, const QString& text) {
        return form_.validate(field, text);
    }
    void chk8020Click(bool ticked) { form_.chk8020Click(ticked); }
    void cmdLoeschenClick() { form_.cmdLoeschenClick(); }
    // Shows what the 80/20 rule checks.
    void cmdInfoClick();
    void checkConsistency() { form_.checkConsistency(); }

    static QString rule8020Explanation(int languageIndex) {
        return LimitsForm::rule8020Explanation(languageIndex);
    }

private:
    Prompt& prompt_;
    LimitsForm form_;
};

} // namespace vexa
