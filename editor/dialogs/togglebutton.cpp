#include "togglebutton.h"

#include <QFontMetrics>

#include <algorithm>

ToggleButton::ToggleButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setCheckable(true);
    connect(this, &QPushButton::toggled, this, &ToggleButton::updateCaptionWeight);
}

void ToggleButton::updateCaptionWeight(bool checked) {
    QFont captionFont = font();
    captionFont.setBold(checked);
    setFont(captionFont);
}

QSize ToggleButton::sizeHint() const {
    // Room on either side of the caption for the button's frame.
    constexpr int kSideRoom = 12;
    QFont bold = font();
    bold.setBold(true);
    QSize hint = QPushButton::sizeHint();
    hint.setWidth(
        std::min(hint.width(), QFontMetrics(bold).horizontalAdvance(text()) + 2 * kSideRoom));
    return hint;
}
