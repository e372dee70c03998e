#pragma once

#include <QPixmap>
#include <QString>

class QLabel;

namespace vexa {

// PNG, JPEG, GIF or ICO; a null pixmap when the file is missing or unreadable.
QPixmap loadPicture(const QString& file);

// Shows the picture in the box, stretched to the box or at its own size; a missing file leaves the box
// empty and nothing else happens.
void showPicture(QLabel* box, const QString& file, bool stretched);

} // namespace vexa
