#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace zorvex {

void InstallQtTranslations(Language language) {
    if (language != Language::German || QCoreApplication::instance() == nullptr)
        return;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale german(QLocale::German, QLocale::Germany);
    // "qt" names the catalogues of the Qt modules (qtbase among them); the serial port and
    // Bluetooth modules have their own.
    for (const QString& catalogue : {u"qt"_s, u"qtserialport"_s, u"qtconnectivity"_s}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(german, catalogue, u"_"_s, folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace zorvex
