-- A small, hand-made data set for the tests: every table has a few rows with
-- the awkward cases the program must handle (inactive rows, a NULL type, a
-- feedstuff in two categories, umlauts, apostrophes).

INSERT INTO T_MSYV3SEC (ID, Sprache) VALUES (1, 'DE');

INSERT INTO T_GATTUNG VALUES (1, 'alle', 'all', -1), (2, 'Hund', 'Dog', -1), (3, 'Katze', 'Cat', -1),
    (4, 'Pferd', 'Horse', 0);
INSERT INTO T_GESCHLECHT VALUES (1, 'M', 'M', -1), (2, 'W', 'F', -1);
INSERT INTO T_ANREDE VALUES (1, 'Herr', 'Mr.', -1), (2, 'Frau', 'Mrs.', -1), (3, 'Fräulein', 'Miss', 0);
INSERT INTO T_RASSE VALUES (1, 'Dackel', 'Dachshund', -1), (2, 'Schäferhund', 'German Shepherd', -1),
    (3, 'Mops', 'Pug', -1), (4, 'Ausgestorben', 'Extinct', 0);
INSERT INTO T_TEXT VALUES (1, 'Füttern Sie zweimal täglich.', 'Feed twice a day.', -1),
    (2, 'Frisches Wasser muss immer bereitstehen.', 'Fresh water must always be available.', -1),
    (3, 'Veralteter Hinweis', 'Outdated hint', 0);

-- Case types: growth (1, 2), lactation (5, 6), maintenance (7 to 10), a diet (25), reduction (40)
INSERT INTO T_FALL VALUES
    (1, 'Wachstum Rüde', 'Growth male', 2, 1, 1, -1),
    (2, 'Wachstum Hündin', 'Growth female', 2, 2, 1, -1),
    (5, 'Laktation Hündin', 'Lactation bitch', 2, 2, 5, -1),
    (6, 'Laktation Katze', 'Lactation queen', 3, 2, 6, -1),
    (7, 'Erhaltung Rüde', 'Maintenance male dog', 2, 1, 7, -1),
    (8, 'Erhaltung Hündin', 'Maintenance female dog', 2, 2, 7, -1),
    (9, 'Erhaltung Kater', 'Maintenance tomcat', 3, 1, 9, -1),
    (10, 'Erhaltung Katze', 'Maintenance queen', 3, 2, 9, -1),
    (25, 'Nierendiät Rüde', 'Kidney diet male dog', 2, 1, 25, -1),
    (40, 'Reduktion Katze', 'Weight reduction queen', 3, 2, 40, -1),
    (41, 'Erhaltung alt', 'Maintenance old', 2, 1, 7, 0);

INSERT INTO T_NAEHRSTOFFE VALUES
    (9, 10, 'ME', 'ME', 'MJ', 'MJ', 'Umsetzbare Energie', 'Metabolisable energy', 'I', 2, 0, -1),
    (61, 20, 'ME kcal', 'ME kcal', 'kcal', 'kcal', 'Energie kcal', 'Energy kcal', 'I', 0, 0, -1),
    (60, 25, 'ME Bed.', 'ME req.', 'kcal', 'kcal', 'Energiebedarf kcal', 'Energy requirement kcal', 'I', 1, 0, -1),
    (24, 30, 'Rp', 'CP', 'g', 'g', 'Rohprotein', 'Crude protein', 'I', 1, -1, -1),
    (1, 40, 'Ca', 'Ca', 'g', 'g', 'Calcium', 'Calcium', 'I', 2, 0, -1),
    (15, 50, 'P', 'P', 'g', 'g', 'Phosphor', 'Phosphorus', 'I', 2, 0, -1),
    (99, 60, 'Alt', 'Old', 'g', 'g', 'Veraltet', 'Outdated', 'I', 1, 0, 0),
    (41, 100, 'Ca:P', 'Ca:P', ':1', ':1', 'Calcium-Phosphor-Verhältnis', 'Calcium phosphorus ratio', 'K', 2, 0, -1),
    (42, 110, 'Rp/ME', 'CP/ME', 'g/MJ', 'g/MJ', 'Protein je MJ', 'Protein per MJ', 'K', 1, 0, -1);

