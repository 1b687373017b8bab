#include "windowicon.h"

#include "deferredicon.h"

QIcon ProgramWindowIcon() {
    return DeferredIcon(QStringLiteral(":/icons/drovantel.svg"));
}
