#include "output/CaseList.h"
#include "core/Prompt.h"
#include "db/RecordSet.h"
#include "db/TextFolding.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QString Head = QStringLiteral("SELECT ID, Name_Besitzer, Name_Pat, Datum, Rezepttitel FROM T_PAT_REZ");
const QString Tail = QStringLiteral(" ORDER BY Name_Besitzer, Name_Pat, Datum, ID;");

// More owners and patients: umlauts, capitals, apostrophes, a wildcard character.
const QString MoreCases = QStringLiteral(
    "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
    "Datum, "
    "Rezepttitel) VALUES (4, 1, 'Muster', 'D''Artagnan', 2, 1, 7, '2024-04-06 08:00:00', 'Kontrolle 100%'), "
    "(5, 2, 'MÜLLER', 'Aaron', 3, 1, 9, '2024-04-07 08:00:00', 'Erhaltung Kater'), "
    "(6, 1, 'Müller', 'Bello', 2, 1, 7, '2024-03-01 08:00:00', 'Erstes Rezept')");

struct List
{
    TestDatabase db;
    RecordingPrompt prompt;
    CaseList list;
    QStringList opened;

    explicit List(const QString& language = QStringLiteral("DE"))
        : db(TestDatabase::Data::Fixture, language)
        , list(db.context(), prompt)
    {
        QObject::connect(&list, &CaseList::openCaseRequested, [this](const QString& key) { opened << key; });
    }
    void search(const CaseSearchCriteria& criteria = {}) { list.runSearch(criteria); }
    QStringList keys() const { return column(CaseList::KeyColumn); }
    QStringList column(int c) const
    {
        QStringList result;
        for (int row = 0; row < list.caseCount(); ++row)
            result << list.text(row, c);
        return result;
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < CaseList::ColumnCount; ++c)
            cells << list.data(list.index(r, c)).toString();
        return cells;
    }
    QStringList headings() const
    {
        QStringList texts;
        for (int c = 0; c < list.columnCount(); ++c)
            texts << list.headerData(c, Qt::Horizontal).toString();
        return texts;
    }
    QString rawCount(const char* table, const char* condition)
    {
        return db.rawValue(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(table) +
                           QStringLiteral(" WHERE ") + QLatin1String(condition));
    }
};

CaseSearchCriteria criteria(const char* species, const char* sex, const char* owner = "",
                            const char* patient = "", const char* title = "")
{
    return CaseSearchCriteria{QString::fromUtf8(species), QString::fromUtf8(sex), QString::fromUtf8(owner),
                              QString::fromUtf8(patient), QString::fromUtf8(title)};
}

TEST(CaseListTest, HeadingsWidthsAndTheRedDeleteMark)
{
    const struct
    {
        const char* language;
        QStringList headings;
        QStringList bello;
    } cases[] = {
        {"DE",
         {"ID", "Besitzer", "Patient", "Datum", "Rezeptbezeichnung", "Loe"},
         {"1", "Müller", "Bello", "03.04.2024", "Erhaltung", "x"}},
        {"US",
         {"ID", "Name of owner", "Name of patient", "Date", "Recipe Title / Diagnosis", "Del"},
         {"1", "Müller", "Bello", "04/03/2024", "Erhaltung", "x"}},
    };
    for (const auto& c : cases) {
        List l(QString::fromLatin1(c.language));
        QAbstractItemModelTester tester(&l.list, QAbstractItemModelTester::FailureReportingMode::Warning);
        // Nothing is listed before the first search.
        EXPECT_EQ(l.list.columnCount(), 0);
        l.search();
        ASSERT_EQ(l.list.columnCount(), 6);
        ASSERT_EQ(l.list.rowCount(), 3);
        EXPECT_TRUE(l.list.isCountKnown());
        EXPECT_EQ(l.headings(), c.headings);
        EXPECT_EQ(l.row(0), c.bello);
        EXPECT_EQ(l.list.caseCount(), 3);
        const int widths[] = {0, 180, 145, 65, 560, 25};
        for (int col = 0; col < 6; ++col) {
            EXPECT_EQ(CaseList::columnWidth(col), widths[col]) << col;
            EXPECT_EQ(CaseList::isElided(col), col == 1 || col == 2 || col == 4) << col;
            EXPECT_EQ(CaseList::textColour(col), col == 5 ? (Rgb{255, 0, 0}) : (Rgb{0, 0, 0})) << col;
            for (int row = 0; row < 3; ++row)
                EXPECT_EQ(l.list.flags(l.list.index(row, col)), Qt::ItemIsEnabled);
        }
    }
}

