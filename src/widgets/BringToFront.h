#pragma once

class QWidget;

namespace vexa {

// Shows `window` again when it was minimised, as large as it was before, over the other windows and with
// the keyboard focus; the desktop may still only flash it in the task bar.
void bringToFront(QWidget& window);

} // namespace vexa
