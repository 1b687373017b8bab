// The fame editor: a new fame for every target, drawn from a range on a grid of 1, 5 or 10.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "bulkeditdialog.h"
#include "model/famedraw.h"

class FameDialog : public BulkEditDialog {
    Q_OBJECT
  public:
    explicit FameDialog(QWidget* parent = nullptr);

    // The settings as the controls stand, for the draw an accepted dialog asks for.
    FameDrawSettings settings() const;

    QLabel* labGuide;
    QLabel* labFame;
    QComboBox* cmbValue1;
    QLabel* labRange;
    QComboBox* cmbValue2;
    std::array<QRadioButton*, 3> optTani;
    QLabel* labMeishi;
    QLabel* labList;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  private:
    QComboBox* createBoundBox(const QString& name);
};
