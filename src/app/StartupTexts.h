#pragma once

#include "core/Lang.h"

// What the program says while it starts: opening the database, its settings,
// the upgrade of an older one, the language.
namespace StartupTexts {

inline constexpr Lang::Text ConnectionNotInitialised{
    "ADO konnte nicht initialisiert werden. Mensoly wird beendet!", "ADO initialise failed!"};
inline constexpr Lang::Text DbOpenFailedWithReason{"Datenbank konnte nicht geöffnet werden: %1\n%2",
                                                   "DB open failed: %1\n%2"};
inline constexpr Lang::Text DbOpenFailed{"Datenbank konnte nicht geöffnet werden.", "DB open failed."};
inline constexpr Lang::Text FileSchemaNewer{
    "Die Datenbankdatei %1 ist von einer neueren Programmversion (Schemaversion %2, dieses Programm kennt %3). Bitte verwenden Sie die neue Version von Mensoly. Mensoly wird beendet!",
    "The database file %1 belongs to a newer version of the program (schema version %2, this program knows %3). Please use the new version of Mensoly. Mensoly is ending!"};
inline constexpr Lang::Text ServerHasNoTables{
    "Die Datenbank %1 enthält keine Tabellen von Mensoly. Legen Sie sie einmal mit „mensoly-cli initdb --postgresql \"<Verbindung>\"“ an oder übertragen Sie die Datenbankdatei der Praxis mit „mensoly-cli migrate --to \"<Verbindung>\"“. Mensoly wird beendet!",
    "The database %1 holds none of Mensoly's tables. Create them once with \"mensoly-cli initdb --postgresql \"<connection>\"\" or copy the practice's database file there with \"mensoly-cli migrate --to \"<connection>\"\". Mensoly is ending!"};
inline constexpr Lang::Text FileNotMensolyDatabase{
    "%1 ist keine Mensoly-Datenbank. Legen Sie mit „mensoly-cli initdb“ eine neue an oder legen Sie die Datenbankdatei der Praxis an diese Stelle; eine auf einen Server übertragene Datenbank (mensoly-cli migrate) wird in Mensoly.ini eingetragen. Mensoly wird beendet!",
    "%1 is not a Mensoly database. Create a new one with \"mensoly-cli initdb\" or put the practice's database file in its place; a database moved to a server (mensoly-cli migrate) is named in Mensoly.ini. Mensoly is ending!"};
inline constexpr Lang::Text ServerEncodingNotUtf8{
    "Die Datenbank auf dem Server ist mit der Zeichenkodierung %1 angelegt. Mensoly braucht UTF-8: Die Datenbank muss mit „CREATE DATABASE … ENCODING 'UTF8'“ angelegt sein. Mensoly wird beendet!",
    "The database on the server was created with the encoding %1. Mensoly needs UTF-8: create the database with \"CREATE DATABASE ... ENCODING 'UTF8'\". Mensoly is ending!"};
inline constexpr Lang::Text ServerSchemaNewer{
    "Die Datenbank auf dem Server ist von einer neueren Programmversion (Schemaversion %1, dieses Programm kennt %2). Bitte installieren Sie die neue Version von Mensoly auf diesem Arbeitsplatz.",
    "The database on the server belongs to a newer version of the program (schema version %1, this program knows %2). Please install the new version of Mensoly on this workstation."};
inline constexpr Lang::Text ServerSchemaOlder{
    "Die Datenbank auf dem Server hat die Schemaversion %1, dieses Programm braucht Version %2. Der Eigentümer der Tabellen aktualisiert sie einmal mit „mensoly-cli upgrade“ im Datenverzeichnis; danach arbeiten alle Arbeitsplätze mit der neuen Version.",
    "The database on the server has schema version %1, this program needs version %2. The owner of the tables upgrades it once with \"mensoly-cli upgrade\" in the data directory; then every workstation of the new version works with it."};
inline constexpr Lang::Text ServerConnectionLost{
    "Die Verbindung zum Datenbankserver ist unterbrochen. Die Daten im Fenster bleiben erhalten; die Verbindung wird bei der nächsten Aktion wieder aufgenommen.",
    "The connection to the database server was lost. What the window shows is kept; the connection is taken up again at the next action."};
inline constexpr Lang::Text SettingsUnreadable{"%1 kann nicht gelesen werden. Mensoly wird beendet!",
                                               "%1 cannot be read. Mensoly is ending!"};
inline constexpr Lang::Text UnknownBackend{
    "Unbekannte Datenbank in %1: Backend=%2. Erlaubt sind sqlite und postgresql. Mensoly wird beendet!",
    "Unknown database in %1: Backend=%2. Allowed are sqlite and postgresql. Mensoly is ending!"};
inline constexpr Lang::Text ServerConnectionUnreadable{
    "Die Verbindung zur PostgreSQL-Datenbank (Connection= in %1) ist nicht lesbar: %2 Mensoly wird beendet!",
    "The connection to the PostgreSQL database (Connection= in %1) cannot be read: %2 Mensoly is ending!"};
inline constexpr Lang::Text ConnectionEmpty{"sie ist leer.", "it is empty."};
inline constexpr Lang::Text PasswordInSettings{
    "%1 darf kein Passwort enthalten (password= in Connection=). Bitte tragen Sie das Passwort in die Datei .pgpass ein. Mensoly wird beendet!",
    "%1 must not hold a password (password= in Connection=). Please put the password into the .pgpass file. Mensoly is ending!"};

inline constexpr Lang::Text DataDirectoryMissing{
    "Das Datenverzeichnis %1 gibt es nicht. Bitte geben Sie bei --data-dir ein vorhandenes Verzeichnis an.",
    "The data directory %1 does not exist. Please give an existing directory after --data-dir."};
inline constexpr Lang::Text DataDirectoryNotCreated{
    "Das Datenverzeichnis %1 konnte nicht angelegt werden. Bitte prüfen Sie die Schreibrechte oder geben Sie mit --data-dir ein anderes Verzeichnis an.",
    "The data directory %1 could not be created. Please check the write permissions or give another directory with --data-dir."};
inline constexpr Lang::Text DatabaseNotCreated{"Die Datenbank %1 konnte nicht angelegt werden: %2",
                                               "The database %1 could not be created: %2"};
inline constexpr Lang::Text DataDirectoryNotEntered{
    "In das Datenverzeichnis %1 kann nicht gewechselt werden. Bitte prüfen Sie die Zugriffsrechte.",
    "Cannot change into the data directory %1. Please check the access permissions."};

} // namespace StartupTexts
