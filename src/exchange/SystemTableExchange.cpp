#include "exchange/SystemTableExchange.h"

#include "core/Codes.h"
#include "core/DateText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseBackup.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "exchange/ExchangeTexts.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// How a value of the file enters its INSERT.
enum class Rule {
    Quoted,  // a text literal, NULL when empty
    Number,  // a checked number without quotes, NULL when empty
    Decimal, // as Number, a decimal comma read as a point
    Now      // the time of the import; the file's value is not used
};

// What a value must look like before it goes near a statement.
enum class Check { Text, Integer, Real, YesNo, Date };

struct Column
{
    const char* name;
    Rule rule;
    Check check;
};

QString failure(const char* german)
{
    return QStringLiteral("Fehler während des Datenimports:\n") + QString::fromUtf8(german);
}

const QString Requirements = QStringLiteral("T_BEDARF");
const QString Feeds = QStringLiteral("T_FUTTERMITTEL");
const QString Contents = QStringLiteral("T_FM_NAEHRSTOFF");
const QString Nutrients = QStringLiteral("T_NAEHRSTOFFE");
const QString Maxima = QStringLiteral("T_HOECHSTWERT");
const QString LifeStages = QStringLiteral("T_FALL_LEBENSPHASE");
const QString Savepoint = QStringLiteral("exchange_record");

// A whole number as the statement gets it; nothing for any other text.
std::optional<QString> integerText(const QString& value)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    const QString text = value.trimmed();
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    return QString::number(text.toLongLong());
}

std::optional<QString> realText(const QString& value)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)([eE][+-]?[0-9]{1,3})?$"));
    QString text = value.trimmed();
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return text;
}

// Yes/no as -1 or 0; earlier installations may have written the word.
std::optional<QString> yesNoText(const QString& value)
{
    const QString word = value.trimmed().toLower();
    if (word == QLatin1String("true") || word == QLatin1String("wahr") || word == QLatin1String("yes") ||
        word == QLatin1String("ja"))
        return QStringLiteral("-1");
    if (word == QLatin1String("false") || word == QLatin1String("falsch") || word == QLatin1String("no") ||
        word == QLatin1String("nein"))
        return QStringLiteral("0");
    return integerText(value);
}

// A column value as the file holds it: numbers with a point and dates as
// ISO text, whatever the user's language, so any installation reads it back.
QString exportText(const DbValue& value)
{
    switch (value.kind) {
    case DbValue::Kind::Null:
    case DbValue::Kind::Blob:
        return QString();
    case DbValue::Kind::Integer:
    case DbValue::Kind::YesNo:
        return QString::number(value.integer);
    case DbValue::Kind::Double:
        return QString::number(value.real, 'g', QLocale::FloatingPointShortest);
    case DbValue::Kind::Date: {
        const QDateTime date = DateText::fromIso(value.text);
        return date.isValid() ? DateText::toIso(date) : value.text.trimmed();
    }
    case DbValue::Kind::Text:
        break;
    }
    return value.text.trimmed();
}

} // namespace

struct SystemTableExchange::Table
{
    QString section;
    QStringList exportColumns; // the file's header, in order
    QString from;              // the export's FROM clause
    QString keyColumn;
    QString insertHead;
    std::vector<Column> columns; // after the key
    QString insertMessage;
    QString deleteMessage;
};

