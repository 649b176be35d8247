#include "feed/FeedRemoval.h"

#include "core/Lang.h"
#include "db/Connection.h"
#include "db/RecordSet.h"
#include "feed/FeedEditorTexts.h"

namespace {

QString notDeleted(const QString& languageCode, const QString& name)
{
    return FeedEditorTexts::FeedNotDeleted.in(languageCode).arg(name);
}

// Stored cases whose ration uses the feedstuff; nothing when they cannot be counted.
std::optional<int> casesUsing(Connection& db, const QString& key)
{
    RecordSet rs;
    int count = 0;
    // The derived table is named: PostgreSQL requires it.
    if (!rs.openRecordset(db,
                          QStringLiteral("SELECT COUNT(*) AS N FROM (SELECT DISTINCT ID_Rezept FROM T_REZ_FM "
                                         "WHERE ID_Futtermittel = ") +
                              key + QStringLiteral(") AS USED")) ||
        rs.isEof() || !rs.getFieldLong(QStringLiteral("N"), count))
        return std::nullopt;
    return count;
}

// The key as a whole number for the statements; nothing for any other text.
std::optional<QString> keyNumber(const QString& key)
{
    bool ok = false;
    const qint64 value = key.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return QString::number(value);
}

} // namespace

namespace FeedRemoval {

QString storedName(Connection& db, const QString& languageCode, const QString& key)
{
    const std::optional<QString> number = keyNumber(key);
    RecordSet rs;
    QString name;
    if (!number ||
        !rs.openRecordset(db, QStringLiteral("SELECT BEZ_DE, BEZ_US FROM T_FUTTERMITTEL WHERE ID = ") +
                                  *number) ||
        rs.isEof())
        return QString();
    rs.getFieldText(languageCode == Lang::German ? QStringLiteral("BEZ_DE") : QStringLiteral("BEZ_US"), name);
    return name;
}

std::optional<QString> refusal(Connection& db, const QString& languageCode, const QString& key,
                               const QString& name)
{
    // A case opens its ration through the feedstuff: deleting it would take
    // it out of every stored ration without a word. Uncounted is in use.
    const std::optional<QString> number = keyNumber(key);
    const std::optional<int> cases = number ? casesUsing(db, *number) : std::nullopt;
    if (!cases)
        return notDeleted(languageCode, name);
    if (*cases > 0) {
        return FeedEditorTexts::FeedUsedInCases.in(languageCode).arg(name).arg(*cases);
    }
    return std::nullopt;
}

std::optional<QString> remove(Connection& db, const QString& languageCode, const QString& key,
                              const QString& name)
{
    const std::optional<QString> number = keyNumber(key);
    if (!number)
        return notDeleted(languageCode, name);
    DbTransaction transaction(db);
    if (!transaction.isActive())
        return notDeleted(languageCode, name);
    // Asked once more with the feedstuff's row locked: while the question was
    // open, another copy of the program may have stored a case with it, and
    // one storing a case now holds the row (FOR KEY SHARE) until its case is
    // there to count.
    RecordSet locked;
    if (!locked.openRecordset(db, QStringLiteral("SELECT ID FROM T_FUTTERMITTEL WHERE ID = ") + *number +
                                      QStringLiteral(" FOR UPDATE")))
        return notDeleted(languageCode, name);
    // Another copy of the program may have deleted it meanwhile.
    if (locked.isEof()) {
        return FeedEditorTexts::FeedDeletedElsewhere.in(languageCode).arg(name);
    }
    locked.closeRecordset();
    if (std::optional<QString> inUse = refusal(db, languageCode, *number, name))
        return inUse;
    if (!db.executeSql(QStringLiteral("DELETE FROM T_FM_KAT WHERE ID_FM = ") + *number))
        return FeedEditorTexts::CategoriesNotDeleted.in(languageCode);
    // All contents, whatever kind of nutrient or indicator they hold.
    if (!db.executeSql(QStringLiteral("DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = ") + *number))
        return FeedEditorTexts::ContentsNotDeleted.in(languageCode);
    if (!db.executeSql(QStringLiteral("DELETE FROM T_FUTTERMITTEL WHERE ID = ") + *number) ||
        !transaction.commit())
        return notDeleted(languageCode, name);
    return std::nullopt;
}

} // namespace FeedRemoval