TEST(CaseListTest, SearchStatementAndRowsForEachCombinationOfCriteria)
{
    const struct
    {
        const char* name;
        CaseSearchCriteria criteria;
        QString where;
        QStringList keys;
    } cases[] = {
        {"no criteria", criteria("-1", "-1"), "", {"5", "6", "1", "4", "2", "3"}},
        {"keys of 1 restrict nothing", criteria("1", "1"), "", {"5", "6", "1", "4", "2", "3"}},
        {"species", criteria("2", "-1"), " WHERE ID_Gattung = 2", {"6", "1", "4", "3"}},
        {"sex without species starts the conditions", criteria("-1", "2"), " WHERE ID_Geschlecht = 2", {"2"}},
        {"species and sex", criteria("3", "2"), " WHERE ID_Gattung = 3 AND ID_Geschlecht = 2", {"2"}},
        {"owner with an umlaut in any case",
         criteria("-1", "-1", "mü"),
         " WHERE Name_Besitzer LIKE '%mü%'",
         {"5", "6", "1"}},
        {"sex and owner",
         criteria("1", "2", "o"),
         " WHERE ID_Geschlecht = 2 AND Name_Besitzer LIKE '%o%'",
         {"2"}},
        {"patient", criteria("-1", "-1", "", "ell"), " WHERE Name_Pat LIKE '%ell%'", {"6", "1"}},
        {"title",
         criteria("-1", "-1", "", "", "erhaltung"),
         " WHERE Rezepttitel LIKE '%erhaltung%'",
         {"5", "1"}},
        {"patient and title",
         criteria("-1", "-1", "", "in", "DIÄT"),
         " WHERE Name_Pat LIKE '%in%' AND Rezepttitel LIKE '%DIÄT%'",
         {"2"}},
        {"all criteria",
         criteria("2", "2", "schm", "re", "wachs"),
         " WHERE ID_Gattung = 2 AND ID_Geschlecht = 2 AND Name_Besitzer LIKE '%schm%' AND Name_Pat LIKE "
         "'%re%'"
         " AND Rezepttitel LIKE '%wachs%'",
         {}},
        {"sex key 1 restricts nothing",
         criteria("2", "1", "schm", "re", "wachs"),
         " WHERE ID_Gattung = 2 AND Name_Besitzer LIKE '%schm%' AND Name_Pat LIKE '%re%' AND Rezepttitel "
         "LIKE '%wachs%'",
         {"3"}},
        {"underscore stands for one letter",
         criteria("-1", "-1", "m_ller"),
         " WHERE Name_Besitzer LIKE '%m_ller%'",
         {"5", "6", "1"}},
        {"percent stands for any run",
         criteria("-1", "-1", "", "", "er%ng"),
         " WHERE Rezepttitel LIKE '%er%ng%'",
         {"5", "1"}},
        {"apostrophe in the owner", criteria("-1", "-1", "o'n"), " WHERE Name_Besitzer LIKE '%o''n%'", {"2"}},
        {"apostrophe in the patient",
         criteria("-1", "-1", "", "d'art"),
         " WHERE Name_Pat LIKE '%d''art%'",
         {"4"}},
        {"apostrophe in the title",
         criteria("-1", "-1", "", "", "'s d"),
         " WHERE Rezepttitel LIKE '%''s d%'",
         {"2"}},
        {"an injected condition is only text",
         criteria("-1", "-1", "' OR 1=1 OR '"),
         " WHERE Name_Besitzer LIKE '%'' OR 1=1 OR ''%'",
         {}},
        {"a key that is no number restricts nothing",
         criteria("2 OR 1=1", "x"),
         "",
         {"5", "6", "1", "4", "2", "3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaseList::searchStatement(c.criteria), Head + c.where + Tail) << c.name;
        List l;
        ASSERT_TRUE(l.db.rawExec(MoreCases));
        l.search(c.criteria);
        EXPECT_EQ(l.keys(), c.keys) << c.name;
    }
}

TEST(CaseListTest, ASearchReplacesTheFormerRows)
{
    List l;
    l.search();
    ASSERT_EQ(l.list.caseCount(), 3);
    l.search(criteria("-1", "-1", "schmidt"));
    EXPECT_EQ(l.keys(), QStringList{"3"});
    EXPECT_EQ(l.headings()[1], "Besitzer");
}

TEST(CaseListTest, ASearchThatCannotBeReadSaysSoWithTheReasonInsteadOfListingNoCases)
{
    for (const char* language : {"DE", "US"}) {
        List l(QString::fromLatin1(language));
        QList<int> counts;
        QObject::connect(&l.list, &CaseList::caseCountKnown, [&](int count) { counts << count; });
        ASSERT_TRUE(l.db.rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ RENAME TO T_PAT_REZ_WEG")));
        l.search();
        l.list.countCases(); // tells nothing more
        EXPECT_TRUE(l.list.hasFailed() && !l.list.canFetchMore({}) && counts.isEmpty());
        // The engine's own reason names the table it misses.
        ASSERT_EQ(l.prompt.texts().size(), 1);
        EXPECT_TRUE(
            l.prompt.lastText().startsWith(QLatin1String(language) == QLatin1String("DE")
                                               ? QStringLiteral("Die Suche ist fehlgeschlagen.\nGrund: ")
                                               : QStringLiteral("The search failed.\nReason: ")) &&
            l.prompt.lastText().contains(QStringLiteral("t_pat_rez"), Qt::CaseInsensitive))
            << l.prompt.lastText().toStdString();
        ASSERT_TRUE(l.db.rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ_WEG RENAME TO T_PAT_REZ")));
        l.search();
        EXPECT_FALSE(l.list.hasFailed());
        EXPECT_EQ(counts, QList<int>{3});
    }
}

TEST(CaseListTest, ClickingARowAsksToOpenItsCase)
{
    List l;
    l.search();
    for (int col = 0; col < 5; ++col)
        l.list.click(1, col);
    EXPECT_EQ(l.opened, (QStringList{"2", "2", "2", "2", "2"}));
    // Outside the rows there is no case.
    for (int col = 0; col < 6; ++col) {
        l.list.click(-1, col);
        l.list.click(3, col);
    }
    EXPECT_EQ(l.opened.size(), 5);
    EXPECT_TRUE(l.prompt.entries().empty());
}

TEST(CaseListTest, DeleteAsksAndRemovesTheCaseWithItsRationOnYesOnly)
{
    const struct
    {
        const char* language;
        Prompt::Answer answer;
        bool deleted;
        const char* question;
    } cases[] = {
        {"DE", Prompt::Answer::Yes, true, "Möchten Sie diesen Fall löschen?"},
        {"DE", Prompt::Answer::No, false, "Möchten Sie diesen Fall löschen?"},
        {"DE", Prompt::Answer::Cancel, false, "Möchten Sie diesen Fall löschen?"},
        {"US", Prompt::Answer::Yes, true, "do you want delete this case?"},
        {"US", Prompt::Answer::Cancel, false, "do you want delete this case?"},
    };
    for (const auto& c : cases) {
        List l(QString::fromLatin1(c.language));
        l.search();
        l.prompt.setNextAnswer(c.answer);
        l.list.click(0, CaseList::DeleteColumn);
        ASSERT_EQ(l.prompt.entries().size(), 1u);
        EXPECT_EQ(l.prompt.entries()[0].text, QString::fromUtf8(c.question));
        EXPECT_EQ(l.prompt.entries()[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(l.prompt.entries()[0].icon, Prompt::Icon::Question);
        EXPECT_TRUE(l.opened.isEmpty());
        if (c.deleted) {
            EXPECT_EQ(l.keys(), (QStringList{"2", "3"}));
            EXPECT_EQ(l.rawCount("T_PAT_REZ", "ID = 1"), "0");
            EXPECT_EQ(l.rawCount("T_REZ_FM", "ID_Rezept = 1"), "0");
        } else {
            EXPECT_EQ(l.keys(), (QStringList{"1", "2", "3"}));
            EXPECT_EQ(l.rawCount("T_PAT_REZ", "ID = 1"), "1");
            EXPECT_EQ(l.rawCount("T_REZ_FM", "ID_Rezept = 1"), "2");
        }
        // Other cases keep their rations.
        EXPECT_EQ(l.rawCount("T_REZ_FM", "ID_Rezept <> 1"), "3");
    }
}

TEST(CaseListTest, AFailedDeleteKeepsTheCaseItsRationAndTheRow)
{
    const struct
    {
        const char* language;
        const char* table;
        const char* message;
    } cases[] = {
        {"DE", "T_PAT_REZ", "Datensatz konnte konnte nicht gelöscht werden\nGrund: refused"},
        {"DE", "T_REZ_FM", "Datensatz konnte konnte nicht gelöscht werden\nGrund: refused"},
        {"US", "T_REZ_FM", "Recordset could not be deleted\nReason: refused"},
    };
    for (const auto& c : cases) {
        List l(QString::fromLatin1(c.language));
        l.search();
        ASSERT_TRUE(l.db.addTrigger("refuse", "BEFORE DELETE", QLatin1String(c.table)));
        l.prompt.setNextAnswer(Prompt::Answer::Yes);
        EXPECT_FALSE(l.list.deleteCase(0));
        EXPECT_EQ(l.prompt.texts(), (QStringList{l.prompt.entries()[0].text, QString::fromUtf8(c.message)}));
        EXPECT_EQ(l.keys(), (QStringList{"1", "2", "3"}));
        EXPECT_EQ(l.rawCount("T_PAT_REZ", "ID = 1"), "1") << c.table;
        EXPECT_EQ(l.rawCount("T_REZ_FM", "ID_Rezept = 1"), "2") << c.table;

        // Once the database lets it, the same row deletes.
        ASSERT_TRUE(l.db.dropTrigger("refuse", QLatin1String(c.table)));
        l.prompt.setNextAnswer(Prompt::Answer::Yes);
        EXPECT_TRUE(l.list.deleteCase(0));
        EXPECT_EQ(l.keys(), (QStringList{"2", "3"}));
        EXPECT_EQ(l.rawCount("T_REZ_FM", "ID_Rezept = 1"), "0");
    }
}

TEST(CaseListTest, RowsOutsideTheListCannotBeDeleted)
{
    List l;
    l.search();
    EXPECT_FALSE(l.list.deleteCase(-1));
    EXPECT_FALSE(l.list.deleteCase(3));
    EXPECT_TRUE(l.prompt.entries().empty());
    EXPECT_EQ(l.list.caseCount(), 3);
}

// Two and a half pages of cases: owners that the collation takes as equal
// or that differ only by an umlaut, missing names, a date in every month.
QString manyCases()
{
    // The date as the engine makes a timestamp of numbers.
    const QString date = TestBackend::isPostgreSql()
                             ? QStringLiteral("make_timestamp(2024, 1 + i % 12, 1 + i % 28, 8, 0, 0)")
                             : QStringLiteral("printf('2024-%02d-%02d 08:00:00', 1 + i % 12, 1 + i % 28)");
    return QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 250) "
               "INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
               "Datum, Rezepttitel) SELECT 1, CASE i % 5 WHEN 0 THEN NULL WHEN 1 THEN 'Müller' WHEN 2 THEN "
               "'MÜLLER' WHEN 3 THEN 'Mueller' ELSE 'Äbel' END, CASE WHEN i % 11 = 0 THEN NULL ELSE 'Tier ' || "
               "(i % 13) END, 2 + i % 2, 1, 7, %1, 'Rezept ' || i FROM n")
               .arg(date) +
           // Cases alike in everything the list sorts by: only the key
           // tells them apart.
           QStringLiteral(
               "; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
               "INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, "
               "ID_Fall, Datum, Rezepttitel) SELECT 1, 'Zwilling', 'Bello', 3, 1, 7, %1, 'Gleich' FROM n")
               .arg(TestBackend::isPostgreSql() ? QStringLiteral("TIMESTAMP '2024-03-01 08:00:00'")
                                                : QStringLiteral("'2024-03-01 08:00:00'"));
}

// The keys of the whole search read in one statement, without pages.
QStringList unpagedKeys(TestDatabase& db, const CaseSearchCriteria& c)
{
    QStringList keys;
    RecordSet rs;
    EXPECT_TRUE(rs.openRecordset(db.db(), CaseList::searchStatement(c)));
    for (QString key; !rs.isEof(); rs.moveNext()) {
        rs.getFieldText(QStringLiteral("ID"), key);
        keys << key;
    }
    return keys;
}

TEST(CaseListPagingTest, RowsBeyondTheFirstPageArriveInTheListsOrder)
{
    const struct
    {
        const char* name;
        CaseSearchCriteria criteria;
        int count;
    } cases[] = {
        {"no criteria", criteria("-1", "-1"), 553},
        {"species", criteria("2", "-1"), 127},
        {"one owner, patient and second", criteria("-1", "-1", "zwilling"), 300},
        {"owner with an umlaut", criteria("-1", "-1", "mü"), 101},
        {"patient", criteria("-1", "-1", "", "tier"), 228},
    };
    for (const auto& c : cases) {
        for (const bool counted : {false, true}) {
            List l;
            ASSERT_TRUE(l.db.rawExec(manyCases()));
            l.search(c.criteria);
            EXPECT_EQ(l.list.caseCount(), std::min(c.count, CaseList::PageSize)) << c.name;
            if (counted) {
                // Counted, every row exists; the last page is read first.
                l.list.countCases();
                EXPECT_FALSE(l.list.text(c.count - 1, CaseList::TitleColumn).isEmpty()) << c.name;
            } else {
                while (l.list.canFetchMore({}))
                    l.list.fetchMore({});
            }
            EXPECT_TRUE(l.list.isCountKnown());
            ASSERT_EQ(l.list.caseCount(), c.count) << c.name;
            QStringList keys = l.keys();
            EXPECT_EQ(keys, unpagedKeys(l.db, c.criteria)) << c.name;
            EXPECT_EQ(keys.removeDuplicates(), 0) << c.name;
            // Missing names first, then by name in the program's collation.
            const QStringList owners = l.column(CaseList::OwnerColumn);
            for (int row = 1; row < owners.size(); ++row)
                ASSERT_LE(TextFolding::compare(owners[row - 1], owners[row]), 0) << c.name << " " << row;
        }
    }
}

TEST(CaseListPagingTest, APageOrCountThatCannotBeReadAfterTheFirstPageIsToldOnceAndReadingStops)
{
    for (const bool counted : {false, true}) {
        List l;
        ASSERT_TRUE(l.db.rawExec(manyCases()));
        l.search();
        ASSERT_TRUE(l.db.rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ RENAME TO T_PAT_REZ_WEG")));
        counted ? l.list.countCases() : l.list.fetchMore({});
        l.list.fetchMore({});
        l.list.countCases();
        // The rows read before stay; the list does not claim to be whole.
        EXPECT_EQ(l.prompt.texts().size(), 1) << counted;
        EXPECT_TRUE(!l.list.canFetchMore({}) && !l.list.isCountKnown()) << counted;
        EXPECT_EQ(l.list.caseCount(), CaseList::PageSize) << counted;
        ASSERT_TRUE(l.db.rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ_WEG RENAME TO T_PAT_REZ")));
    }
}

TEST(CaseListPagingTest, DeletingARowOfALaterPageMovesTheRestUp)
{
    List l;
    ASSERT_TRUE(l.db.rawExec(manyCases()));
    l.search();
    l.list.countCases();
    const QStringList before = l.keys();
    ASSERT_EQ(before.size(), 553);
    l.prompt.setNextAnswer(Prompt::Answer::Yes);
    l.list.click(150, CaseList::DeleteColumn);
    EXPECT_EQ(l.prompt.texts(), QStringList{"Möchten Sie diesen Fall löschen?"});
    EXPECT_EQ(l.rawCount("T_PAT_REZ", qPrintable(QStringLiteral("ID = ") + before[150])), "0");
    QStringList expected = before;
    expected.removeAt(150);
    EXPECT_EQ(l.keys(), expected);
    EXPECT_EQ(l.list.text(552, CaseList::KeyColumn), QString());
}

} // namespace