INSERT INTO T_BEDARF (ID, BERTYP_FALL, BERTYP_FALL_ALT, ID_NAEHRSTOFF, WERT_FORMEL, AKTIV, WERT_ALT) VALUES
    (1, 7, NULL, 61, '(AKTGEW ^ 0.75) * 95 * MEBED / 100', -1, NULL),
    (2, 7, NULL, 9, 'AMEKC * 0.004184', -1, NULL),
    (3, 7, NULL, 24, '(AKTGEW ^ 0.75) * 5', -1, NULL),
    (4, 7, NULL, 1, 'AKTGEW * 0.1', -1, NULL),
    (5, 7, NULL, 15, 'AKTGEW * 0.08', -1, NULL),
    (6, 7, 'A7', 15, 'AKTGEW * 99', 0, '1,5'),
    (7, 7, NULL, 41, 'if P > 0 then CA / P else 0', -1, NULL),
    (8, 7, NULL, 42, 'if MEMJ > 0 then RP / MEMJ else 0', -1, NULL),
    (9, 1, NULL, 61, 'rechneca', -1, NULL),
    (10, 1, NULL, 60, 'rechnep', -1, NULL),
    (11, 9, NULL, 61, '(AKTGEW ^ 0.67) * 100 * MEBED / 100', -1, NULL),
    (12, 5, NULL, 61, '(AKTGEW ^ 0.75) * 145 + ANZWEL * 50', -1, NULL);

INSERT INTO T_FALL_NAEHRSTOFF (ID_FALL, ID_Naehrstoff, FIXED, AKTIV) VALUES
    (7, 9, -1, -1), (7, 61, -1, -1), (7, 24, 0, -1), (7, 1, 0, -1), (7, 15, 0, -1), (7, 41, 0, -1),
    (7, 42, 0, -1), (7, 60, 0, 0),
    (10, 9, -1, -1), (10, 24, 0, -1),
    (1, 61, -1, -1), (1, 60, -1, -1);

INSERT INTO T_KATEGORIEN VALUES (1, 'Einzelfuttermittel', 'Single feedstuffs', -1),
    (2, 'Ergänzungsfuttermittel', 'Supplements', -1), (4, 'Alleinfutter Hund', 'Complete food dog', -1),
    (5, 'Veraltet', 'Outdated', 0);
INSERT INTO T_FALL_KAT (ID_FALL, ID_FM_Kategorie, AKTIV) VALUES (7, 1, -1), (7, 4, -1), (7, 2, 0), (25, 1, -1),
    (10, 1, -1);
INSERT INTO T_FM_TYP VALUES (0, '<kein Typ>', '<no type>', -1), (1, 'Fleisch', 'Meat', -1),
    (2, 'Getreide', 'Cereals', -1), (3, 'Öle', 'Oils', -1), (4, 'Veraltet', 'Outdated', 0);

INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN,
    HINWEIS, HINT, DATUM_BEARBEITET, AKTIV, ALT_ID) VALUES
    (1, 1, 'Hühnerbrust, gekocht', 'Chicken breast, cooked', 'M', NULL, '2016-05-01', 'USDA', NULL,
        'Ohne Haut', 'Skinless', '2024-01-15 09:30:00', -1, 501),
    (2, 2, 'Reis, gekocht', 'Rice, cooked', 'M', NULL, '2016-05-01', 'USDA', NULL, NULL, NULL,
        '2024-01-15 09:30:00', -1, 502),
    (3, NULL, 'Müsli Spezial', 'Special muesli', 'M', NULL, NULL, NULL, 'Spurenelemente fehlen', NULL, NULL,
        '2024-01-15 09:30:00', -1, NULL),
    (4, 1, 'Rinderhack', 'Ground beef', 'U', NULL, NULL, 'Metzgerei Maier', NULL, NULL, NULL,
        '2024-02-01 08:00:00', -1, NULL),
    (5, 1, 'Altes Futter', 'Old food', 'M', NULL, NULL, NULL, NULL, NULL, NULL, '2020-01-01 00:00:00', 0, NULL),
    (6, 2, 'MÖHREN, roh', 'CARROTS, raw', 'M', NULL, NULL, NULL, NULL, NULL, NULL, '2024-01-15 09:30:00', -1, NULL),
    (7, 2, 'O''Briens Mischung', 'O''Brien''s mix', 'U', NULL, NULL, NULL, NULL, NULL, NULL,
        '2024-03-01 12:00:00', -1, NULL);

INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (1, 1, -1), (1, 4, -1), (2, 1, -1), (3, 1, -1),
    (4, 4, -1), (5, 1, -1), (6, 1, -1), (7, 4, -1);

INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV, ID_FM_ALT, QUELLE) VALUES
    (1, 9, 0.632, -1, 501, NULL), (1, 61, 151, -1, 501, NULL), (1, 60, 151, -1, 501, NULL),
    (1, 24, 31.0, -1, 501, 'USDA SR28 05064'),
    (1, 1, 0.015, -1, 501, NULL), (1, 15, 0.228, -1, 501, NULL), (1, 41, 0.07, -1, 501, NULL),
    (1, 99, 5, -1, NULL, NULL),
    (2, 9, 0.544, -1, 502, NULL), (2, 61, 130, -1, 502, NULL), (2, 60, 130, -1, 502, NULL),
    (2, 24, 2.7, -1, 502, NULL), (2, 1, 0.01, -1, 502, NULL), (2, 15, 0.043, -1, 502, NULL),
    (4, 9, 1.05, -1, NULL, NULL), (4, 24, 17.2, -1, NULL, NULL), (4, 1, 0.018, -1, NULL, NULL),
    (4, 15, 0.158, -1, NULL, NULL),
    (6, 9, 0.17, -1, NULL, NULL), (6, 24, 0.9, -1, NULL, NULL),
    (7, 9, 1.5, -1, NULL, NULL), (7, 24, 10, -1, NULL, NULL);