// The statements and messages are those earlier installations use: files go
// both ways between them and this program.
const std::vector<SystemTableExchange::Table>& SystemTableExchange::tables()
{
    static const std::vector<Table> all = {
        {Requirements,
         {"ID", "BERTYP_FALL", "BERTYP_FALL_ALT", "ID_NAEHRSTOFF", "WERT_FORMEL", "AKTIV", "WERT_ALT"},
         QStringLiteral(" FROM T_Bedarf ORDER BY ID"),
         QStringLiteral("ID"),
         QStringLiteral(
             "INSERT INTO T_BEDARF (ID, BERTYP_FALL, BERTYP_FALL_ALT, ID_NAEHRSTOFF, WERT_FORMEL, AKTIV, "
             "WERT_ALT) VALUES ("),
         {{"BERTYP_FALL", Rule::Number, Check::Integer},
          {"BERTYP_FALL_ALT", Rule::Quoted, Check::Text},
          {"ID_NAEHRSTOFF", Rule::Number, Check::Integer},
          {"WERT_FORMEL", Rule::Quoted, Check::Text},
          {"AKTIV", Rule::Number, Check::YesNo},
          {"WERT_ALT", Rule::Quoted, Check::Text}},
         failure(
             "Einfügen in Tabelle T_Bedarf nicht möglich.\nDatensatz ID %1 konnte nicht eingefügt werden."),
         failure(
             "Löschen in Tabelle T_Bedarf nicht möglich.\nDatensatz ID %1 konnte nicht gelöscht werden.")},
        {Feeds,
         {"ID", "ID_FM_TYP", "BEZ_DE", "BEZ_US", "EIGEN", "DEMO_KZ", "DATUM", "HERSTELLER", "DATEN_FEHLEN",
          "HINWEIS", "HINT", "DATUM_BEARBEITET", "AKTIV", "ALT_ID"},
         QStringLiteral(" FROM T_FUTTERMITTEL WHERE EIGEN = 'M' ORDER BY ID"),
         QStringLiteral("ID"),
         QStringLiteral(
             "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DEMO_KZ, DATUM, HERSTELLER, "
             "DATEN_FEHLEN, HINWEIS, HINT, DATUM_BEARBEITET, AKTIV, ALT_ID) VALUES ("),
         {{"ID_FM_TYP", Rule::Number, Check::Integer},
          {"BEZ_DE", Rule::Quoted, Check::Text},
          {"BEZ_US", Rule::Quoted, Check::Text},
          {"EIGEN", Rule::Quoted, Check::Text},
          {"DEMO_KZ", Rule::Quoted, Check::Text},
          {"DATUM", Rule::Quoted, Check::Date},
          {"HERSTELLER", Rule::Quoted, Check::Text},
          {"DATEN_FEHLEN", Rule::Quoted, Check::Text},
          {"HINWEIS", Rule::Quoted, Check::Text},
          {"HINT", Rule::Quoted, Check::Text},
          {"DATUM_BEARBEITET", Rule::Now, Check::Text},
          {"AKTIV", Rule::Number, Check::YesNo},
          {"ALT_ID", Rule::Number, Check::Integer}},
         failure(
             "Einfügen in Tabelle T_Futtermittel nicht möglich.\nDatensatz ID %1 konnte nicht eingefügt werden."),
         failure(
             "Löschen in Tabelle T_Futtermittel nicht möglich.\nDatensatz ID %1 konnte nicht gelöscht werden.")},
        // Only the contents of system feedstuffs travel; the file's ID is
        // not inserted, the database gives each row its own.
        {Contents,
         {"ID", "ID_FM", "ID_NAEHRSTOFF", "MENGE", "AKTIV", "ID_FM_ALT", "QUELLE"},
         QStringLiteral(
             " FROM T_FM_NAEHRSTOFF WHERE ID_FM IN (SELECT ID FROM T_FUTTERMITTEL WHERE EIGEN = 'M') "
             "ORDER BY ID"),
         QStringLiteral("ID_FM"),
         QStringLiteral(
             "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT, QUELLE) VALUES ("),
         {{"ID_NAEHRSTOFF", Rule::Number, Check::Integer},
          {"MENGE", Rule::Decimal, Check::Real},
          {"AKTIV", Rule::Number, Check::YesNo},
          {"ID_FM_ALT", Rule::Number, Check::Integer},
          // Files of earlier versions lack the source: it stays empty.
          {"QUELLE", Rule::Quoted, Check::Text}},
         failure(
             "Einfügen in Tabelle T_FM_Naehrstoff nicht möglich.\nDatensatz ID %1 konnte nicht eingefügt werden."),
         QString()},
        {Nutrients,
         {"ID", "SORT", "KUERZEL_DE", "KUERZEL_US", "ME_DE", "ME_US", "BEZ_DE", "BEZ_US", "KZ_IK",
          "NK_STELLEN", "BERTYP_RELEVANT", "AKTIV"},
         QStringLiteral(" FROM T_NAEHRSTOFFE ORDER BY ID"),
         QStringLiteral("ID"),
         QStringLiteral(
             "INSERT INTO T_NAEHRSTOFFE (ID, SORT, KUERZEL_DE, KUERZEL_US, ME_DE, ME_US, BEZ_DE, BEZ_US, "
             "KZ_IK, NK_STELLEN, BERTYP_RELEVANT, AKTIV ) VALUES ("),
         {{"SORT", Rule::Quoted, Check::Integer},
          {"KUERZEL_DE", Rule::Quoted, Check::Text},
          {"KUERZEL_US", Rule::Quoted, Check::Text},
          {"ME_DE", Rule::Quoted, Check::Text},
          {"ME_US", Rule::Quoted, Check::Text},
          {"BEZ_DE", Rule::Quoted, Check::Text},
          {"BEZ_US", Rule::Quoted, Check::Text},
          {"KZ_IK", Rule::Quoted, Check::Text},
          {"NK_STELLEN", Rule::Quoted, Check::Integer},
          {"BERTYP_RELEVANT", Rule::Number, Check::Integer},
          {"AKTIV", Rule::Number, Check::YesNo}},
         failure(
             "Einfügen in Tabelle T_NAEHRSTOFFE nicht möglich.\nDatensatz ID %1 konnte nicht eingefügt werden."),
         failure(
             "Löschen in Tabelle T_NAEHRSTOFFE nicht möglich.\nDatensatz ID %1 konnte nicht gelöscht werden.")},
        // Earlier installations know neither table and pass their records over.
        {Maxima,
         {"ID", "ID_GATTUNG", "LEBENSPHASE", "ID_NAEHRSTOFF", "WERT", "BEZUG", "BEDINGUNG", "QUELLE",
          "AKTIV"},
         QStringLiteral(" FROM T_HOECHSTWERT ORDER BY ID"),
         QStringLiteral("ID"),
         QStringLiteral("INSERT INTO T_HOECHSTWERT (ID, ID_GATTUNG, LEBENSPHASE, ID_NAEHRSTOFF, WERT, BEZUG, "
                        "BEDINGUNG, QUELLE, AKTIV) VALUES ("),
         {{"ID_GATTUNG", Rule::Number, Check::Integer},
          {"LEBENSPHASE", Rule::Quoted, Check::Text},
          {"ID_NAEHRSTOFF", Rule::Number, Check::Integer},
          {"WERT", Rule::Decimal, Check::Real},
          {"BEZUG", Rule::Quoted, Check::Text},
          {"BEDINGUNG", Rule::Quoted, Check::Text},
          {"QUELLE", Rule::Quoted, Check::Text},
          {"AKTIV", Rule::Number, Check::YesNo}},
         failure(
             "Einfügen in Tabelle T_HOECHSTWERT nicht möglich.\nDatensatz ID %1 konnte nicht eingefügt werden."),
         failure(
             "Löschen in Tabelle T_HOECHSTWERT nicht möglich.\nDatensatz ID %1 konnte nicht gelöscht werden.")},
        {LifeStages,
         {"ID", "ID_FALL", "LEBENSPHASE", "AKTIV"},
         QStringLiteral(" FROM T_FALL_LEBENSPHASE ORDER BY ID"),
         QStringLiteral("ID"),
         QStringLiteral("INSERT INTO T_FALL_LEBENSPHASE (ID, ID_FALL, LEBENSPHASE, AKTIV) VALUES ("),
         {{"ID_FALL", Rule::Number, Check::Integer},
          {"LEBENSPHASE", Rule::Quoted, Check::Text},
          {"AKTIV", Rule::Number, Check::YesNo}},
         failure("Einfügen in Tabelle T_FALL_LEBENSPHASE nicht möglich.\nDatensatz ID %1 konnte nicht "
                 "eingefügt werden."),
         failure("Löschen in Tabelle T_FALL_LEBENSPHASE nicht möglich.\nDatensatz ID %1 konnte nicht "
                 "gelöscht werden.")},
    };
    return all;
}

