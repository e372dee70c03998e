#include "data/SettingsState.h"

#include "texts/Texts.h"

namespace vexa {

QString ProjectLabels::label(int index, int languageIndex) const {
    if (index < 0 || index >= LabelCount)
        return {};
    const int language = clampLanguage(languageIndex);
    return lines[static_cast<size_t>(index)].section(u';', language, language);
}

} // namespace vexa
