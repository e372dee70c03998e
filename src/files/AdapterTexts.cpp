#include "files/AdapterTexts.h"

#include "texts/Texts.h"

namespace vexa {

QString adapterEntry(const bluez::AdapterFacts& adapter) {
    return adapter.name + QStringLiteral("  ") + adapter.address;
}

QString adapterLookupFailure(const bluez::AdapterLookup& lookup, const QString& wanted, int languageIndex) {
    if (lookup.bluez.answer != bluez::BusAnswer::Answers)
        return Texts::notice(Notice::AdapterNotAsked, languageIndex).arg(wanted, lookup.bluez.error);
    QStringList there;
    for (const bluez::AdapterFacts& adapter : lookup.bluez.adapters)
        there.append(adapterEntry(adapter));
    return Texts::notice(Notice::AdapterNotFound, languageIndex)
        .arg(wanted, there.isEmpty() ? Texts::notice(Notice::NoAdapters, languageIndex)
                                     : there.join(QStringLiteral(", ")));
}

} // namespace vexa
