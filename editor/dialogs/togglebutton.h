// A check box drawn as a push button: pressed when checked, with a bold caption then.
#pragma once

#include <QPushButton>

class ToggleButton : public QPushButton {
    Q_OBJECT
  public:
    explicit ToggleButton(const QString& caption, QWidget* parent = nullptr);

    // As wide as the caption needs in bold, as when pressed, not the larger least width of a
    // command button, so that a grid of them stays narrow enough for a small screen.
    QSize sizeHint() const override;

  private:
    void updateCaptionWeight(bool checked);
};
