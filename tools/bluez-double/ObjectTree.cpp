#include "ObjectTree.h"

#include "BluezObject.h"

#include <QDBusVariant>
#include <set>

namespace vexa::bluezdouble {

namespace {

// BlueZ lists these with every object, without properties.
const QStringList StandardInterfaces{iface::Introspectable, iface::Properties};

QDBusMessage signalFrom(const QString& path, const QString& interface, const QString& name) {
    return QDBusMessage::createSignal(path, interface, name);
}

} // namespace

ObjectTree::ObjectTree(QDBusConnection bus, std::chrono::microseconds gattLatency)
    : bus_(bus)
    , gattReplies_(bus, gattLatency) {}

void ObjectTree::setControl(const QString& path, CallHandler* control) {
    controlPath_ = path;
    control_ = control;
}

void ObjectTree::add(BluezObject& object) {
    objects_[object.path()] = &object;
    InterfaceMap interfaces = object.interfaces();
    for (const QString& standard : StandardInterfaces)
        interfaces.insert(standard, {});
    QDBusMessage added =
        signalFrom(QStringLiteral("/"), iface::ObjectManager, QStringLiteral("InterfacesAdded"));
    added << QVariant::fromValue(QDBusObjectPath(object.path())) << QVariant::fromValue(interfaces);
    bus_.send(added);
}

void ObjectTree::remove(BluezObject& object) {
    const auto found = objects_.find(object.path());
    if (found == objects_.end() || found->second != &object)
        return;
    objects_.erase(found);
    QDBusMessage removed =
        signalFrom(QStringLiteral("/"), iface::ObjectManager, QStringLiteral("InterfacesRemoved"));
    removed << QVariant::fromValue(QDBusObjectPath(object.path()))
            << QVariant(StandardInterfaces + object.interfaces().keys());
    bus_.send(removed);
}

bool ObjectTree::exported(const BluezObject& object) const {
    const auto found = objects_.find(object.path());
    return found != objects_.end() && found->second == &object;
}

void ObjectTree::announceChanges(const BluezObject& object, const QString& interface,
                                 const QVariantMap& changes) {
    if (!exported(object))
        return;
    QDBusMessage changed = signalFrom(object.path(), iface::Properties, QStringLiteral("PropertiesChanged"));
    changed << interface << changes << QStringList();
    bus_.send(changed);
}

void ObjectTree::reply(const QDBusMessage& call, const QDBusMessage& answer) {
    if (call.interface().startsWith(QLatin1String("org.bluez.Gatt")))
        gattReplies_.send(answer);
    else
        bus_.send(answer);
}

bool ObjectTree::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    if (message.path() == controlPath_ && control_) {
        control_->call(message);
        return true;
    }
    ++callCounts_[message.member()];
    if (message.interface() == iface::Introspectable) {
        reply(message, message.createReply(QStringLiteral("<node>") + introspect(message.path()) +
                                           QStringLiteral("</node>")));
        return true;
    }
    if (message.path() == QLatin1String("/") && message.interface() == iface::ObjectManager &&
        message.member() == QLatin1String("GetManagedObjects")) {
        reply(message, message.createReply(QVariant::fromValue(managedObjects())));
        return true;
    }
    const auto found = objects_.find(message.path());
    if (found == objects_.end()) {
        reply(message, message.createErrorReply(QDBusError::UnknownObject,
                                                QStringLiteral("No object at %1").arg(message.path())));
        return true;
    }
    if (message.interface() == iface::Properties)
        answerProperties(message, *found->second);
    else if (found->second->interfaces().contains(message.interface()))
        found->second->call(message);
    else
        reply(message, unknownMethod(message));
    return true;
}

void ObjectTree::answerProperties(const QDBusMessage& message, BluezObject& object) {
    const QString member = message.member();
    const QList<QVariant> arguments = message.arguments();
    if (member == QLatin1String("Get") && message.signature() == QLatin1String("ss"))
        reply(message, answerGet(message, object));
    else if (member == QLatin1String("GetAll") && message.signature() == QLatin1String("s"))
        reply(message, message.createReply(object.interfaces().value(arguments[0].toString())));
    else if (member == QLatin1String("Set") && message.signature() == QLatin1String("ssv"))
        reply(message, answerSet(message, object));
    else
        reply(message, unknownMethod(message));
}

QDBusMessage ObjectTree::answerGet(const QDBusMessage& message, const BluezObject& object) const {
    const QString interface = message.arguments()[0].toString();
    const QString name = message.arguments()[1].toString();
    const QVariantMap properties = object.interfaces().value(interface);
    if (!properties.contains(name))
        return message.createErrorReply(QDBusError::InvalidArgs,
                                        QStringLiteral("No such property '%1' in %2").arg(name, interface));
    return message.createReply(QVariant::fromValue(QDBusVariant(properties.value(name))));
}

QDBusMessage ObjectTree::answerSet(const QDBusMessage& message, BluezObject& object) {
    const QString interface = message.arguments()[0].toString();
    const QString name = message.arguments()[1].toString();
    const QVariant value = message.arguments()[2].value<QDBusVariant>().variant();
    if (!object.interfaces().value(interface).contains(name))
        return message.createErrorReply(QDBusError::InvalidArgs,
                                        QStringLiteral("No such property '%1' in %2").arg(name, interface));
    if (!object.writeProperty(interface, name, value))
        return message.createErrorReply(QDBusError::PropertyReadOnly,
                                        QStringLiteral("Property '%1' is not writable").arg(name));
    return message.createReply();
}

ManagedObjects ObjectTree::managedObjects() const {
    ManagedObjects result;
    for (const auto& [path, object] : objects_) {
        InterfaceMap interfaces = object->interfaces();
        for (const QString& standard : StandardInterfaces)
            interfaces.insert(standard, {});
        result.insert(QDBusObjectPath(path), interfaces);
    }
    return result;
}

QString ObjectTree::introspect(const QString& path) const {
    QString xml;
    const auto found = objects_.find(path);
    if (found != objects_.end())
        for (const QString& interface : found->second->interfaces().keys())
            xml += QStringLiteral("<interface name=\"%1\"/>").arg(interface);
    if (path == QLatin1String("/"))
        xml += QStringLiteral("<interface name=\"%1\"/>").arg(iface::ObjectManager);
    for (const QString& child : childNodes(path))
        xml += QStringLiteral("<node name=\"%1\"/>").arg(child);
    return xml;
}

QStringList ObjectTree::childNodes(const QString& path) const {
    const QString prefix = path.endsWith(u'/') ? path : path + u'/';
    std::set<QString> children;
    auto collect = [&](const QString& candidate) {
        if (candidate.startsWith(prefix) && candidate.size() > prefix.size())
            children.insert(candidate.mid(prefix.size()).section(u'/', 0, 0));
    };
    for (const auto& entry : objects_)
        collect(entry.first);
    collect(controlPath_);
    return QStringList(children.cbegin(), children.cend());
}

} // namespace vexa::bluezdouble
