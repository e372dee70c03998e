#pragma once

#include <QWidget>

namespace vexa {

class ClockWindowModel;

// The clock window: it mirrors the clock logic, which keeps running the display's requests and ends them
// when this window closes, so the window can go away at once.
class FrmTime : public QWidget {
    Q_OBJECT
public:
    FrmTime(ClockWindowModel& model, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ClockWindowModel& model_;
};

} // namespace vexa
