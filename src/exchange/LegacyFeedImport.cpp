#include "exchange/LegacyFeedImport.h"

#include "core/Codes.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseBackup.h"
#include "db/FeedKeyCounter.h"
#include "db/SqlQuote.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/LegacyDatabase.h"

#include <QFileInfo>

#include <array>

namespace {

// How the previous version reached its database through Jet OLE DB. libmdb
// reads the file directly and needs none of it; kept so the old settings are
// on record next to the code that replaced them.
[[maybe_unused]] constexpr const char* LegacyUser = "KBÖ";
[[maybe_unused]] constexpr const char* LegacyPassword = "!MäeK47Ü";
[[maybe_unused]] constexpr const char* LegacyConnection =
    "Provider=Microsoft.Jet.OLEDB.4.0;User ID=%1;Data Source=%2;Mode=ReadWrite;Extended Properties="
    ";Jet OLEDB:System database=%3;Jet OLEDB:Engine Type=4;Jet OLEDB:Database Locking Mode=0;"
    "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
    "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
    "Jet OLEDB:Don't Copy Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;"
    "Jet OLEDB:SFP=False";

// The columns the old program's statement selected, all of which must exist.
const QStringList& statementColumns()
{
    static const QStringList columns =
        QString::fromUtf8(
            "Futtermittel Vorgabe_Prog Alle Einzelfuttermittel_Benutzer Alleinfutter_Hund_Benutzer "
            "Mischfutter_Hund_Benutzer Erhaltungs_Seniorfutter_Hund_Benutzer Fertignahrung_Katze_Benutzer "
            "Aufzucht_Hund_Benutzer Reduktion_Hund_Benutzer Niere_Harnapparat_Hund_Benutzer "
            "Diäten_Sonstige_Hund_Benutzer Reduktion_Katze_Benutzer Niere_Harnapparat_Katze_Benutzer "
            "Diäten_Sonstige_Katze_Benutzer Belohnungen Belohnungen_Benutzer Supplemente_Benutzer "
            "TS Ra Rp Rfe NfE Rfa vRp DE ME Linolsäure Met Cys Taurin Ca P Mg K Na Fe Cu Zn Mn Cl J Mo Se "
            "Vit_A Vit_D Vit_E Vit_B1 Vit_B2 Vit_B6 Vit_B12 Biotin Niacin Pantothen Cholin "
            "Datum Firma/Hersteller Daten_fehlen Bemerkung")
            .split(QLatin1Char(' '));
    return columns;
}

struct Category
{
    const char* column;
    int number;
};

constexpr std::array<Category, 14> Categories{{
    {"Einzelfuttermittel_Benutzer", 1},
    {"Supplemente_Benutzer", 2},
    {"Belohnungen_Benutzer", 3},
    {"Alleinfutter_Hund_Benutzer", 4},
    {"Aufzucht_Hund_Benutzer", 5},
    {"Erhaltungs_Seniorfutter_Hund_Benutzer", 6},
    {"Mischfutter_Hund_Benutzer", 7},
    {"Reduktion_Hund_Benutzer", 8},
    {"Niere_Harnapparat_Hund_Benutzer", 9},
    {"Diäten_Sonstige_Hund_Benutzer", 10},
    {"Fertignahrung_Katze_Benutzer", 11},
    {"Niere_Harnapparat_Katze_Benutzer", 12},
    {"Diäten_Sonstige_Katze_Benutzer", 13},
    {"Reduktion_Katze_Benutzer", 16},
}};

enum class Amount { Value, Rest, Kcal };

struct Target
{
    const char* column;
    const char* nutrient; // as written into the statement: "09" keeps its zero
    Amount amount;
};

constexpr std::array<Target, 39> Targets{{
    {"TS", "8", Amount::Value},      {"TS", "18", Amount::Rest},         {"Ra", "13", Amount::Value},
    {"Rp", "24", Amount::Value},     {"Rfe", "12", Amount::Value},       {"NfE", "14", Amount::Value},
    {"Rfa", "11", Amount::Value},    {"vRp", "10", Amount::Value},       {"ME", "09", Amount::Value},
    {"ME", "60", Amount::Kcal},      {"ME", "61", Amount::Kcal},         {"Linolsäure", "31", Amount::Value},
    {"Met", "32", Amount::Value},    {"Cys", "33", Amount::Value},       {"Taurin", "34", Amount::Value},
    {"Ca", "1", Amount::Value},      {"P", "15", Amount::Value},         {"Mg", "7", Amount::Value},
    {"K", "16", Amount::Value},      {"Na", "19", Amount::Value},        {"Fe", "17", Amount::Value},
    {"Cu", "21", Amount::Value},     {"Zn", "20", Amount::Value},        {"Mn", "23", Amount::Value},
    {"Cl", "35", Amount::Value},     {"J", "22", Amount::Value},         {"Mo", "36", Amount::Value},
    {"Se", "37", Amount::Value},     {"Vit_A", "2", Amount::Value},      {"Vit_D", "5", Amount::Value},
    {"Vit_E", "6", Amount::Value},   {"Vit_B1", "4", Amount::Value},     {"Vit_B2", "38", Amount::Value},
    {"Vit_B6", "3", Amount::Value},  {"Vit_B12", "26", Amount::Value},   {"Biotin", "27", Amount::Value},
    {"Niacin", "39", Amount::Value}, {"Pantothen", "25", Amount::Value}, {"Cholin", "40", Amount::Value},
}};

int columnIndex(const char* name)
{
    return int(statementColumns().indexOf(QString::fromUtf8(name)));
}

// The amount as the old program computed it: v, 100 and 1000 in single
// precision, 0.239 in double.
QString amountText(float v, Amount amount)
{
    double value = v;
    switch (amount) {
    case Amount::Value:
        break;
    case Amount::Rest:
        value = float(100.0f - v);
        break;
    case Amount::Kcal:
        value = double(float(v * 1000.0f)) * 0.239;
        break;
    }
    return QString::asprintf("%.6f", value);
}

} // namespace

