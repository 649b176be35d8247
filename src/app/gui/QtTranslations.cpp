#include "app/gui/QtTranslations.h"

#include "core/Lang.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace QtTranslations {

bool apply(const QString& languageCode)
{
    // One translator for the run, emptied and loaded again on a switch.
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (languageCode != Lang::German)
        return true;
    auto translator = std::make_unique<QTranslator>();
    // "qt" covers every Qt module the program uses (qtbase, its dialogs).
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qt"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace QtTranslations