SystemTableExchange::SystemTableExchange(AppContext& context, Prompt& prompt)
    : m_context(context)
    , m_prompt(prompt)
{
}

bool SystemTableExchange::execute(const QString& sql)
{
    return m_context.db().executeSql(sql);
}

// Export ---------------------------------------------------------------------------

// The rows the export will write; counted only when someone watches.
int SystemTableExchange::exportTotal()
{
    if (!m_progress)
        return 0;
    int total = 0;
    for (const Table& table : tables()) {
        RecordSet rs;
        int count = 0;
        // A count has no order; PostgreSQL refuses one by a column it does not group by.
        const QString from = table.from.left(table.from.lastIndexOf(QLatin1String(" ORDER BY ")));
        if (rs.openRecordset(m_context.db(), QStringLiteral("SELECT COUNT(*) AS N") + from) && !rs.isEof() &&
            rs.getFieldLong(QStringLiteral("N"), count))
            total += count;
    }
    return total;
}

bool SystemTableExchange::collect(std::vector<ExchangeRecord>& records, QString& failedTable)
{
    records.clear();
    failedTable.clear();
    const int total = exportTotal();
    progress(0, total);
    for (const Table& table : tables()) {
        RecordSet rs;
        if (!rs.openRecordset(m_context.db(), QStringLiteral("SELECT ") +
                                                  table.exportColumns.join(QStringLiteral(", ")) +
                                                  table.from)) {
            failedTable = table.section;
            return false;
        }
        for (; !rs.isEof(); rs.moveNext()) {
            if (cancelled())
                return false;
            ExchangeRecord record;
            record.table = table.section;
            for (int c = 0; c < table.exportColumns.size(); ++c)
                record.fields.push_back({table.exportColumns[c], exportText(rs.value(c))});
            records.push_back(std::move(record));
            progress(int(records.size()), std::max(total, int(records.size())));
        }
    }
    return true;
}

