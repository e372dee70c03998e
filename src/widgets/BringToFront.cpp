#include "widgets/BringToFront.h"

#include <QWidget>

namespace vexa {

void bringToFront(QWidget& window) {
    // Clearing the minimised state alone keeps a maximised window maximised, where showNormal() would not.
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
}

} // namespace vexa
