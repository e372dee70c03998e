#pragma once

#include <QLineEdit>
#include <QStringList>

namespace vexa {

// A read-only line that is never narrower than its text: it asks its layout for room for the longest
// texts it is known to show, in its current font, and for whatever it shows now.
class StatusField : public QLineEdit {
    Q_OBJECT
public:
    explicit StatusField(QWidget* parent = nullptr);

    // Reserved up front, so that the window does not shift when one of them comes.
    void setLongestTexts(const QStringList& texts);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    int widthFor(const QString& text) const;

    QStringList longestTexts_;
};

} // namespace vexa
