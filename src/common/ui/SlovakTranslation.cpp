#include "common/ui/SlovakTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ulk {

void installSlovakTranslation(QCoreApplication &app)
{
    auto *qtbase = new QTranslator(&app);
    if (qtbase->load(QLocale(QLocale::Slovak), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
    // Embedded at build time; installed last, so it is asked first.
    auto *own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/translations/ulk_qt_sk.qm")))
        QCoreApplication::installTranslator(own);
}

} // namespace ulk
