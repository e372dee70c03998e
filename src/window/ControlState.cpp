#include "window/ControlState.h"

namespace vexa {

const ControlProps& ControlState::operator[](const QString& name) const {
    return props_[name];
}

template <typename Edit> void ControlState::edit(const QString& name, Edit&& change) {
    ControlProps& props = props_[name];
    const ControlProps before = props;
    change(props);
    if (!(props == before))
        emit changed(name);
}

void ControlState::setVisible(const QString& name, bool visible) {
    edit(name, [&](ControlProps& p) { p.visible = visible; });
}

void ControlState::setEnabled(const QString& name, bool enabled) {
    edit(name, [&](ControlProps& p) { p.enabled = enabled; });
}

void ControlState::setChecked(const QString& name, bool checked) {
    edit(name, [&](ControlProps& p) { p.checked = checked; });
}

void ControlState::setCaption(const QString& name, const QString& caption) {
    edit(name, [&](ControlProps& p) { p.caption = caption; });
}

void ControlState::setBackground(const QString& name, std::optional<Rgb> colour) {
    edit(name, [&](ControlProps& p) { p.background = colour; });
}

void ControlState::setForeground(const QString& name, std::optional<Rgb> colour) {
    edit(name, [&](ControlProps& p) { p.foreground = colour; });
}

void ControlState::setTwips(const QString& name, const QRect& twips) {
    edit(name, [&](ControlProps& p) { p.twips = twips; });
}

void ControlState::setFontPoints(const QString& name, int points) {
    edit(name, [&](ControlProps& p) { p.fontPoints = points; });
}

void ControlState::setPicture(const QString& name, const QString& file, bool stretched) {
    edit(name, [&](ControlProps& p) {
        p.pictureFile = file;
        p.pictureStretched = stretched;
    });
}

void ControlState::setItems(const QString& name, const QStringList& items) {
    edit(name, [&](ControlProps& p) { p.items = items; });
}

void ControlState::setCurrentRow(const QString& name, int row) {
    edit(name, [&](ControlProps& p) { p.currentRow = row; });
}

} // namespace vexa
