#include "programsetup.h"

#include <QApplication>
#include <QIcon>

#include "deferredicon.h"
#include "platform/translation.h"
#include "platform/windowrules.h"

void PrepareApplication() {
    QApplication::setWindowIcon(DeferredIcon(QStringLiteral(":/icons/drovantel.svg")));
    UseJapanesePlatformTexts();
    InstallWindowRules();
}
