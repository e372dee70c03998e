#pragma once

#include "widgets/Picture.h"

#include <QFrame>

namespace vexa {

// A picture box inside a layout: the picture keeps its proportions and is centred in the box. A file
// shown at its own size is never enlarged; a stretched one and the program's drawings fill the box.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    // A backdrop fills its whole box whatever the picture's proportions: a band behind other controls.
    enum class Fit { KeepProportions, Backdrop };

    explicit PictureBox(QWidget* parent = nullptr);

    void setFit(Fit fit);
    // The picture of `path` (see loadPicture); an empty path shows nothing.
    void showFile(const QString& path, bool stretched);

    // The picture's own size, fitted into the box's maximum size where the box has one.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool enlarges() const { return stretched_ || picture_.isDrawing(); }
    // The picture's size in `room`, in its own proportions.
    QSize fitted(const QSize& room) const;

    QString path_;
    Picture picture_;
    bool stretched_ = false;
    Fit fit_ = Fit::KeepProportions;
};

} // namespace vexa
