#include "changeswindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ChangesWindow::ChangesWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmChanges"));
    setWindowTitle(QStringLiteral("変更点"));
    panel = new ChangesPanel(this);
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(panel, &ChangesPanel::generalActivated, this, &ChangesWindow::generalActivated);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    resize(560, 420);
}
