#include "feed/FeedEditor.h"

#include "core/Codes.h"
#include "core/DateText.h"
#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/FeedKeyCounter.h"
#include "db/SqlQuote.h"
#include "feed/FeedEditorTexts.h"
#include "feed/FeedIndicatorCalculator.h"
#include "feed/FeedRemoval.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace {

// An amount as it goes into SQL: a whole number text with a decimal comma
// or point; nothing for any other text.
std::optional<double> amountOf(const QString& text)
{
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

bool FeedEditor::amountsAreNumbers()
{
    for (const GridModel* grid : {&m_nutrients, &m_indicators}) {
        for (int row = 1; row < grid->rowCount(); ++row) {
            const QString amount = grid->text(row, AmountColumn);
            if (amount.trimmed().isEmpty() || amountOf(amount))
                continue;
            tell(FeedEditorTexts::AmountNotANumber.in(code()).arg(grid->text(row, NameColumn),
                                                                  amount.trimmed()));
            return false;
        }
    }
    return true;
}

bool FeedEditor::takeNewKey(qint64& key, const QString& failed)
{
    switch (FeedKeyCounter::take(m_context.db(), m_context.ownerCode(), 1, key)) {
    case FeedKeyCounter::Outcome::Taken:
        return true;
    case FeedKeyCounter::Outcome::NoCounter:
        tell(FeedEditorTexts::NoKeyCounter.in(code()).arg(m_context.ownerCode()));
        return false;
    case FeedKeyCounter::Outcome::Failed:
        break;
    }
    tell(failed);
    return false;
}

bool FeedEditor::storeCategories(const QString& key)
{
    if (!m_context.db().executeSql(QStringLiteral("DELETE FROM T_FM_KAT WHERE ID_FM = ") + key)) {
        tell(FeedEditorTexts::CategoriesNotDeleted.in(code()));
        return false;
    }
    for (int row = 0; row < m_categories.rowCount(); ++row) {
        if (m_categories.text(row, MarkColumn).trimmed() != Codes::Mark)
            continue;
        if (!m_context.db().executeSql(
                QStringLiteral("INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (") + key +
                QStringLiteral(", ") +
                QString::number(m_categories.text(row, CategoryKeyColumn).toLongLong()) +
                QStringLiteral(", TRUE)"))) {
            tell(FeedEditorTexts::CategoryNotInserted.in(code()));
            return false;
        }
    }
    return true;
}

bool FeedEditor::storeContentGrid(const GridModel& grid, const QString& key, const QString& kind)
{
    const bool nutrients = kind == Codes::Ingredient;
    if (!m_context.db().executeSql(
            QStringLiteral("DELETE T_FM_NAEHRSTOFF.*, T_FM_NAEHRSTOFF.ID_FM, T_NAEHRSTOFFE.KZ_IK ") +
            QStringLiteral("FROM T_NAEHRSTOFFE INNER JOIN T_FM_NAEHRSTOFF ON T_NAEHRSTOFFE.ID = "
                           "T_FM_NAEHRSTOFF.ID_NAEHRSTOFF ") +
            QStringLiteral("WHERE (((T_FM_NAEHRSTOFF.ID_FM)= ") + key +
            QStringLiteral(") AND ((T_NAEHRSTOFFE.KZ_IK)=") + Sql::quote(kind) + QStringLiteral("))"))) {
        tell(nutrients ? FeedEditorTexts::NutrientsNotDeleted.in(code())
                       : FeedEditorTexts::IndicatorsNotDeleted.in(code()));
        return false;
    }
    for (int row = 1; row < grid.rowCount(); ++row) {
        const std::optional<double> amount = amountOf(grid.text(row, AmountColumn));
        if (!amount)
            continue;
        if (!m_context.db().executeSql(
                QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (") +
                key + QStringLiteral(", ") + QString::number(grid.text(row, KeyColumn).toLongLong()) +
                QStringLiteral(", ") + QString::number(*amount, 'g', 17) + QStringLiteral(", TRUE)"))) {
            const QString name = grid.text(row, NameColumn);
            tell(nutrients ? FeedEditorTexts::NutrientNotInserted.in(code()).arg(name)
                           : FeedEditorTexts::IndicatorNotInserted.in(code()).arg(name));
            return false;
        }
    }
    return true;
}

bool FeedEditor::storeContents(const QString& key)
{
    return storeContentGrid(m_nutrients, key, QString(Codes::Ingredient)) &&
           storeContentGrid(m_indicators, key, QString(Codes::Indicator));
}

bool FeedEditor::save()
{
    if (refusedAsShipped())
        return false;
    const QString type = m_types.currentIndex() < 0 ? QString() : QString::number(m_types.currentData());
    if (code() == Lang::German ? m_germanName.isEmpty() : m_englishName.isEmpty()) {
        tell(FeedEditorTexts::NameMissing.in(code()));
        return false;
    }
    const int moisture = rowOf(m_nutrients, NutrientKey::Moisture);
    const int dryMatter = rowOf(m_nutrients, NutrientKey::DryMatter);
    if (!FeedIndicatorCalculator::moistureAndDryMatterAddUp(
            moisture < 0 ? QString() : m_nutrients.text(moisture, AmountColumn),
            dryMatter < 0 ? QString() : m_nutrients.text(dryMatter, AmountColumn))) {
        tell(FeedIndicatorCalculator::moistureAndDryMatterMessage(code()));
        return false;
    }
    if (!amountsAreNumbers())
        return false;

    const bool isNew = m_key.isEmpty();
    const QString failed =
        isNew ? FeedEditorTexts::RecordNotInserted.in(code()) : FeedEditorTexts::RecordNotUpdated.in(code());
    Connection& db = m_context.db();
    DbTransaction transaction(db);
    if (!transaction.isActive()) {
        tell(failed);
        return false;
    }
    const QString typeValue = type.isEmpty() ? QStringLiteral("NULL") : type;
    const QString active = m_active ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    QString key = m_key;
    if (isNew) {
        qint64 newKey = 0;
        if (!takeNewKey(newKey, failed))
            return false;
        key = QString::number(newKey);
        const QString sql =
            QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
            QStringLiteral("DEMO_KZ, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, ") +
            QStringLiteral("DATUM_BEARBEITET, AKTIV) VALUES (") + key + QStringLiteral(", ") + typeValue +
            QStringLiteral(", ") + Sql::quoteOrNull(m_germanName) + QStringLiteral(", ") +
            Sql::quoteOrNull(m_englishName) + QStringLiteral(", ") + Sql::quote(m_context.ownerCode()) +
            QStringLiteral(", FALSE, ") + Sql::quoteOrNull(m_producer) + QStringLiteral(", ") +
            Sql::quoteOrNull(m_dataMissing) + QStringLiteral(", ") + Sql::quoteOrNull(m_hintGerman) +
            QStringLiteral(", ") + Sql::quoteOrNull(m_hintEnglish) + QStringLiteral(", NOW(), ") + active +
            QStringLiteral(")");
        if (!db.executeSql(sql)) {
            tell(failed);
            return false;
        }
    } else {
        const QString sql = QStringLiteral("UPDATE T_FUTTERMITTEL SET ID_FM_TYP = ") + typeValue +
                            QStringLiteral(", BEZ_DE = ") + Sql::quoteOrNull(m_germanName) +
                            QStringLiteral(", BEZ_US = ") + Sql::quoteOrNull(m_englishName) +
                            QStringLiteral(", HERSTELLER = ") + Sql::quoteOrNull(m_producer) +
                            QStringLiteral(", DATEN_FEHLEN = ") + Sql::quoteOrNull(m_dataMissing) +
                            QStringLiteral(", HINWEIS = ") + Sql::quoteOrNull(m_hintGerman) +
                            QStringLiteral(", HINT = ") + Sql::quoteOrNull(m_hintEnglish) +
                            QStringLiteral(", DATUM_BEARBEITET = NOW(), AKTIV = ") + active +
                            QStringLiteral(" WHERE ID = ") + key;
        long updated = 0;
        if (!db.executeSql(sql, updated)) {
            tell(failed);
            return false;
        }
        // Another copy of the program deleted it since it was loaded: its
        // contents would be stored for no feedstuff.
        if (updated != 1) {
            tell(FeedEditorTexts::FeedGoneNotSaved.in(code()).arg(code() == Lang::German ? m_germanName
                                                                                         : m_englishName));
            return false;
        }
    }
    if (!storeCategories(key) || !storeContents(key))
        return false;
    if (!transaction.commit()) {
        tell(failed);
        return false;
    }
    m_key = key;
    m_lastUpdate = DateText::forLanguage(m_context.today(), Lang::German);
    m_modified = false;
    fillBar();
    tell(FeedEditorTexts::FeedSaved.in(code()));
    emit changed();
    return true;
}

bool FeedEditor::deleteFeed()
{
    if (m_key.isEmpty()) {
        tell(FeedEditorTexts::NewRecordNotDeletable.in(code()));
        return false;
    }
    if (refusedAsShipped())
        return false;
    const QString name = code() == Lang::German ? m_germanName : m_englishName;
    if (const std::optional<QString> refused = FeedRemoval::refusal(m_context.db(), code(), m_key, name)) {
        tell(*refused);
        return false;
    }
    if (m_prompt.question(FeedEditorTexts::DeleteQuestion.in(code()).arg(name), Prompt::Buttons::YesNo,
                          Prompt::Icon::Question) != Prompt::Answer::Yes)
        return false;
    if (const std::optional<QString> failed = FeedRemoval::remove(m_context.db(), code(), m_key, name)) {
        tell(*failed);
        return false;
    }
    clearForm();
    fillBar();
    emit changed();
    return true;
}

bool FeedEditor::copyStoredRows(const QString& key, const QString& failed)
{
    Connection& db = m_context.db();
    if (!db.executeSql(QStringLiteral("INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) SELECT ") + key +
                       QStringLiteral(", ID_FM_KATEGORIE, AKTIV FROM T_FM_KAT WHERE ID_FM = ") + m_key) ||
        !db.executeSql(
            QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) SELECT ") + key +
            QStringLiteral(", ID_NAEHRSTOFF, MENGE, AKTIV FROM T_FM_NAEHRSTOFF WHERE ID_FM = ") + m_key)) {
        tell(failed);
        return false;
    }
    return true;
}

bool FeedEditor::copy()
{
    if (m_key.isEmpty()) {
        tell(FeedEditorTexts::EmptyRecordNotCopyable.in(code()));
        return false;
    }
    if (!amountsAreNumbers())
        return false;
    tell(QStringLiteral("Es wird der Satz mit Nummer ") + m_key + QStringLiteral(" kopiert"));
    const QString name = code() == Lang::German ? m_germanName : m_englishName;
    const QString notCopied = FeedEditorTexts::FeedNotCopied.in(code()).arg(name);
    Connection& db = m_context.db();
    DbTransaction transaction(db);
    if (!transaction.isActive()) {
        tell(notCopied);
        return false;
    }
    qint64 newKey = 0;
    if (!takeNewKey(newKey, notCopied))
        return false;
    const QString key = QString::number(newKey);
    const QString germanName = m_germanName + QStringLiteral("_Kopie");
    const QString englishName = m_englishName + QStringLiteral("_Copy");
    long copied = 0;
    const QString sql = QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
                        QStringLiteral("DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, ") +
                        QStringLiteral("DATUM_BEARBEITET, AKTIV) SELECT ") + key +
                        QStringLiteral(", ID_FM_TYP, ") + Sql::quote(germanName) + QStringLiteral(", ") +
                        Sql::quote(englishName) + QStringLiteral(", ") + Sql::quote(m_context.ownerCode()) +
                        QStringLiteral(", DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, ") +
                        QStringLiteral("NOW(), AKTIV FROM T_FUTTERMITTEL WHERE ID = ") + m_key;
    if (!db.executeSql(sql, copied) || copied != 1) {
        tell(notCopied);
        return false;
    }
    // What the screen shows goes with the copy, unsaved edits included; an
    // unchanged one takes the stored rows, whose amounts have more places
    // than the grid shows.
    if (m_modified ? !storeCategories(key) || !storeContents(key) : !copyStoredRows(key, notCopied))
        return false;
    if (!transaction.commit()) {
        tell(notCopied);
        return false;
    }
    m_key = key;
    m_germanName = germanName;
    m_englishName = englishName;
    m_lastUpdate = DateText::forLanguage(m_context.today(), Lang::German);
    // The copy is the practice's own, editable, and its contents have no
    // source: that of a shipped value no longer holds once it is changed.
    m_readOnly = false;
    setAmountsReadOnly(false);
    for (GridModel* grid : {&m_nutrients, &m_indicators}) {
        for (int row = grid->fixedRowCount(); row < grid->rowCount(); ++row)
            grid->setToolTip(row, AmountColumn, QString());
    }
    // The copy holds what the screen shows.
    m_modified = false;
    fillBar();
    emit changed();
    return true;
}
