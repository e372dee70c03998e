#pragma once

#include "data/Colours.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace vexa {

// What a window control shows, as the program's logic sets and reads it. The windows mirror it; the
// logic never asks a widget.
struct ControlProps {
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    QString caption;
    std::optional<Rgb> background;
    std::optional<Rgb> foreground;
    std::optional<QRect> twips; // position and size in twips, when the logic places the control
    int fontPoints = 0;         // 0: the window's choice
    QString pictureFile;        // full path; empty or missing: the picture box shows nothing
    bool pictureStretched = false;
    QStringList items; // the lines of a list, the entries of a combo box
    // A list's current row (-1: none) where the logic chooses it; otherwise the row the user clicked stands.
    std::optional<int> currentRow;
    bool operator==(const ControlProps&) const = default;
};

class ControlState : public QObject {
    Q_OBJECT
public:
    explicit ControlState(QObject* parent = nullptr)
        : QObject(parent) {}

    // Controls are created on first use with the defaults above.
    const ControlProps& operator[](const QString& name) const;
    QStringList names() const { return props_.keys(); }

    bool visible(const QString& name) const { return (*this)[name].visible; }
    bool enabled(const QString& name) const { return (*this)[name].enabled; }
    bool checked(const QString& name) const { return (*this)[name].checked; }
    QString caption(const QString& name) const { return (*this)[name].caption; }

    void setVisible(const QString& name, bool visible);
    void show(const QString& name) { setVisible(name, true); }
    void hide(const QString& name) { setVisible(name, false); }
    void setEnabled(const QString& name, bool enabled);
    void setChecked(const QString& name, bool checked);
    void setCaption(const QString& name, const QString& caption);
    void setBackground(const QString& name, std::optional<Rgb> colour);
    void setForeground(const QString& name, std::optional<Rgb> colour);
    void setTwips(const QString& name, const QRect& twips);
    void setFontPoints(const QString& name, int points);
    void setPicture(const QString& name, const QString& file, bool stretched);
    void setItems(const QString& name, const QStringList& items);
    QStringList items(const QString& name) const { return (*this)[name].items; }
    void setCurrentRow(const QString& name, int row);
    std::optional<int> currentRow(const QString& name) const { return (*this)[name].currentRow; }

signals:
    void changed(const QString& name);

private:
    template <typename Edit> void edit(const QString& name, Edit&& change);

    mutable QHash<QString, ControlProps> props_;
};

} // namespace vexa
