// The hidden-settings editor: for each of the eleven coded settings, whether it changes, which
// values are candidates and which of them have priority; the values are then dealt out evenly
// over the targets.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPushButton>

#include <array>

#include "bulkeditdialog.h"
#include "model/personrecord.h"
#include "model/settingsdraw.h"
#include "togglebutton.h"

class HiddenSettingsDialog : public BulkEditDialog {
    Q_OBJECT
  public:
    explicit HiddenSettingsDialog(QWidget* parent = nullptr);

    // The choices as the controls stand, for the draw an accepted dialog asks for.
    HiddenSettingsChoices choices() const;

    QLabel* labGuide;
    std::array<QCheckBox*, kSettingCount> chkSetting;
    std::array<QFrame*, kSettingCount> fraSetting;
    // By setting, then by value code: chkCharType, chkShinnen, ... and their "P" boxes.
    std::array<QList<ToggleButton*>, kSettingCount> valueButtons;
    std::array<QList<QCheckBox*>, kSettingCount> priorityBoxes;
    // The notes in the places of the タイプ, 信念 and 任務態度 frames.
    std::array<QLabel*, 3> labTitle;
    QLabel* labList;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  protected:
    // Esc presses ｷｬﾝｾﾙ.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // A setting's change box and the frame of its value buttons; row: the frame's place.
    void createSettingRow(int index, const QRect& row);
    void settingBoxToggled(int index);
    void updatePriorityBoxes(int index);

    // The note of each setting that has one, shown while its frame is hidden.
    std::array<QLabel*, kSettingCount> notes_{};
};
