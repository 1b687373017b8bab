#include "programsetup.h"

#include <QApplication>
#include <QIcon>

#include "platform/translation.h"
#include "platform/windowrules.h"

void PrepareApplication() {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/drovantel.svg")));
    UseJapanesePlatformTexts();
    InstallWindowRules();
}
