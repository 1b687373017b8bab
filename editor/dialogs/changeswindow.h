// The window "変更点": every difference between the open generals and the file as last read or
// saved. A double click on a line asks for that general's row to be put in view.
#pragma once

#include <QDialog>

#include "changespanel.h"

class QPushButton;

class ChangesWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ChangesWindow(QWidget* parent = nullptr);

    void setChanges(GeneralChanges changes) { panel->setChanges(std::move(changes)); }

    ChangesPanel* panel;
    QPushButton* cmdClose;

  signals:
    void generalActivated(int index);
};
