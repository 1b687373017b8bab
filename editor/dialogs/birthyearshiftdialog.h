// The birth-year shift: moves the birth year of every target by one chosen number of years,
// offering only shifts that keep every target within the years the game accepts.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "bulkeditdialog.h"

class OpenGenerals;

class BirthYearShiftDialog : public BulkEditDialog {
    Q_OBJECT
  public:
    explicit BirthYearShiftDialog(QWidget* parent = nullptr);

    // Finds the extremes of the targets among generals, writes the two lines and offers the
    // allowed shifts. Runs once, after list is filled and before the dialog is shown.
    void Reset(const OpenGenerals& generals);
    // The chosen shift in years, for the edit an accepted dialog asks for; OK accepts only
    // when one is chosen.
    int shift() const;

    QLabel* labMax;
    QLabel* labMin;
    QFrame* fraShift;
    QComboBox* cmbShift;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  private slots:
    void confirm();
};
