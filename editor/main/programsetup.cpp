#include "programsetup.h"

#include <QApplication>

#include "platform/translation.h"
#include "platform/windowrules.h"
#include "windowicon.h"

void PrepareApplication() {
    QApplication::setWindowIcon(ProgramWindowIcon());
    UseJapanesePlatformTexts();
    InstallWindowRules();
}
