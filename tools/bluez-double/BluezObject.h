#pragma once

#include "BusTypes.h"
#include "CallHandler.h"

#include <QVariant>

namespace vexa::bluezdouble {

class ObjectTree;

// An object as BlueZ exports it: interfaces with their properties, listed by the object manager while
// the object is exported. Property changes of an exported object are announced with PropertiesChanged.
class BluezObject : public CallHandler {
public:
    BluezObject(ObjectTree& tree, QString path);
    ~BluezObject() override;

    const QString& path() const { return path_; }
    const InterfaceMap& interfaces() const { return interfaces_; }
    QVariant property(const QString& interface, const QString& name) const;
    void setProperties(const QString& interface, const QVariantMap& changes);
    void setProperty(const QString& interface, const QString& name, const QVariant& value);

    // A client's Properties.Set; false when the property cannot be written.
    virtual bool writeProperty(const QString& interface, const QString& name, const QVariant& value);

protected:
    ObjectTree& tree() const { return tree_; }
    void addInterface(const QString& interface, const QVariantMap& properties);

private:
    ObjectTree& tree_;
    QString path_;
    InterfaceMap interfaces_;
};

} // namespace vexa::bluezdouble
