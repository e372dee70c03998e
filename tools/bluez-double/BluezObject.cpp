#include "BluezObject.h"

#include "ObjectTree.h"

namespace vexa::bluezdouble {

BluezObject::BluezObject(ObjectTree& tree, QString path)
    : tree_(tree)
    , path_(std::move(path)) {}

BluezObject::~BluezObject() {
    tree_.remove(*this);
}

QVariant BluezObject::property(const QString& interface, const QString& name) const {
    return interfaces_.value(interface).value(name);
}

void BluezObject::setProperties(const QString& interface, const QVariantMap& changes) {
    QVariantMap& properties = interfaces_[interface];
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        properties.insert(it.key(), it.value());
    tree_.announceChanges(*this, interface, changes);
}

void BluezObject::setProperty(const QString& interface, const QString& name, const QVariant& value) {
    setProperties(interface, {{name, value}});
}

bool BluezObject::writeProperty(const QString&, const QString&, const QVariant&) {
    return false;
}

void BluezObject::addInterface(const QString& interface, const QVariantMap& properties) {
    interfaces_.insert(interface, properties);
}

} // namespace vexa::bluezdouble
