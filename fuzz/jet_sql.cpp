// The Jet SQL tokenizer and translator on arbitrary statements, and on
// statements that carry arbitrary user text through Sql::quote.

#include "db/JetSqlTokenizer.h"
#include "db/JetSqlTranslator.h"
#include "db/SchemaInfo.h"
#include "db/SqlQuote.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The columns of the case table, as the connection learns them from the schema.
const SchemaInfo& caseSchema()
{
    static const SchemaInfo schema = [] {
        SchemaInfo info;
        using Kind = SchemaInfo::ColumnKind;
        const QString table = QStringLiteral("T_PAT_REZ");
        info.addColumn(table, QStringLiteral("ID"), Kind::Number);
        info.addColumn(table, QStringLiteral("Name_Besitzer"), Kind::Text);
        info.addColumn(table, QStringLiteral("Name_Pat"), Kind::Text);
        info.addColumn(table, QStringLiteral("Rezepttitel"), Kind::Text);
        info.addColumn(table, QStringLiteral("Geburtsdatum"), Kind::Date);
        info.addColumn(table, QStringLiteral("Datum"), Kind::Date);
        info.addColumn(QStringLiteral("T_FUTTERMITTEL"), QStringLiteral("AKTIV"), Kind::YesNo);
        return info;
    }();
    return schema;
}

// An in-memory database with the case table: statements are prepared here,
// never run, except the single SELECT of a quoted text.
sqlite3* database()
{
    static sqlite3* db = [] {
        sqlite3* handle = nullptr;
        if (sqlite3_open(":memory:", &handle) != SQLITE_OK ||
            sqlite3_exec(
                handle,
                "CREATE TABLE T_PAT_REZ (ID INTEGER PRIMARY KEY, Name_Besitzer VARCHAR(255), "
                "Name_Pat VARCHAR(255), Rezepttitel VARCHAR(255), Geburtsdatum DATE, Datum DATETIME)",
                nullptr, nullptr, nullptr) != SQLITE_OK)
            std::abort();
        return handle;
    }();
    return db;
}

// A translated statement is one statement for SQLite too: whatever follows
// it would run unseen.
void checkSingleStatement(const QString& sqlite)
{
    const QByteArray utf8 = sqlite.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(database(), utf8.constData(), int(utf8.size()), &statement, &tail) == SQLITE_OK) {
        for (; tail && tail < utf8.constData() + utf8.size(); ++tail) {
            if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
                std::abort();
        }
    }
    sqlite3_finalize(statement);
}

// A quoted text reads back from SQLite exactly as it was given.
void checkQuotedTextReadsBack(const QString& text)
{
    const std::optional<QString> sql =
        JetSqlTranslator(&caseSchema()).toSqlite(QStringLiteral("SELECT ") + Sql::quote(text));
    if (!sql)
        std::abort();
    const QByteArray utf8 = sql->toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database(), utf8.constData(), int(utf8.size()), &statement, nullptr) !=
            SQLITE_OK ||
        sqlite3_step(statement) != SQLITE_ROW)
        std::abort();
    const QString value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                                            sqlite3_column_bytes(statement, 0));
    sqlite3_finalize(statement);
    if (value != text)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    QString joined;
    for (const SqlToken& token : tokenizeJetSql(text))
        joined += token.text;
    if (joined != text)
        std::abort();

    if (const std::optional<QString> plain = JetSqlTranslator().toSqlite(text))
        checkSingleStatement(*plain);
    if (const std::optional<QString> typed = JetSqlTranslator(&caseSchema()).toSqlite(text))
        checkSingleStatement(*typed);

    // The PostgreSQL dialect reads the same tokens further (operands of "&"
    // and LIKE): it must neither crash nor hang.
    (void)JetSqlTranslator(&caseSchema(), SqlDialect::PostgreSql).translate(text);

    checkQuotedTextReadsBack(text);
    return 0;
}
