// The mark editor: chosen marks (印1..印5) of every target set to one text each.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <array>

#include "bulkeditdialog.h"
#include "model/markedit.h"

class MarkDialog : public BulkEditDialog {
    Q_OBJECT
  public:
    explicit MarkDialog(QWidget* parent = nullptr);

    // The settings as the controls stand, for the edit an accepted dialog asks for.
    MarkEditSettings settings() const;

    QLabel* labGuide;
    std::array<QCheckBox*, kMarkCount> chkMark;
    std::array<QFrame*, kMarkCount> fraMark;
    std::array<QComboBox*, kMarkCount> cmbMark;
    QLabel* labNote;
    QLabel* labList;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  private:
    void markBoxToggled(int index);
};
