#include "exchange/SystemTableExchange.h"

#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString Nothing = QStringLiteral("Die Datenbank wurde nicht verändert.");
const QString Done = QStringLiteral("Import wurde abgeschlossen!");

// The records the export collects, without what an import does not carry:
// the time of the last edit and the content rows' own ids.
std::vector<ExchangeRecord> comparable(TestDatabase& db)
{
    RecordingPrompt prompt;
    SystemTableExchange exchange(db.context(), prompt);
    std::vector<ExchangeRecord> records;
    QString failed;
    EXPECT_TRUE(exchange.collect(records, failed)) << failed.toStdString();
    for (ExchangeRecord& record : records) {
        for (ExchangeField& field : record.fields) {
            if (field.name == QLatin1String("DATUM_BEARBEITET") ||
                (record.table == QLatin1String("T_FM_NAEHRSTOFF") && field.name == QLatin1String("ID")))
                field.value.clear();
        }
    }
    return records;
}

// Everything an import may touch, for "nothing changed".
QStringList snapshot(TestDatabase& db)
{
    QStringList rows;
    for (const char* table : {"T_BEDARF", "T_FUTTERMITTEL", "T_FM_NAEHRSTOFF", "T_NAEHRSTOFFE"})
        rows << db.rawRows(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(QLatin1String(table)));
    return rows;
}

TEST(SystemTableExchangeTest, ShippedDataRoundTripsThroughAFile)
{
    // The same file whatever the user's language; a note with a line break,
    // a tab and a backslash and a euro sign travel too.
    RecordingPrompt prompt;
    QByteArray files[2];
    TestDatabase shipped(TestDatabase::Data::Shipped);
    TestDatabase english(TestDatabase::Data::Shipped, QStringLiteral("US"));
    TestDatabase* sources[] = {&shipped, &english};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(
            sources[i]->rawExec(QString::fromUtf8("UPDATE T_FUTTERMITTEL SET HINWEIS = 'Zeile 1\r\na\tb\\c', "
                                                  "HERSTELLER = 'Preis 5 €' WHERE ID = 2")));
        SystemTableExchange exchange(sources[i]->context(), prompt);
        ASSERT_TRUE(exchange.exportTo(sources[i]->directory() + QStringLiteral("/system.txt")));
        EXPECT_EQ(prompt.lastText(), QStringLiteral("Export wurde abgeschlossen!"));
        QFile file(sources[i]->directory() + QStringLiteral("/system.txt"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        files[i] = file.readAll();
    }
    EXPECT_EQ(files[0], files[1]);
    const QString path = shipped.directory() + QStringLiteral("/system.txt");

    TestDatabase empty(TestDatabase::Data::Empty);
    SystemTableExchange importer(empty.context(), prompt);
    EXPECT_EQ(importer.importFrom(path), SystemTableExchange::Outcome::Completed)
        << prompt.lastText().toStdString();
    EXPECT_EQ(prompt.lastText(), Done);
    const auto expected = comparable(shipped);
    ASSERT_GT(expected.size(), 8000u);
    EXPECT_TRUE(comparable(empty) == expected);
    EXPECT_EQ(empty.rawValue("SELECT HINWEIS FROM T_FUTTERMITTEL WHERE ID = 2"), "Zeile 1\r\na\tb\\c");

    // Imported again: the same data, and no name keeps its mark.
    EXPECT_EQ(importer.importFrom(path), SystemTableExchange::Outcome::Completed);
    EXPECT_TRUE(comparable(empty) == expected);
}

TEST(SystemTableExchangeTest, AFileWithoutSectionsMarksEverySystemFeedstuffOld)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec("INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, BEZ_US, EIGEN, AKTIV) "
                           "VALUES (20000, 'Eigen', 'Own', 'U', -1)"));
    RecordingPrompt prompt;
    SystemTableExchange exchange(db.context(), prompt);
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ(exchange.importRecords({}), SystemTableExchange::Outcome::Completed);
    EXPECT_EQ(db.rawValue("SELECT BEZ_DE || ' ' || BEZ_US FROM T_FUTTERMITTEL WHERE ID = 1"),
              "Rinderhackfleisch, 5 % Fett, roh(ALT) Beef, ground, 5% fat, raw(OLD)");
    EXPECT_EQ(db.rawValue("SELECT BEZ_DE || ' ' || BEZ_US FROM T_FUTTERMITTEL WHERE ID = 20000"),
              "Eigen Own");
}

struct Refusal
{
    const char* what;
    ExchangeRecord record;
    const char* message; // what the report says
};

