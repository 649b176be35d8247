#include "app/LanguageSwitch.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/SqlQuote.h"

namespace LanguageSwitch {

bool apply(AppContext& context, const QString& code, Prompt& prompt)
{
    context.setLanguageCode(code);
    long affected = 0;
    const bool stored = context.db().executeSql(
        QStringLiteral("UPDATE T_MSYV3SEC SET SPRACHE = %1 WHERE ID = 1").arg(Sql::quote(code)), affected);
    if (!stored) {
        prompt.message(Lang::deOr(code, QStringLiteral("Sprache konnte nicht geändert werden"),
                                  QStringLiteral("Language could not be updated")));
    }
    return stored;
}

} // namespace LanguageSwitch
