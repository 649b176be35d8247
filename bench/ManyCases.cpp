#include "ManyCases.h"

#include "db/DatabaseCreator.h"
#include "db/SqliteBackend.h"

#include <sqlite3.h>

namespace {

const char* const Owners[] = {
    "Müller",   "Mühlbauer", "Schäfer", "Köhler",     "Schmidt", "Schneider", "Fischer", "Weber",    "Meyer",
    "Wagner",   "Becker",    "Schulz",  "Hoffmann",   "Koch",    "Bauer",     "Richter", "Klein",    "Wolf",
    "Schröder", "Neumann",   "O'Neil",  "Zimmermann", "Braun",   "Krüger",    "Hofmann", "Hartmann", "Lange",
    "Schmitt",  "Werner",    "Schmitz", "Krause",     "Meier",   "Lehmann",   "Schmid",  "Schulze"};
const char* const Patients[] = {"Bello",  "Minka", "Rex",  "Luna",  "Balu",  "Kira", "Felix",
                                "Mia",    "Rocky", "Nala", "Sammy", "Lucy",  "Max",  "Bella",
                                "Charly", "Emma",  "Leo",  "Paula", "Oskar", "Lilly"};
const char* const Titles[] = {"Erhaltung", "Wachstum", "Nierendiät", "Reduktion",    "Laktation",
                              "Kontrolle", "Allergie", "Senior",     "Minka's Diät", "Leberdiät"};

template <size_t N> const char* pick(const char* const (&list)[N], int i)
{
    return list[size_t(i) % N];
}

} // namespace

namespace ManyCases {

bool add(sqlite3* db, int count)
{
    sqlite3_stmt* insertCase = nullptr;
    if (sqlite3_prepare_v2(
            db,
            "INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
            "Gewicht_akt, Energie, Rippen, Rezepttitel, Datum, Bemerkung) "
            "VALUES (1, ?, ?, ?, ?, 7, 20, 100, '0', ?, ?, ' ')",
            -1, &insertCase, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        // Owners repeat with a number, as many cases share a family name.
        const QByteArray owner =
            (QString::fromUtf8(pick(Owners, i * 7)) + QStringLiteral(" %1").arg(i % 997)).toUtf8();
        const QByteArray patient = QByteArray(pick(Patients, i * 13 + i / 20));
        const QByteArray title = QByteArray(pick(Titles, i * 3 + i / 7));
        const QByteArray date = QStringLiteral("20%1-%2-%3 10:00:00")
                                    .arg(10 + i % 15)
                                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                    .toUtf8();
        sqlite3_bind_text(insertCase, 1, owner.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insertCase, 2, patient.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insertCase, 3, 2 + i % 2);
        sqlite3_bind_int(insertCase, 4, 1 + i % 2);
        sqlite3_bind_text(insertCase, 5, title.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insertCase, 6, date.constData(), -1, SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(insertCase) == SQLITE_DONE;
        sqlite3_reset(insertCase);
    }
    sqlite3_finalize(insertCase);
    return ok;
}

bool create(const QString& path, int count, QString* error, DatabaseCreator::Contents contents)
{
    if (!DatabaseCreator::create(path, error, contents))
        return false;
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK &&
              SqliteBackend::installCollation(db) &&
              sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK && add(db, count) &&
              sqlite3_exec(db, "COMMIT; ANALYZE;", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok && error)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    return ok;
}

} // namespace ManyCases