TEST(SystemTableExchangeTest, RefusesBadKeysNumbersAndThePracticesOwnFeedstuffs)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec("INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, BEZ_US, EIGEN, AKTIV) "
                           "VALUES (20000, 'Eigen', 'Own', 'U', -1)"));
    ASSERT_TRUE(db.rawExec(
        "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (20000, 1, 5, -1)"));
    // As an earlier installation wrote it: a German date, yes as a word.
    const ExchangeRecord feed{
        "T_FUTTERMITTEL",
        {{"ID", "1"}, {"BEZ_DE", "Neu"}, {"EIGEN", "M"}, {"DATUM", "24.12.2003"}, {"AKTIV", "Wahr"}}};
    // In the order the import steps go through the tables.
    const Refusal refusals[] = {
        {"an injected key",
         {"T_BEDARF", {{"ID", "1 OR 1=1"}, {"AKTIV", "-1"}}},
         "Datensatz ID 1 OR 1=1 konnte nicht"},
        {"a statement in a number",
         {"T_BEDARF", {{"ID", "1"}, {"BERTYP_FALL", "1); DELETE FROM T_BEDARF; --"}}},
         "Der Wert \"1); DELETE FROM T_BEDARF; --\" in BERTYP_FALL"},
        {"a date that is none",
         {"T_FUTTERMITTEL", {{"ID", "3"}, {"EIGEN", "M"}, {"DATUM", "gestern"}}},
         "in DATUM"},
        {"a practice's feedstuff in the file",
         {"T_FUTTERMITTEL", {{"ID", "20001"}, {"EIGEN", "U"}}},
         "Nur Systemfuttermittel"},
        {"a system record over a practice's feedstuff",
         {"T_FUTTERMITTEL", {{"ID", "20000"}, {"EIGEN", "M"}}},
         "eigenes Futtermittel der Praxis"},
        {"a bad amount",
         {"T_FM_NAEHRSTOFF", {{"ID_FM", "1"}, {"ID_NAEHRSTOFF", "2"}, {"MENGE", "12x"}}},
         "in MENGE passt nicht"},
        {"a key in a quoted number column",
         {"T_NAEHRSTOFFE", {{"ID", "1"}, {"SORT", "erst"}}},
         "in SORT passt nicht"},
        {"an INSERT the database refuses (AKTIV is never NULL)",
         {"T_NAEHRSTOFFE", {{"ID", "2"}, {"BEZ_DE", "Neu"}}},
         "Einfügen in Tabelle T_NAEHRSTOFFE nicht möglich.\nDatensatz ID 2 konnte nicht eingefügt werden."},
    };
    std::vector<ExchangeRecord> records = {feed};
    for (const Refusal& r : refusals)
        records.push_back(r.record);
    // Contents of a feedstuff of the file come in, with a decimal comma, with
    // their source or, from an earlier installation's file, without; others
    // do not.
    records.push_back(
        {"T_FM_NAEHRSTOFF", {{"ID_FM", "1"}, {"ID_NAEHRSTOFF", "7"}, {"MENGE", "12,5"}, {"AKTIV", "-1"}}});
    records.push_back({"T_FM_NAEHRSTOFF",
                       {{"ID_FM", "1"},
                        {"ID_NAEHRSTOFF", "8"},
                        {"MENGE", "1"},
                        {"AKTIV", "-1"},
                        {"QUELLE", "O'Brien'); DELETE FROM T_BEDARF; --"}}});
    records.push_back({"T_FM_NAEHRSTOFF", {{"ID_FM", "20000"}, {"ID_NAEHRSTOFF", "7"}, {"MENGE", "1"}}});

    const QString before = db.rawRows("SELECT * FROM T_BEDARF ORDER BY ID").join('\n');
    const QString nutrientTwo = db.rawValue("SELECT BEZ_DE FROM T_NAEHRSTOFFE WHERE ID = 2");
    RecordingPrompt prompt;
    SystemTableExchange exchange(db.context(), prompt);
    EXPECT_EQ(exchange.importRecords(records), SystemTableExchange::Outcome::CompletedWithRefusals);
    ASSERT_EQ(exchange.refusals().size(), qsizetype(std::size(refusals)));
    for (size_t i = 0; i < std::size(refusals); ++i)
        EXPECT_TRUE(exchange.refusals()[qsizetype(i)].contains(QString::fromUtf8(refusals[i].message)))
            << refusals[i].what << ": " << exchange.refusals()[qsizetype(i)].toStdString();
    // One report at the end.
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_TRUE(
        prompt.lastText().endsWith(QStringLiteral("1 Nährstoffgehalte gehören zu keinem Futtermittel der "
                                                  "Datei und wurden übergangen.\n\n") +
                                   Done));

    EXPECT_EQ(db.rawRows("SELECT * FROM T_BEDARF ORDER BY ID").join('\n'), before);
    EXPECT_EQ(db.rawRows("SELECT BEZ_DE, DATUM, AKTIV FROM T_FUTTERMITTEL WHERE ID = 1"),
              QStringList{"Neu\t2003-12-24\t-1"});
    EXPECT_EQ(
        db.rawRows("SELECT ID_NAEHRSTOFF, MENGE, QUELLE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 1 ORDER BY 1"),
        (QStringList{"7\t12.5\tNULL", "8\t1.0\tO'Brien'); DELETE FROM T_BEDARF; --"}));
    EXPECT_EQ(db.rawRows("SELECT BEZ_DE, EIGEN FROM T_FUTTERMITTEL WHERE ID IN (20000, 20001)"),
              QStringList{"Eigen\tU"});
    EXPECT_EQ(db.rawRows("SELECT ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = 20000"),
              QStringList{"1\t5.0"});
    // A failed INSERT takes its DELETE back.
    EXPECT_EQ(db.rawValue("SELECT BEZ_DE FROM T_NAEHRSTOFFE WHERE ID = 2"), nutrientTwo);
    // The feedstuff whose date was refused kept its old row and contents, marked old.
    EXPECT_TRUE(db.rawValue("SELECT BEZ_DE FROM T_FUTTERMITTEL WHERE ID = 3").endsWith("(ALT)"));
    EXPECT_NE(db.rawValue("SELECT COUNT(*) FROM T_FM_NAEHRSTOFF WHERE ID_FM = 3"), "0");
}

