#include "link/bluez/AdapterLookup.h"

namespace vexa::bluez {

namespace {

QString bareAddress(QString address) {
    return address.remove(u':').toUpper();
}

} // namespace

std::optional<AdapterFacts> adapterNamed(const QList<AdapterFacts>& adapters, const QString& wanted) {
    const QString trimmed = wanted.trimmed();
    for (const AdapterFacts& adapter : adapters)
        if (adapter.name.compare(trimmed, Qt::CaseInsensitive) == 0 ||
            (!adapter.address.isEmpty() && bareAddress(adapter.address) == bareAddress(trimmed)))
            return adapter;
    return std::nullopt;
}

QCoro::Task<AdapterLookup> lookUpAdapter(QString wanted, std::chrono::milliseconds deadline) {
    AdapterLookup lookup;
    lookup.bluez = co_await askBluezAdapters(deadline);
    lookup.adapter = adapterNamed(lookup.bluez.adapters, wanted);
    co_return lookup;
}

} // namespace vexa::bluez
