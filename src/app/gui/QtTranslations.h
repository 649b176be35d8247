#pragma once

#include <QString>

// Qt's own texts (the Yes/No/Cancel buttons, the print and file dialogs, the
// calendar) in the program's language: Qt's translations as Debian ships them
// (qt6-translations-l10n), switched with the language. English needs none.
namespace QtTranslations {

// Installs the translations of the language code (Lang::German or
// Lang::English) for the whole application, replacing those of the former
// language. False when German was asked for and Qt's translation is not
// installed: Qt's texts then stay English.
bool apply(const QString& languageCode);

} // namespace QtTranslations