bool SystemTableExchange::exportTo(const QString& path)
{
    if (path.trimmed().isEmpty()) {
        m_prompt.message(QStringLiteral("Bitte geben Sie einen Dateinamen an!"), Prompt::Icon::Exclamation);
        return false;
    }
    ExchangeFile file;
    file.path = path;
    QString failedTable;
    if (!collect(file.records, failedTable)) {
        if (failedTable.isEmpty()) {
            m_prompt.message(ExchangeTexts::ExportCancelled.in(m_context.languageCode()),
                             Prompt::Icon::Exclamation);
            return false;
        }
        m_prompt.message(ExchangeTexts::TableUnreadable.in(m_context.languageCode()).arg(failedTable),
                         Prompt::Icon::Error);
        return false;
    }
    const int bad = file.unencodableRecord();
    if (bad >= 0) {
        const ExchangeRecord& record = file.records[size_t(bad)];
        m_prompt.message(ExchangeTexts::CharacterNotExportable.in(m_context.languageCode())
                             .arg(record.table, record.value(QStringLiteral("ID"))),
                         Prompt::Icon::Error);
        return false;
    }
    if (!file.write()) {
        m_prompt.message(ExchangeTexts::ExportFileNotWritten.in(m_context.languageCode()).arg(path),
                         Prompt::Icon::Error);
        return false;
    }
    m_prompt.message(QStringLiteral("Export wurde abgeschlossen!"), Prompt::Icon::Information);
    return true;
}

// Import ---------------------------------------------------------------------------

SystemTableExchange::Outcome SystemTableExchange::importFrom(const QString& path)
{
    m_refusals.clear();
    if (path.trimmed().isEmpty()) {
        m_prompt.message(QStringLiteral("Bitte geben Sie einen Dateinamen an!"), Prompt::Icon::Exclamation);
        return Outcome::NothingChanged;
    }
    ExchangeFile file;
    file.path = path;
    if (!file.read()) {
        m_prompt.message(QStringLiteral("Datei konnte nicht importiert werden!"), Prompt::Icon::Exclamation);
        return Outcome::NothingChanged;
    }
    return importRecords(file.records);
}

