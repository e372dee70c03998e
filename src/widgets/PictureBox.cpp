#include "widgets/PictureBox.h"

#include <QPainter>

namespace vexa {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
}

void PictureBox::setFit(Fit fit) {
    fit_ = fit;
    update();
}

void PictureBox::showFile(const QString& path, bool stretched) {
    if (path == path_ && stretched == stretched_)
        return;
    path_ = path;
    picture_ = path.isEmpty() ? Picture() : loadPicture(path);
    stretched_ = stretched;
    updateGeometry();
    update();
}

QSize PictureBox::fitted(const QSize& room) const {
    const QSize own = picture_.size();
    const bool tooBig = own.width() > room.width() || own.height() > room.height();
    return enlarges() || tooBig ? own.scaled(room, Qt::KeepAspectRatio) : own;
}

QSize PictureBox::sizeHint() const {
    if (picture_.isNull())
        return QFrame::sizeHint();
    const QMargins margins = contentsMargins();
    const bool unbounded = maximumWidth() == QWIDGETSIZE_MAX && maximumHeight() == QWIDGETSIZE_MAX;
    const QSize size = unbounded ? picture_.size() : fitted(maximumSize().shrunkBy(margins));
    return size.grownBy(margins);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (picture_.isNull())
        return;
    QPainter painter(this);
    const QRect room = contentsRect();
    if (fit_ == Fit::Backdrop) {
        picture_.paint(painter, room);
        return;
    }
    QRect target(QPoint(), fitted(room.size()));
    target.moveCenter(room.center());
    picture_.paint(painter, target);
}

} // namespace vexa
