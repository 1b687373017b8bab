#include "splashwindow.h"

#include <QFrame>
#include <QVBoxLayout>

#include "platform/appinfo.h"
#include "platform/twips.h"

namespace {

QLabel* addLabel(QVBoxLayout* layout, const QString& name, const QString& text, int pointSize,
                 bool bold) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
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
    lblProductName =
        addLabel(layout, QStringLiteral("lblProductName"), QStringLiteral("Kelvasto"), 24, true);
    labAppSubName = addLabel(layout, QStringLiteral("labAppSubName"), AppTitle(), 12, false);
    lblVersion = addLabel(layout, QStringLiteral("lblVersion"),
                          QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                              .arg(kVersionMajor)
                              .arg(kVersionMinor)
                              .arg(kVersionRevision),
                          10, false);
    lblWarning = addLabel(layout, QStringLiteral("lblWarning"),
                          QStringLiteral("しばらくお待ち下さい..."), 10, false);
    lblCopyright = addLabel(layout, QStringLiteral("lblCopyright"),
                            QStringLiteral("Copyright © 2026 Drovantel 開発チーム"), 9, false);
}
