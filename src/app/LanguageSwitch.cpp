#include "app/LanguageSwitch.h"

#include "app/ApplicationStartup.h"

#include "app/MainWindowTexts.h"
#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/SqlQuote.h"

namespace LanguageSwitch {

bool apply(AppContext& context, const QString& code, Prompt& prompt)
{
    context.setLanguageCode(code);
    // On a server the language is this workstation's own (Mensoly.ini); the
    // settings row stays the default of the others.
    long affected = 0;
    const bool server = ConnectionString::isPostgreSql(ConnectionString::parse(context.connectionString()));
    const bool stored =
        server ? ApplicationStartup::storeWorkstationLanguage(context.dataDirectory(), code)
               : context.db().executeSql(
                     QStringLiteral("UPDATE T_MSYV3SEC SET SPRACHE = %1 WHERE ID = 1").arg(Sql::quote(code)),
                     affected);
    if (!stored) {
        prompt.message(MainWindowTexts::LanguageNotChanged.in(code));
    }
    return stored;
}

} // namespace LanguageSwitch
