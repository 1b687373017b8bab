// The window shown while the editor starts.
#pragma once

#include <QDialog>
#include <QLabel>

class SplashWindow : public QDialog {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* lblProductName;
    QLabel* labAppSubName;
    QLabel* lblVersion;
    QLabel* lblWarning;
    QLabel* lblCopyright;
};
