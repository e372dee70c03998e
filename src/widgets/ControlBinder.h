#pragma once

#include "window/ControlState.h"

#include <QHash>
#include <QObject>
#include <QPointer>

namespace vexa {

// Mirrors the logic's control state onto widgets, menus and actions of the same object name.
class ControlBinder : public QObject {
    Q_OBJECT
public:
    explicit ControlBinder(const ControlState& state, QObject* parent = nullptr);

    // `target` is a QWidget, QMenu or QAction; its current state is applied at once.
    void bind(QObject* target);

private:
    void apply(const QString& name);

    const ControlState& state_;
    QHash<QString, QPointer<QObject>> targets_;
};

} // namespace vexa