SystemTableExchange::Outcome SystemTableExchange::nothingChanged(const QString& why)
{
    m_prompt.message(why + QLatin1Char(' ') + ExchangeTexts::DatabaseNotChanged.in(m_context.languageCode()),
                     Prompt::Icon::Error);
    return Outcome::NothingChanged;
}

void SystemTableExchange::refuse(const QString& message, const QString& key, const QString& reason)
{
    m_refusals << (reason.isEmpty() ? message.arg(key) : message.arg(key) + QLatin1Char('\n') + reason);
}

SystemTableExchange::Outcome SystemTableExchange::importRecords(const std::vector<ExchangeRecord>& records)
{
    m_refusals.clear();
    m_importedFeeds.clear();
    m_skippedContents = 0;
    const QString failed = ExchangeTexts::ImportFailed.in(m_context.languageCode());
    // A copy of the database as it was comes first; without one nothing is imported.
    if (!DatabaseBackup(m_context, m_prompt).writeAutomaticCopy())
        return Outcome::NothingChanged;
    // All or nothing: a cancel or a failure half-way leaves no half-replaced
    // system data behind.
    DbTransaction transaction(m_context.db());
    if (!transaction.isActive())
        return nothingChanged(failed);
    // Two imports must not interleave: each deletes rows and inserts them
    // again under the same keys, and the later one would find its keys taken.
    // On a server, where a transaction locks only the rows it touches, the
    // system feedstuffs' key counter stays locked until this one ends.
    RecordSet held;
    if (!held.openRecordset(m_context.db(),
                            QStringLiteral("SELECT FM_TYP FROM T_FM_KEY WHERE FM_TYP = 'M' FOR UPDATE")))
        return nothingChanged(failed);
    held.closeRecordset();
    const int total = int(records.size());
    int done = 0;
    progress(done, total);
    for (const Table& table : tables()) {
        if (table.section == Feeds && !markOldFeeds())
            return nothingChanged(failed);
        for (const ExchangeRecord& record : records) {
            if (record.table != table.section)
                continue;
            if (cancelled())
                return nothingChanged(ExchangeTexts::ImportCancelled.in(m_context.languageCode()));
            const QString key = record.value(table.keyColumn);
            if (!key.isEmpty() && !importRecord(table, record, key))
                return nothingChanged(failed);
            progress(++done, total);
        }
    }
    // Records of other tables were passed over; the bar still ends full.
    progress(total, total);
    if (!transaction.commit())
        return nothingChanged(failed);

    QStringList report = m_refusals;
    if (m_skippedContents > 0) {
        report
            << ExchangeTexts::ContentsWithoutFeedSkipped.in(m_context.languageCode()).arg(m_skippedContents);
    }
    report << QStringLiteral("Import wurde abgeschlossen!");
    m_prompt.message(report.join(QStringLiteral("\n\n")),
                     m_refusals.isEmpty() ? Prompt::Icon::Information : Prompt::Icon::Exclamation);
    return m_refusals.isEmpty() ? Outcome::Completed : Outcome::CompletedWithRefusals;
}

// Every system feedstuff is marked old; those the file carries get the
// file's names back.
bool SystemTableExchange::markOldFeeds()
{
    return execute(QStringLiteral("UPDATE T_FUTTERMITTEL SET BEZ_DE = BEZ_DE + '(ALT)' WHERE BEZ_DE NOT LIKE "
                                  "'%(ALT)' AND EIGEN = 'M'")) &&
           execute(QStringLiteral("UPDATE T_FUTTERMITTEL SET BEZ_US = BEZ_US + '(OLD)' WHERE BEZ_US NOT LIKE "
                                  "'%(OLD)' AND EIGEN = 'M' "));
}

