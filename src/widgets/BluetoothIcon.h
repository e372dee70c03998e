#pragma once

#include <QWidget>

namespace vexa {

// The Bluetooth rune, blue while a gauge is connected, grey and struck through while not.
class BluetoothIcon : public QWidget {
    Q_OBJECT
public:
    BluetoothIcon(bool connected, QWidget* parent)
        : QWidget(parent)
        , connected_(connected) {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool connected_;
};

} // namespace vexa
