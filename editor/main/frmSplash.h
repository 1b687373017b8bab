// The window shown while the editor starts.
#pragma once

#include <QDialog>
#include <QLabel>

class frmSplash : public QDialog {
    Q_OBJECT
  public:
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* lblProductName;
    QLabel* labAppSubName;
    QLabel* lblVersion;
    QLabel* lblWarning;
    QLabel* lblCopyright;
};