// The INSERT of a record whose values all passed their checks; false with
// the reason in insert otherwise.
bool SystemTableExchange::checked(const Table& table, const ExchangeRecord& record, const QString& key,
                                  QString& insert)
{
    const std::optional<QString> keyText = integerText(key);
    if (!keyText) {
        insert = ExchangeTexts::KeyNoWholeNumber.in(m_context.languageCode()).arg(table.keyColumn);
        return false;
    }
    insert = table.insertHead + *keyText;
    for (const Column& column : table.columns) {
        const QString name = QString::fromLatin1(column.name);
        const QString value = record.value(name);
        std::optional<QString> checkedValue = value;
        if (!value.isEmpty()) {
            switch (column.check) {
            case Check::Text:
                break;
            case Check::Integer:
                checkedValue = integerText(value);
                break;
            case Check::Real:
                checkedValue = realText(value);
                break;
            case Check::YesNo:
                checkedValue = yesNoText(value);
                break;
            case Check::Date:
                if (!DateText::parse(value))
                    checkedValue.reset();
                break;
            }
        }
        if (!checkedValue) {
            insert = ExchangeTexts::ValueDoesNotFit.in(m_context.languageCode()).arg(value, name);
            return false;
        }
        insert += QStringLiteral(" , ");
        if (column.rule == Rule::Now)
            insert += QStringLiteral("NOW()");
        else if (checkedValue->isEmpty())
            insert += QStringLiteral("NULL");
        else if (column.rule == Rule::Quoted)
            insert += Sql::quote(*checkedValue);
        else
            insert += *checkedValue;
    }
    insert += QLatin1Char(')');
    return true;
}

// One record: refused, failed (both reported, the record's rows as before)
// or replaced. False only when the database can no longer be trusted.
bool SystemTableExchange::importRecord(const Table& table, const ExchangeRecord& record, const QString& key)
{
    QString insert;
    if (!checked(table, record, key, insert)) {
        refuse(table.insertMessage, key, insert);
        return true;
    }
    const QString id = QString::number(key.trimmed().toLongLong());
    if (table.section == Contents) {
        if (!m_importedFeeds.contains(id.toLongLong())) {
            ++m_skippedContents;
            return true;
        }
        if (!execute(insert))
            refuse(table.insertMessage, key);
        return true;
    }
    if (table.section == Feeds) {
        // A practice's own feedstuffs neither come in nor get replaced.
        if (record.value(QStringLiteral("EIGEN"))
                .trimmed()
                .compare(Codes::SystemOwner, Qt::CaseInsensitive) != 0) {
            refuse(table.insertMessage, key,
                   ExchangeTexts::OnlySystemFeedsImported.in(m_context.languageCode()));
            return true;
        }
        RecordSet owner;
        QString eigen;
        if (owner.openRecordset(m_context.db(),
                                QStringLiteral("SELECT EIGEN FROM T_FUTTERMITTEL WHERE ID = ") + id) &&
            !owner.isEof() && owner.getFieldText(QStringLiteral("EIGEN"), eigen) &&
            eigen.trimmed().compare(Codes::SystemOwner, Qt::CaseInsensitive) != 0) {
            refuse(table.insertMessage, key, ExchangeTexts::KeyOfOwnFeed.in(m_context.languageCode()));
            return true;
        }
    }

    // Delete and insert stand or fall together: a failed INSERT must not
    // leave the old row deleted.
    if (!execute(QStringLiteral("SAVEPOINT ") + Savepoint))
        return false;
    bool done = true;
    if (table.section == Feeds &&
        !execute(QStringLiteral("DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM = ") + id)) {
        refuse(
            failure(
                "Löschen in Tabelle T_FM_NAEHRSTOFF nicht möglich.\nDatensatz FM_ID %1 konnte nicht gelöscht "
                "werden."),
            key);
        done = false;
    }
    if (done &&
        !execute(QStringLiteral("DELETE FROM ") + table.section + QStringLiteral(" WHERE ID = ") + id)) {
        refuse(table.deleteMessage, key);
        done = false;
    }
    if (done && !execute(insert)) {
        refuse(table.insertMessage, key);
        done = false;
    }
    if (!done && !execute(QStringLiteral("ROLLBACK TO ") + Savepoint))
        return false;
    if (!execute(QStringLiteral("RELEASE ") + Savepoint))
        return false;
    if (done && table.section == Feeds)
        m_importedFeeds.insert(id.toLongLong());
    return true;
}
