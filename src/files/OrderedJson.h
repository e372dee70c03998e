#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QStringView>

namespace vexa {

// A compact JSON object whose members keep the order they were added in (QJsonObject sorts its keys, and
// people read the exports in the order the program documents them).
class OrderedJson {
public:
    OrderedJson& add(QStringView key, const QJsonValue& value);
    OrderedJson& add(QStringView key, const OrderedJson& object);
    OrderedJson& add(QStringView key, const QList<OrderedJson>& objects);

    QByteArray text() const { return '{' + members_ + '}'; }

private:
    OrderedJson& addText(QStringView key, const QByteArray& valueText);

    QByteArray members_;
};

} // namespace vexa