TEST(SystemTableExchangeTest, AFailureOrCancelHalfWayLeavesTheDatabaseAsBefore)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const std::vector<ExchangeRecord> records = {
        {"T_BEDARF", {{"ID", "1"}, {"WERT_FORMEL", "1"}, {"AKTIV", "-1"}}},
        {"T_FUTTERMITTEL", {{"ID", "1"}, {"BEZ_DE", "Neu"}, {"EIGEN", "M"}, {"AKTIV", "-1"}}},
        {"T_NAEHRSTOFFE", {{"ID", "1"}, {"BEZ_DE", "Neu"}, {"AKTIV", "-1"}}}};
    const QStringList before = snapshot(db);
    RecordingPrompt prompt;
    SystemTableExchange exchange(db.context(), prompt);

    int asked = 0;
    exchange.setCancelCheck([&asked] { return ++asked == 3; });
    EXPECT_EQ(exchange.importRecords(records), SystemTableExchange::Outcome::NothingChanged);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Import abgebrochen. ") + Nothing);
    EXPECT_TRUE(snapshot(db) == before);

    // The second marking update fails after the requirement rows and the
    // German names were already changed.
    exchange.setCancelCheck({});
    ASSERT_TRUE(db.addTrigger("no_old", "BEFORE UPDATE OF BEZ_US", "T_FUTTERMITTEL"));
    EXPECT_EQ(exchange.importRecords(records), SystemTableExchange::Outcome::NothingChanged);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Import fehlgeschlagen. ") + Nothing);
    EXPECT_TRUE(snapshot(db) == before);

    EXPECT_EQ(exchange.importFrom(db.directory() + QStringLiteral("/missing.txt")),
              SystemTableExchange::Outcome::NothingChanged);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Datei konnte nicht importiert werden!"));
    EXPECT_EQ(exchange.importFrom(QStringLiteral(" ")), SystemTableExchange::Outcome::NothingChanged);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Bitte geben Sie einen Dateinamen an!"));
}

TEST(SystemTableExchangeTest, ProgressCountsRecordsAndExportCanBeCancelled)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    RecordingPrompt prompt;
    SystemTableExchange exchange(db.context(), prompt);
    std::vector<std::pair<int, int>> steps;
    exchange.setProgress([&steps](int done, int total) { steps.emplace_back(done, total); });
    const QString path = db.directory() + QStringLiteral("/system.txt");
    ASSERT_TRUE(exchange.exportTo(path));
    const int total = steps.back().second;
    EXPECT_EQ(steps.size(), size_t(total) + 1);
    EXPECT_EQ(steps.back(), std::make_pair(total, total));

    exchange.setCancelCheck([] { return true; });
    EXPECT_FALSE(exchange.exportTo(path + QStringLiteral("2")));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Export abgebrochen. Es wurde keine Datei geschrieben."));
}

TEST(SystemTableExchangeTest, ExportRefusesACharacterTheFileCannotHold)
{
    TestDatabase db(TestDatabase::Data::Shipped, QStringLiteral("US"));
    ASSERT_TRUE(db.rawExec(QString::fromUtf8("UPDATE T_FUTTERMITTEL SET BEZ_US = 'Ω-3 oil' WHERE ID = 5")));
    RecordingPrompt prompt;
    SystemTableExchange exchange(db.context(), prompt);
    const QString path = db.directory() + QStringLiteral("/system.txt");
    EXPECT_FALSE(exchange.exportTo(path));
    EXPECT_TRUE(prompt.lastText().startsWith("Export not possible: table T_FUTTERMITTEL, record ID 5 "));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(exchange.exportTo(db.directory() + QStringLiteral("/no/such/folder/system.txt")));
}

} // namespace
