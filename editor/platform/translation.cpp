#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool UseJapanesePlatformTexts() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
