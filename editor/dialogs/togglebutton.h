// A check box drawn as a push button: pressed when checked, with a bold caption then.
#pragma once

#include <QPushButton>

class ToggleButton : public QPushButton {
    Q_OBJECT
public:
    explicit ToggleButton(const QString& caption, QWidget* parent = nullptr);

private:
    void updateCaptionWeight(bool checked);
};
