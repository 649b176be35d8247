#pragma once

#include <QString>

class AppContext;
class Prompt;

// Switches the language of the program: the code takes effect for the run at
// once and is stored for the next start: in the settings row of a database
// file, in the workstation's Mensoly.ini on a server.
namespace LanguageSwitch {

// Sets the code and stores it; when storing fails, says so in the new
// language and keeps the code for this run. False when not stored.
bool apply(AppContext& context, const QString& code, Prompt& prompt);

} // namespace LanguageSwitch
