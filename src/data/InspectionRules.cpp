#include "data/InspectionRules.h"

namespace vexa {

const std::vector<const RuleDefinition*>& inspectionRules() {
    static const std::vector<const RuleDefinition*> rules{&iso19840Rule(), &pspc9010Rule(), &sspcPa2Rule(),
                                                          &weldMagnetismRule()};
    return rules;
}

const RuleDefinition* findInspectionRule(QStringView key) {
    for (const RuleDefinition* rule : inspectionRules()) {
        if (rule->key == key)
            return rule;
    }
    return nullptr;
}

} // namespace vexa
