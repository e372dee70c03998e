#include "widgets/StatusField.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace vexa {

namespace {

// The blank a line edit keeps on either side of its text, and the cursor's width after it.
constexpr int TextMargin = 2;
constexpr int CursorWidth = 1;

} // namespace

StatusField::StatusField(QWidget* parent)
    : QLineEdit(parent) {
    setReadOnly(true);
    connect(this, &QLineEdit::textChanged, this, [this] { updateGeometry(); });
}

void StatusField::setLongestTexts(const QStringList& texts) {
    longestTexts_ = texts;
    updateGeometry();
}

int StatusField::widthFor(const QString& text) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins() + contentsMargins();
    const QSize inner(fontMetrics().horizontalAdvance(text) + CursorWidth + 2 * TextMargin + margins.left() +
                          margins.right(),
                      fontMetrics().height());
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, inner, this).width();
}

QSize StatusField::minimumSizeHint() const {
    QSize size = QLineEdit::minimumSizeHint();
    int width = widthFor(text());
    for (const QString& longest : longestTexts_)
        width = std::max(width, widthFor(longest));
    size.setWidth(std::max(size.width(), width));
    return size;
}

QSize StatusField::sizeHint() const {
    return QSize(minimumSizeHint().width(), QLineEdit::sizeHint().height());
}

void StatusField::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
}

} // namespace vexa
