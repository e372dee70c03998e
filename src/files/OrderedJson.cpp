#include "files/OrderedJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vexa {

namespace {

// QJsonDocument writes only arrays and objects; a one-element array gives the value's own text.
QByteArray valueText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

OrderedJson& OrderedJson::addText(QStringView key, const QByteArray& text) {
    if (!members_.isEmpty())
        members_ += ',';
    members_ += valueText(key.toString()) + ':' + text;
    return *this;
}

OrderedJson& OrderedJson::add(QStringView key, const QJsonValue& value) {
    return addText(key, valueText(value));
}

OrderedJson& OrderedJson::add(QStringView key, const OrderedJson& object) {
    return addText(key, object.text());
}

OrderedJson& OrderedJson::add(QStringView key, const QList<OrderedJson>& objects) {
    QByteArray array = "[";
    for (const OrderedJson& object : objects) {
        if (array.size() > 1)
            array += ',';
        array += object.text();
    }
    return addText(key, array + ']');
}

} // namespace vexa
