-- The database of the program, one file per data directory.
-- Conventions:
--   * ID columns are integer primary keys: an insert without ID gets a new key.
--   * Yes/no columns (BOOLEAN) hold -1 for yes and 0 for no.
--   * Dates (DATE, DATETIME) are ISO-8601 text, so they sort and compare.
--   * Texts compare case-insensitively (COLLATE NOCASE; the program's
--     connection makes that collation know umlauts).
-- PRAGMA user_version holds the schema version; see SchemaVersion in src/db.

-- Settings
CREATE TABLE T_MSYV3SEC (
    ID      INTEGER PRIMARY KEY,
    Sprache VARCHAR(2) COLLATE NOCASE
);

-- Look-ups
CREATE TABLE T_GATTUNG (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(50) COLLATE NOCASE,
    BEZ_US VARCHAR(50) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_GESCHLECHT (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(50) COLLATE NOCASE,
    BEZ_US VARCHAR(50) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_ANREDE (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(50) COLLATE NOCASE,
    BEZ_US VARCHAR(50) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_RASSE (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(100) COLLATE NOCASE,
    BEZ_US VARCHAR(100) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_TEXT (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE TEXT COLLATE NOCASE,
    BEZ_US TEXT COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);

-- Case types and requirements
CREATE TABLE T_FALL (
    ID            INTEGER PRIMARY KEY,
    BEZ_DE        VARCHAR(100) COLLATE NOCASE,
    BEZ_US        VARCHAR(100) COLLATE NOCASE,
    ID_GATTUNG    INTEGER,
    ID_GESCHLECHT INTEGER,
    BerTyp        INTEGER,
    AKTIV         BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_FALL_KAT (
    ID              INTEGER PRIMARY KEY,
    ID_FALL         INTEGER,
    ID_FM_Kategorie INTEGER,
    AKTIV           BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_FALL_NAEHRSTOFF (
    ID            INTEGER PRIMARY KEY,
    ID_FALL       INTEGER,
    ID_Naehrstoff INTEGER,
    FIXED         BOOLEAN NOT NULL DEFAULT 0,
    AKTIV         BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_BEDARF (
    ID              INTEGER PRIMARY KEY,
    BERTYP_FALL     INTEGER,
    BERTYP_FALL_ALT VARCHAR(50) COLLATE NOCASE,
    ID_NAEHRSTOFF   INTEGER,
    WERT_FORMEL     TEXT COLLATE NOCASE,
    AKTIV           BOOLEAN NOT NULL DEFAULT 0,
    WERT_ALT        VARCHAR(255) COLLATE NOCASE
);
-- Upper limits of a nutrient's concentration in the ration, per species and
-- life stage ('A' adult, 'W' growth, 'R' reproduction; empty: every stage).
-- BEZUG says what WERT, in the nutrient's unit, is given per: 'kcal' per
-- 1000 kcal ME, 'TS' per 100 g dry matter, 'V' the indicator's own figure (a
-- ratio). A row whose BEDINGUNG (a requirement formula) gives 0 for the case
-- does not apply; an empty one always does.
CREATE TABLE T_HOECHSTWERT (
    ID            INTEGER PRIMARY KEY,
    ID_GATTUNG    INTEGER,
    LEBENSPHASE   VARCHAR(1) COLLATE NOCASE,
    ID_NAEHRSTOFF INTEGER,
    WERT          DOUBLE,
    BEZUG         VARCHAR(4) COLLATE NOCASE,
    BEDINGUNG     TEXT COLLATE NOCASE,
    QUELLE        VARCHAR(255) COLLATE NOCASE,
    AKTIV         BOOLEAN NOT NULL DEFAULT 0
);
-- The life stage of each case type, which picks its rows of T_HOECHSTWERT.
CREATE TABLE T_FALL_LEBENSPHASE (
    ID          INTEGER PRIMARY KEY,
    ID_FALL     INTEGER,
    LEBENSPHASE VARCHAR(1) COLLATE NOCASE,
    AKTIV       BOOLEAN NOT NULL DEFAULT 0
);

-- Nutrients and feedstuffs
CREATE TABLE T_NAEHRSTOFFE (
    ID              INTEGER PRIMARY KEY,
    SORT            INTEGER,
    KUERZEL_DE      VARCHAR(50) COLLATE NOCASE,
    KUERZEL_US      VARCHAR(50) COLLATE NOCASE,
    ME_DE           VARCHAR(20) COLLATE NOCASE,
    ME_US           VARCHAR(20) COLLATE NOCASE,
    BEZ_DE          VARCHAR(100) COLLATE NOCASE,
    BEZ_US          VARCHAR(100) COLLATE NOCASE,
    KZ_IK           VARCHAR(1) COLLATE NOCASE,
    NK_STELLEN      INTEGER,
    BERTYP_RELEVANT INTEGER,
    AKTIV           BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_FUTTERMITTEL (
    ID               INTEGER PRIMARY KEY,
    ID_FM_TYP        INTEGER,
    BEZ_DE           VARCHAR(255) COLLATE NOCASE,
    BEZ_US           VARCHAR(255) COLLATE NOCASE,
    EIGEN            VARCHAR(1) COLLATE NOCASE,
    DEMO_KZ          VARCHAR(10) COLLATE NOCASE,
    DATUM            DATE,
    HERSTELLER       VARCHAR(255) COLLATE NOCASE,
    DATEN_FEHLEN     VARCHAR(255) COLLATE NOCASE,
    HINWEIS          TEXT COLLATE NOCASE,
    HINT             TEXT COLLATE NOCASE,
    DATUM_BEARBEITET DATETIME,
    AKTIV            BOOLEAN NOT NULL DEFAULT 0,
    ALT_ID           INTEGER,
    SORT_BEZ_DE      BLOB,
    SORT_BEZ_US      BLOB
);
-- The ration page's feedstuff list reads its rows page by page in name order,
-- without or with a type. SQLite keeps that order in the names' sort keys
-- (SORT_ columns, filled by the program); PostgreSQL sorts the names
-- themselves under their collation and has no SORT_ columns.
CREATE INDEX IF NOT EXISTS IX_FUTTERMITTEL_BEZ_DE ON T_FUTTERMITTEL (SORT_BEZ_DE);
CREATE INDEX IF NOT EXISTS IX_FUTTERMITTEL_BEZ_US ON T_FUTTERMITTEL (SORT_BEZ_US);
CREATE INDEX IF NOT EXISTS IX_FUTTERMITTEL_TYP_BEZ_DE ON T_FUTTERMITTEL (ID_FM_TYP, SORT_BEZ_DE);
CREATE INDEX IF NOT EXISTS IX_FUTTERMITTEL_TYP_BEZ_US ON T_FUTTERMITTEL (ID_FM_TYP, SORT_BEZ_US);
CREATE TABLE T_FM_NAEHRSTOFF (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    ID_FM         INTEGER,
    ID_NAEHRSTOFF INTEGER,
    MENGE         DOUBLE,
    AKTIV         BOOLEAN NOT NULL DEFAULT 0,
    ID_FM_ALT     INTEGER,
    QUELLE        VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX IX_FM_NAEHRSTOFF_FM ON T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF);
CREATE TABLE T_FM_KAT (
    ID              INTEGER PRIMARY KEY,
    ID_FM           INTEGER,
    ID_FM_KATEGORIE INTEGER,
    AKTIV           BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX IX_FM_KAT_FM ON T_FM_KAT (ID_FM);
CREATE INDEX IX_FM_KAT_KATEGORIE ON T_FM_KAT (ID_FM_KATEGORIE);
CREATE TABLE T_KATEGORIEN (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(100) COLLATE NOCASE,
    BEZ_US VARCHAR(100) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_FM_TYP (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(100) COLLATE NOCASE,
    BEZ_US VARCHAR(100) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
CREATE TABLE T_FM_KEY (
    FM_TYP VARCHAR(1) COLLATE NOCASE,
    ID_NEW INTEGER
);

-- Cases. Mahlzeiten, Vorrat_Tage and Rezept_Sprache are the handout's meals
-- per day, the days a batch lasts and its language ('DE' or 'US'); NULL in a
-- case stored before they were chosen. ID_Patient is the key of the
-- patient's first case, which the later visits share (NULL for a case never
-- followed up); Abnahme_Rate and Uebergewicht are the weight check's planned
-- loss and overweight in percent as the page showed them.
CREATE TABLE T_PAT_REZ (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    ID_Anrede     INTEGER,
    Name_Besitzer VARCHAR(255) COLLATE NOCASE,
    Name_Pat      VARCHAR(255) COLLATE NOCASE,
    ID_Gattung    INTEGER,
    ID_Geschlecht INTEGER,
    ID_Fall       INTEGER,
    ID_Rasse      INTEGER,
    Geburtsdatum  DATE,
    Gewicht_akt   DOUBLE,
    Gewicht_soll  DOUBLE,
    Gewicht_adult DOUBLE,
    Anz_Welpen    INTEGER,
    Energie       DOUBLE,
    Rippen        VARCHAR(1) COLLATE NOCASE,
    Rezepttitel   VARCHAR(255) COLLATE NOCASE,
    Datum         DATETIME,
    Bemerkung     TEXT COLLATE NOCASE,
    SORT_Name_Besitzer BLOB,
    SORT_Name_Pat      BLOB,
    Mahlzeiten    INTEGER,
    Vorrat_Tage   INTEGER,
    Rezept_Sprache VARCHAR(2) COLLATE NOCASE,
    ID_Patient    INTEGER,
    Abnahme_Rate  DOUBLE,
    Uebergewicht  DOUBLE
);
-- The case list's order, ending in the key so that no two cases tie: its
-- first screen reads the first rows of this index instead of sorting every
-- case. It holds every column the list searches and shows, so a page deep in
-- the list reads the index alone, not the table. The columns after the key
-- never decide the order, so their collation does not matter to it.
CREATE INDEX IF NOT EXISTS IX_PAT_REZ_LISTE
    ON T_PAT_REZ (SORT_Name_Besitzer, SORT_Name_Pat, Datum, ID, Name_Besitzer, Name_Pat,
                  ID_Gattung, ID_Geschlecht, Rezepttitel);
CREATE TABLE T_REZ_FM (
    ID              INTEGER PRIMARY KEY AUTOINCREMENT,
    ID_Rezept       INTEGER,
    ID_Futtermittel INTEGER,
    TagRat          DOUBLE
);
CREATE INDEX IX_REZ_FM_REZEPT ON T_REZ_FM (ID_Rezept);
-- The text blocks added to a case's recipe, in order, in both languages as
-- they read when they were added: the recipe prints them in either language
-- however the text table changes later.
CREATE TABLE T_REZ_TEXT (
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    ID_Rezept INTEGER,
    Pos       INTEGER,
    BEZ_DE    TEXT COLLATE NOCASE,
    BEZ_US    TEXT COLLATE NOCASE
);
CREATE INDEX IX_REZ_TEXT_REZEPT ON T_REZ_TEXT (ID_Rezept);
CREATE INDEX IX_PAT_REZ_PATIENT ON T_PAT_REZ (ID_Patient);

-- The rates, limits and figures of the follow-up visits, which the practice
-- may change: read by ID (1 planned loss, 2 and 3 the fastest and slowest
-- loss, 4 growth below the expected curve, 5 energy per kg of weight, 6 the
-- floor of a reduction ration, 7 to 9 the weeks to the next check).
CREATE TABLE T_VERLAUF (
    ID         INTEGER PRIMARY KEY,
    SCHLUESSEL VARCHAR(50) COLLATE NOCASE,
    WERT       DOUBLE,
    EINHEIT    VARCHAR(20) COLLATE NOCASE,
    BEZ_DE     VARCHAR(255) COLLATE NOCASE,
    BEZ_US     VARCHAR(255) COLLATE NOCASE,
    QUELLE     VARCHAR(255) COLLATE NOCASE
);

-- The practice's letterhead on the handouts: one row, ID 1. The logo is the
-- image file's content in Base64.
CREATE TABLE T_PRAXIS (
    ID       INTEGER PRIMARY KEY,
    Name     VARCHAR(255) COLLATE NOCASE,
    Adresse1 VARCHAR(255) COLLATE NOCASE,
    Adresse2 VARCHAR(255) COLLATE NOCASE,
    Telefon  VARCHAR(255) COLLATE NOCASE,
    EMail    VARCHAR(255) COLLATE NOCASE,
    Web      VARCHAR(255) COLLATE NOCASE,
    Logo     TEXT
);

-- Metadata of the system data editor
CREATE TABLE T_GRUNDDATEN (
    ID           INTEGER PRIMARY KEY,
    TABELLE      VARCHAR(50) COLLATE NOCASE,
    PK           VARCHAR(50) COLLATE NOCASE,
    FELD         VARCHAR(50) COLLATE NOCASE,
    FELDTYP      VARCHAR(20) COLLATE NOCASE,
    FELDLAENGE   INTEGER,
    BREITE       VARCHAR(10) COLLATE NOCASE,
    BEZ_DE       VARCHAR(100) COLLATE NOCASE,
    BEZ_EN       VARCHAR(100) COLLATE NOCASE,
    SICHTBAR     VARCHAR(1) COLLATE NOCASE,
    SQLSTATEMENT TEXT COLLATE NOCASE,
    DEFAULTVALUE VARCHAR(255) COLLATE NOCASE,
    TYP          VARCHAR(1) COLLATE NOCASE,
    SORT         INTEGER
);
CREATE TABLE T_GRUNDDATEN_ABH (
    ID        INTEGER PRIMARY KEY,
    ID_COMBO1 INTEGER,
    ID_COMBO2 INTEGER,
    BEZ_DE    VARCHAR(100) COLLATE NOCASE,
    BEZ_EN    VARCHAR(100) COLLATE NOCASE
);
CREATE TABLE T_EXPSCGG (
    ID     INTEGER PRIMARY KEY,
    BEZ_DE VARCHAR(100) COLLATE NOCASE,
    BEZ_US VARCHAR(100) COLLATE NOCASE,
    AKTIV  BOOLEAN NOT NULL DEFAULT 0
);
