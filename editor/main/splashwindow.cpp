#include "splashwindow.h"

#include <QFrame>
#include <QVBoxLayout>

#include "platform/appinfo.h"
#include "platform/twips.h"

namespace {

QLabel* addLabel(QVBoxLayout* layout, const QString& name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return label;
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AppTitle());
    setFixedSize(Twips(7380), Twips(3360));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(TwipsRect(120, 60, 7140, 3180));
    auto* layout = new QVBoxLayout(frame);
    // The product name stands out. Every other line is in the window's own font, which the
    // main window loads anyway: each other size would cost start-up fonts of its own, Japanese
    // ones among them.
    lblProductName = addLabel(layout, QStringLiteral("lblProductName"), QStringLiteral("Kelvasto"));
    QFont title = lblProductName->font();
    title.setPointSize(24);
    title.setBold(true);
    lblProductName->setFont(title);
    labAppSubName = addLabel(layout, QStringLiteral("labAppSubName"), AppTitle());
    lblVersion = addLabel(layout, QStringLiteral("lblVersion"),
                          QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                              .arg(kVersionMajor)
                              .arg(kVersionMinor)
                              .arg(kVersionRevision));
    lblWarning =
        addLabel(layout, QStringLiteral("lblWarning"), QStringLiteral("しばらくお待ち下さい..."));
    lblCopyright = addLabel(layout, QStringLiteral("lblCopyright"),
                            QStringLiteral("Copyright © 2026 Drovantel 開発チーム"));
}
