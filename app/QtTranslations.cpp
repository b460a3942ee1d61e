#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ledgra {

bool InstallKoreanQtTranslations(QCoreApplication& application) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    bool installed = true;
    // qtbase: the widgets' and print support's texts; qtwebengine: the engine's own.
    for (const char* catalogue : {"qtbase", "qtwebengine"}) {
        auto* translator = new QTranslator(&application);
        if (translator->load(korean, QString::fromLatin1(catalogue), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
            installed = false;
        }
    }
    return installed;
}

}  // namespace ledgra
