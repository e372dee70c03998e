#include "data/KeyPlan.h"

#include "data/PrintableText.h"
#include "data/TextAlign.h"

namespace vexa {

namespace {

bool flagSet(const QString& flags, int position) {
    return flags.size() > position && flags.at(position) == u'1';
}

} // namespace

QList<KeyStroke> keyPlan(const KeyPlanRow& row, const KeyForwarding& settings) {
    const QString& flags = settings.includeFlags;
    QList<KeyStroke> plan;
    if (flagSet(flags, 0))
        plan.append(KeyStroke::typed(ausrichten(7, QString::number(row.number))));
    if (flagSet(flags, 1))
        plan.append(KeyStroke::typed(typableText(row.dateText) + u' '));
    plan.append(KeyStroke::typed(typableText(row.valueText)));
    if (flagSet(flags, 2))
        plan.append(KeyStroke::typed(typableText(row.unit) + u' '));
    if (flagSet(flags, 3))
        plan.append(KeyStroke::typed(typableText(row.material) + u' '));
    if (settings.lineEndToken == u"ENTER")
        plan.append(KeyStroke::returnKey());
    return plan;
}

} // namespace vexa
