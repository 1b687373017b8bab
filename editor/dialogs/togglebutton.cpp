#include "togglebutton.h"

ToggleButton::ToggleButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setCheckable(true);
    connect(this, &QPushButton::toggled, this, &ToggleButton::updateCaptionWeight);
}

void ToggleButton::updateCaptionWeight(bool checked) {
    QFont captionFont = font();
    captionFont.setBold(checked);
    setFont(captionFont);
}