INSERT INTO T_FM_KEY (FM_TYP, ID_NEW) VALUES ('M', 1000), ('U', 100000);

INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, ID_Rasse,
    Geburtsdatum, Gewicht_akt, Gewicht_soll, Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, Datum,
    Bemerkung) VALUES
    (1, 1, 'Müller', 'Bello', 2, 1, 7, 1, '2020-03-05', 20, 18, 0, 0, 100, '0', 'Erhaltung', '2024-04-03 10:00:00', ' '),
    (2, 2, 'O''Neil', 'Minka', 3, 2, 10, NULL, NULL, 4.5, 4, 0, 0, 90, '1', 'Minka''s Diät', '2024-04-04 11:30:00', ' '),
    (3, 1, 'Schmidt', 'Rex', 2, 1, 1, 2, '2024-01-10', 10, 0, 20, 0, 100, '0', 'Wachstum', '2024-04-05 09:15:00', ' ');

INSERT INTO T_REZ_FM (ID_Rezept, ID_Futtermittel, TagRat) VALUES (1, 1, 150), (1, 2, 200.5), (2, 1, 50),
    (3, 1, 100), (3, 2, 0);

-- System data editor metadata: the species table and the feedstuffs with their contents
INSERT INTO T_GRUNDDATEN (ID, TABELLE, PK, FELD, FELDTYP, FELDLAENGE, BREITE, BEZ_DE, BEZ_EN, SICHTBAR,
    SQLSTATEMENT, DEFAULTVALUE, TYP, SORT) VALUES
    (10, 'T_GATTUNG', 'ID', NULL, NULL, NULL, NULL, 'Gattung', 'Species', NULL,
        'SELECT ID, BEZ_DE, BEZ_US, AKTIV FROM T_GATTUNG ORDER BY ID', NULL, 'U', 1),
    (11, 'T_GATTUNG', NULL, 'ID', 'LONG', 10, '40', 'Nr.', 'No.', '1', NULL, NULL, NULL, 1),
    (12, 'T_GATTUNG', NULL, 'BEZ_DE', 'VARCHAR2', 50, '150', 'Bezeichnung', 'Name German', '1', NULL, NULL, NULL, 2),
    (13, 'T_GATTUNG', NULL, 'BEZ_US', 'VARCHAR2', 50, '150', 'Bezeichnung engl.', 'Name', '1', NULL, NULL, NULL, 3),
    (14, 'T_GATTUNG', NULL, 'AKTIV', 'BOOL', NULL, '40', 'Aktiv', 'Active', '1', NULL, 'TRUE', NULL, 4),
    (90, 'T_FUTTERMITTEL', 'ID', NULL, NULL, NULL, NULL, 'Futtermittel', 'Feedstuffs', NULL,
        'SELECT ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, DATUM_BEARBEITET, AKTIV FROM T_FUTTERMITTEL ORDER BY ID', NULL, 'M', 2),
    (91, 'T_FM_NAEHRSTOFF', 'ID', NULL, NULL, NULL, NULL, 'Nährstoffgehalte', 'Nutrient contents', NULL,
        'SELECT ID, ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV FROM T_FM_NAEHRSTOFF ORDER BY ID', NULL, 'M', 3),
    (92, 'T_FM_NAEHRSTOFF', NULL, 'ID_NAEHRSTOFF', 'COMBO', NULL, '120', 'Nährstoff', 'Nutrient', '1',
        'SELECT ID AS ITEMDATA, KUERZEL_DE AS ITEMTEXT FROM T_NAEHRSTOFFE ORDER BY ID', NULL, NULL, 2),
    (93, 'T_FM_NAEHRSTOFF', NULL, 'MENGE', 'DOUBLE', NULL, '60', 'Menge', 'Amount', '1', NULL, '0', NULL, 3);
INSERT INTO T_GRUNDDATEN_ABH (ID, ID_COMBO1, ID_COMBO2, BEZ_DE, BEZ_EN) VALUES (1, 90, 91, 'Nährstoffgehalte', 'Nutrient contents');
INSERT INTO T_EXPSCGG (ID, BEZ_DE, BEZ_US, AKTIV) VALUES (1, 'Geschützt', 'Protected', -1);
