// The fame editor: a new fame for every target, drawn from a range on a grid of 1, 5 or 10.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "bulkeditdialog.h"
#include "model/famedraw.h"

class RandomSource;

class FameDialog : public BulkEditDialog {
    Q_OBJECT
  public:
    // Draws from random, which outlives the dialog.
    explicit FameDialog(RandomSource& random, QWidget* parent = nullptr);

    // The settings as the controls stand.
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

  private slots:
    void confirm();

  private:
    QComboBox* createBoundBox(const QString& name);
    RandomSource& random_;
};
