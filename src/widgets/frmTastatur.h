#pragma once

#include <QDialog>

namespace vexa {

class KeyboardWindowModel;

// The key-event dialog beside the main window; it mirrors its logic and hands every edit to it.
class FrmTastatur : public QDialog {
    Q_OBJECT
public:
    explicit FrmTastatur(KeyboardWindowModel& model, QWidget* parent = nullptr);
};

} // namespace vexa
