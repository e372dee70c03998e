#include "window/LimitsEditor.h"

namespace vexa {

LimitsEditor::LimitsEditor(Limits& limits, int languageIndex, Prompt& prompt)
    : prompt_(prompt)
    , form_(limits, languageIndex, [this](const QString& text) { prompt_.message(text, PromptIcon::None); }) {
}

void LimitsEditor::cmdInfoClick() {
    prompt_.message(LimitsForm::rule8020Explanation(form_.languageIndex()), PromptIcon::Information);
}

} // namespace vexa