LegacyFeedImport::LegacyFeedImport(AppContext& context, Prompt& prompt)
    : m_context(context)
    , m_prompt(prompt)
{
}

LegacyFeedImport::Outcome LegacyFeedImport::nothingChanged(const QString& why)
{
    m_prompt.message(why, Prompt::Icon::Exclamation);
    return Outcome::NothingChanged;
}

LegacyFeedImport::Outcome LegacyFeedImport::importFrom(const QString& path)
{
    const QString code = m_context.languageCode();
    m_imported = 0;
    m_skipped.clear();
    if (path.trimmed().isEmpty())
        return nothingChanged(ExchangeTexts::ChooseDatabase.in(code));

    LegacyDatabase old;
    if (!QFileInfo(path).isFile() || !old.open(path))
        return nothingChanged(ExchangeTexts::LegacyDatabaseNotOpened.in(code));
    std::vector<LegacyDatabase::Row> rows;
    if (!old.readTable(QStringLiteral("Futtermittel"), statementColumns(), rows))
        return nothingChanged(QStringLiteral("Tabellenformat entspricht nicht Mensoly Version 2.0"));
    old.close();

    // Only the practice's own feedstuffs: Alle NULL.
    const int alle = columnIndex("Alle");
    std::erase_if(rows, [alle](const LegacyDatabase::Row& row) { return !row[alle].null; });

    Connection& db = m_context.db();
    const QString failed = ExchangeTexts::ImportFailedNothingChanged.in(code);
    if (!DatabaseBackup(m_context, m_prompt).writeAutomaticCopy())
        return Outcome::NothingChanged;
    // All or nothing: the key counter, every feedstuff and all its rows.
    DbTransaction transaction(db);
    if (!transaction.isActive())
        return nothingChanged(failed);

    const int total = int(rows.size());
    // One key per feedstuff, taken at once; a skipped feedstuff's key stays
    // used, as a key given out once is never given again.
    qint64 next = 0;
    if (FeedKeyCounter::take(db, Codes::PracticeOwner, total, next) != FeedKeyCounter::Outcome::Taken)
        return nothingChanged(failed);

    const int name = columnIndex("Futtermittel");
    const int date = columnIndex("Datum");
    const int producer = columnIndex("Firma/Hersteller");
    const int missing = columnIndex("Daten_fehlen");
    const int remark = columnIndex("Bemerkung");
    const QString recordFailed = ExchangeTexts::RecordNotInserted.in(code);
    if (m_progress)
        m_progress(0, total);
    for (int done = 0; done < total; ++done) {
        if (m_cancelled && m_cancelled())
            return nothingChanged(ExchangeTexts::ImportCancelledNothingChanged.in(code));
        const LegacyDatabase::Row& row = rows[size_t(done)];
        const QString key = QString::number(next++);
        const QString feed =
            QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, "
                           "DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, "
                           "DATUM_BEARBEITET, AKTIV) VALUES (") +
            key + QStringLiteral(", NULL, ") + Sql::quote(row[name].text) + QStringLiteral(", ") +
            Sql::quote(row[name].text) + QStringLiteral(", 'U', 0, ") + Sql::quoteOrNull(row[date].text) +
            QStringLiteral(", ") + Sql::quote(row[producer].text) + QStringLiteral(", ") +
            Sql::quote(row[missing].text) + QStringLiteral(", ") + Sql::quote(row[remark].text) +
            QStringLiteral(", ") + Sql::quote(row[remark].text) + QStringLiteral(", NOW(), TRUE)");
        if (!db.executeSql(feed)) {
            // Its categories and contents would belong to no feedstuff.
            m_skipped << recordFailed + QStringLiteral(": ") + row[name].text;
            if (m_progress)
                m_progress(done + 1, total);
            continue;
        }
        for (const Category& category : Categories) {
            if (row[columnIndex(category.column)].text != Codes::Mark)
                continue;
            if (!db.executeSql(
                    QStringLiteral("INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (") + key +
                    QStringLiteral(", ") + QString::number(category.number) + QStringLiteral(", TRUE)")))
                return nothingChanged(ExchangeTexts::CategoryNotInserted.in(code) + QLatin1Char('\n') +
                                      failed);
        }
        // One statement for all contents of the feedstuff: parsing a
        // statement per value costs more than the inserts themselves.
        QString contents;
        for (const Target& target : Targets) {
            const LegacyDatabase::Cell& cell = row[size_t(columnIndex(target.column))];
            // NULL is no value at all; negative values the old program never imported.
            if (cell.null || cell.real < 0)
                continue;
            contents +=
                (contents.isEmpty() ? QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, "
                                                     "MENGE, AKTIV) VALUES (")
                                    : QStringLiteral(", (")) +
                key + QStringLiteral(", ") + QString::fromLatin1(target.nutrient) + QStringLiteral(", ") +
                amountText(cell.real, target.amount) + QStringLiteral(", TRUE)");
        }
        if (!contents.isEmpty() && !db.executeSql(contents))
            return nothingChanged(ExchangeTexts::NutrientNotInserted.in(code) + QLatin1Char('\n') + failed);
        ++m_imported;
        if (m_progress)
            m_progress(done + 1, total);
    }
    if (!transaction.commit())
        return nothingChanged(failed);

    QStringList report = m_skipped;
    report << QString::fromUtf8("Futtermittel aus Mensoly Version 2.0 wurden übernommen")
           << ExchangeTexts::FeedsTakenOver.in(code).arg(m_imported).arg(m_skipped.size());
    m_prompt.message(report.join(QStringLiteral("\n")),
                     m_skipped.isEmpty() ? Prompt::Icon::Information : Prompt::Icon::Exclamation);
    return m_skipped.isEmpty() ? Outcome::Completed : Outcome::CompletedWithSkipped;
}
