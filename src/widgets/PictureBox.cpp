#include "widgets/PictureBox.h"

#include <QImageReader>
#include <QLabel>

namespace vexa {

QPixmap loadPicture(const QString& file) {
    QImageReader reader(file);
    reader.setAutoTransform(true);
    return QPixmap::fromImage(reader.read());
}

void showPicture(QLabel* box, const QString& file, bool stretched) {
    const QPixmap picture = loadPicture(file);
    box->setScaledContents(stretched);
    if (picture.isNull()) {
        box->clear();
        return;
    }
    box->setPixmap(picture);
    if (!stretched)
        box->resize(picture.size());
}

} // namespace vexa
