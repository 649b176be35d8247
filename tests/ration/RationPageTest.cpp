#include "ration/RationPage.h"
#include "core/FileChooser.h"
#include "db/RecordSet.h"
#include "ration/NutrientColumns.h"
#include "support/CaseWindowLogic.h"
#include "support/QtPrinters.h"

#include <QCollator>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace NutrientColumns;

namespace {

using Window = CaseWindowLogic;

// Entries as "data:text", in the list's display order (the feedstuff list's
// entries read so far).
template <typename List> QStringList entries(const List& list)
{
    QStringList result;
    for (const ChoiceList::Entry& e : list.entries())
        result << QString::number(e.data) + QLatin1Char(':') + e.text;
    return result;
}

TEST(RationPageTest, LabelsInBothLanguages)
{
    const RationPageLabels de = RationPage::labels(QStringLiteral("DE"));
    const RationPageLabels us = RationPage::labels(QStringLiteral("US"));
    EXPECT_EQ((QStringList{de.category, de.type, de.food, de.filter, de.print, de.balance, de.csv}),
              (QStringList{"Kategorie", "Typ", "Futtermittel", "Filter", "Print", "Ration ausgleichen",
                           "Als CSV speichern…"}));
    EXPECT_EQ((QStringList{us.category, us.type, us.food, us.filter, us.print, us.balance, us.csv}),
              (QStringList{"Category", "Type", "Food", "Filter", "Print", "Balance ration", "Save as CSV…"}));
    Window w(QStringLiteral("US"));
    EXPECT_EQ(w.page().labels().food, "Food");
}

TEST(RationPageTest, SavingAsCsvWritesTheShownBasisOrSaysWhyNot)
{
    Window w(QStringLiteral("DE"), TestDatabase::Data::Fixture, Window::Page::Ration, QStringLiteral("1"));
    const QString written = QDir(w.db().directory()).filePath(QStringLiteral("ration.csv"));
    const struct
    {
        QString answer; // the chosen file; empty for a cancel
        bool saved;
        const char* message;
    } cases[] = {
        {QString(), false, ""},
        {QStringLiteral("/no/such/folder/ration.csv"), false,
         "Die Datei „/no/such/folder/ration.csv“ konnte nicht geschrieben werden."},
        {written, true, ""},
    };
    // Per 1000 kcal, as the page shows it then.
    w.page().userChoseBasis(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        RecordingFileChooser files;
        files.setNextAnswer(c.answer);
        w.prompt.clear();
        EXPECT_EQ(w.page().saveCsv(files), c.saved);
        ASSERT_EQ(files.requests().size(), 1u);
        EXPECT_EQ(files.requests()[0].filter, "CSV-Dateien (*.csv)");
        EXPECT_EQ(w.prompt.texts().join(QLatin1Char('|')), QString::fromUtf8(c.message));
    }
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Futtermittel;g/Tag;"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("/1000 kcal)")));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("Versorgung;;"))) << lines[5].toStdString();
}

TEST(RationPageTest, ChoosingACaseTypeFillsTheThreeListsWithoutAChoice)
{
    const struct
    {
        const char* language;
        int caseType;
        QStringList categories;
        QStringList types;
    } cases[] = {
        {"DE",
         7,
         {"0:<ALLE>", "4:Alleinfutter Hund", "1:Einzelfuttermittel"},
         {"0:<ALLE>", "1:Fleisch", "2:Getreide", "3:Öle"}},
        {"US",
         7,
         {"0:<ALLE>", "4:Complete food dog", "1:Single feedstuffs"},
         {"0:<ALLE>", "2:Cereals", "1:Meat", "3:Oils"}},
        // The diet case types show the no-restriction entry without a text.
        {"DE", 25, {"0:", "1:Einzelfuttermittel"}, {"0:<ALLE>", "1:Fleisch", "2:Getreide", "3:Öle"}},
        // A case type without categories still offers the entry.
        {"DE", 1, {"0:<ALLE>"}, {"0:<ALLE>", "1:Fleisch", "2:Getreide", "3:Öle"}},
    };
    for (const auto& c : cases) {
        Window w(QString::fromLatin1(c.language));
        EXPECT_EQ(w.page().categoryList().count(), 0);
        w.chooseDogCase(c.caseType);
        EXPECT_EQ(entries(w.page().categoryList()), c.categories) << c.language << " " << c.caseType;
        EXPECT_EQ(entries(w.page().typeList()), c.types) << c.language << " " << c.caseType;
        EXPECT_EQ(w.page().categoryList().currentIndex(), -1);
        EXPECT_EQ(w.page().typeList().currentIndex(), -1);
        EXPECT_EQ(w.page().feedList().currentIndex(), -1);
        EXPECT_EQ(w.page().feedList().count(), 6);
    }
}

TEST(RationPageTest, ListsSortAsAGermanReaderExpectsInBothLanguages)
{
    // Case ignored, umlauts beside their base letters: "Öle" among the O.
    const QStringList german = {"apfel", "Äpfel", "Birne",  "MÖHREN", "mus",
                                "Müsli", "Öle",   "orange", "Zucker"};
    for (const char* language : {"DE", "US"}) {
        Window w(QString::fromLatin1(language));
        // Keys against the order of the names, in type 3 which has no feedstuffs yet.
        for (int i = 0; i < german.size(); ++i)
            ASSERT_TRUE(
                w.db().rawExec(QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, "
                                              "AKTIV) VALUES (%1, 3, '%2', '%2', -1)")
                                   .arg(200 - i)
                                   .arg(german[i])));
        w.chooseDogCase();
        w.chooseType(3);
        QStringList shown;
        for (const ChoiceList::Entry& e : w.page().feedList().entries())
            shown << e.text;
        EXPECT_EQ(shown, german) << language;

        // The database's NOCASE collation orders the same way.
        RecordSet rs;
        ASSERT_TRUE(
            rs.openRecordset(w.db().db(), QStringLiteral("SELECT BEZ_%1 AS N FROM T_FUTTERMITTEL WHERE "
                                                         "ID_FM_TYP = 3 ORDER BY BEZ_%1")
                                              .arg(QLatin1String(language))));
        QStringList ordered;
        for (QString name; !rs.isEof(); rs.moveNext(), ordered << name)
            rs.getFieldText(QStringLiteral("N"), name);
        EXPECT_EQ(ordered, german) << language;
    }
}

TEST(RationPageTest, TheLastDietCaseTypeIs28)
{
    const struct
    {
        int caseType;
        const char* allEntry;
    } cases[] = {{28, "0:"}, {29, "0:<ALLE>"}};
    for (const auto& c : cases) {
        Window w;
        ASSERT_TRUE(
            w.db().rawExec(QStringLiteral("INSERT INTO T_FALL VALUES (%1, 'Diät %1', 'Diet %1', 2, 1, 7, -1);"
                                          "INSERT INTO T_FALL_KAT (ID_FALL, ID_FM_Kategorie, AKTIV) "
                                          "VALUES (%1, 1, -1);")
                               .arg(c.caseType)));
        w.chooseDogCase(c.caseType);
        ASSERT_EQ(w.form.caseTypeKey(), c.caseType);
        EXPECT_EQ(entries(w.page().categoryList()), (QStringList{c.allEntry, "1:Einzelfuttermittel"}))
            << c.caseType;
    }
}

TEST(RationPageTest, FeedListShapes)
{
    const QStringList all = {"1:Hühnerbrust, gekocht", "6:MÖHREN, roh",   "3:Müsli Spezial",
                             "7:O'Briens Mischung",    "2:Reis, gekocht", "4:Rinderhack"};
    const struct
    {
        const char* name;
        int category; // -1: no choice
        int type;
        const char* search;
        QStringList expected;
    } cases[] = {
        // The inactive feedstuff 5 never shows; the one without a type only without a type filter.
        {"no choice", -1, -1, "", all},
        {"both <ALLE>", 0, 0, "", all},
        {"category only: the feedstuff in two categories once",
         1,
         -1,
         "",
         {"1:Hühnerbrust, gekocht", "6:MÖHREN, roh", "3:Müsli Spezial", "2:Reis, gekocht"}},
        {"type only", -1, 2, "", {"6:MÖHREN, roh", "7:O'Briens Mischung", "2:Reis, gekocht"}},
        {"type, category <ALLE>", 0, 1, "", {"1:Hühnerbrust, gekocht", "4:Rinderhack"}},
        {"category and type", 4, 1, "", {"1:Hühnerbrust, gekocht", "4:Rinderhack"}},
        {"category and type without a match", 1, 3, "", {}},
        {"umlaut typed in capitals", -1, -1, "MÜ", {"3:Müsli Spezial"}},
        {"lower case finds capitals", -1, -1, "möhren", {"6:MÖHREN, roh"}},
        {"search within a category", 1, -1, "  reis ", {"2:Reis, gekocht"}},
        {"search within a type", -1, 2, "mi", {"7:O'Briens Mischung"}},
        {"apostrophe", -1, -1, "o'b", {"7:O'Briens Mischung"}},
        {"apostrophe alone", 4, -1, "'", {"7:O'Briens Mischung"}},
        {"underscore stands for one letter", -1, -1, "m_hren", {"6:MÖHREN, roh"}},
        {"percent stands for any run",
         -1,
         -1,
         "r%s",
         {"1:Hühnerbrust, gekocht", "7:O'Briens Mischung", "2:Reis, gekocht"}},
        {"an injected condition is only text", -1, -1, "' OR 1=1 OR '", {}},
    };
    for (const auto& c : cases) {
        Window w;
        w.chooseDogCase();
        if (c.category >= 0)
            w.chooseCategory(c.category);
        if (c.type >= 0)
            w.chooseType(c.type);
        w.page().setSearchText(QString::fromUtf8(c.search));
        w.page().filterClicked();
        EXPECT_EQ(entries(w.page().feedList()), c.expected) << c.name;
    }
}

TEST(RationPageTest, AFeedstuffTwiceInACategoryIsListedOnce)
{
    Window w;
    ASSERT_TRUE(w.db().rawExec(
        QStringLiteral("INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (2, 1, -1), "
                       "(4, 4, -1)")));
    w.chooseDogCase();
    w.chooseCategory(1);
    EXPECT_EQ(entries(w.page().feedList()),
              (QStringList{"1:Hühnerbrust, gekocht", "6:MÖHREN, roh", "3:Müsli Spezial", "2:Reis, gekocht"}));
    w.chooseCategory(4);
    w.chooseType(1);
    EXPECT_EQ(entries(w.page().feedList()), (QStringList{"1:Hühnerbrust, gekocht", "4:Rinderhack"}));
}

// More feedstuffs of type 3 than the list reads at first: names that sort
// apart only by case, umlauts, punctuation or their key, a few without a name.
// Returns them as "key:name" in the order a German collator gives, equal names
// by key, each list read whole.
QStringList addManyFeedstuffs(TestDatabase& db, int count)
{
    const QStringList bases = {
        "Äpfel",          "apfel", "APFEL",  "Öl",      "Ol",    "O'Brien", "Reis-Mix", "Reis, gekocht",
        "Reis (Basmati)", "reis~", "Straße", "Strasse", "MÜSLI", "Muesli",  "a@b",      "A1"};
    std::vector<std::pair<int, QString>> rows;
    QString sql;
    for (int i = 0; i < count; ++i) {
        // Keys against the order of insertion, so that a tie shows the key's part.
        const int key = 1000 - i;
        const bool unnamed = i % 40 == 39;
        const QString name = bases[i % bases.size()] + (i % 3 ? QStringLiteral(" %1").arg(i / 7) : QString());
        sql += QStringLiteral(
                   "INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, AKTIV) VALUES (%1, 3, %2, -1);")
                   .arg(key)
                   .arg(unnamed ? QStringLiteral("NULL")
                                : QLatin1Char('\'') + QString(name).replace("'", "''") + QLatin1Char('\''));
        rows.emplace_back(key, unnamed ? QString() : name);
    }
    EXPECT_TRUE(db.rawExec(sql));
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    german.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(rows.begin(), rows.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const auto& a, const auto& b) { return german.compare(a.second, b.second) < 0; });
    QStringList expected;
    for (const auto& [key, name] : rows)
        expected << QString::number(key) + QLatin1Char(':') + name;
    return expected;
}

TEST(RationPageTest, TheFeedListReadsOnPageByPageInTheSameOrder)
{
    Window w;
    const QStringList all = addManyFeedstuffs(w.db(), 170);
    w.chooseDogCase();
    w.chooseType(3);
    PagedChoiceList& list = w.page().feedModel();
    EXPECT_EQ(entries(list), all.mid(0, PagedChoiceList::FirstPageSize));
    EXPECT_TRUE(list.canFetchMore(QModelIndex()));
    list.fetchMore(QModelIndex());
    EXPECT_EQ(entries(list), all.mid(0, 3 * PagedChoiceList::FirstPageSize));
    list.fetchMore(QModelIndex());
    EXPECT_EQ(entries(list), all);
    EXPECT_FALSE(list.canFetchMore(QModelIndex()));
    EXPECT_EQ(list.data(list.index(60), Qt::DisplayRole).toString(), all[60].section(':', 1));
    EXPECT_EQ(list.data(list.index(60), Qt::UserRole).toString(), all[60].section(':', 0, 0));

    // With a search text, pages hold only the matches, in the same order.
    w.page().setSearchText(QStringLiteral("E"));
    w.page().filterClicked();
    QStringList matches;
    for (const QString& entry : all) {
        if (entry.section(':', 1).contains(QLatin1Char('e'), Qt::CaseInsensitive))
            matches << entry;
    }
    ASSERT_GT(matches.size(), PagedChoiceList::FirstPageSize);
    EXPECT_EQ(list.count(), PagedChoiceList::FirstPageSize);
    EXPECT_TRUE(list.fetchAll());
    EXPECT_EQ(entries(list), matches);
}

TEST(RationPageTest, AFeedstuffBeyondTheFirstPageIsPickedLikeAnyOther)
{
    Window w;
    const QStringList all = addManyFeedstuffs(w.db(), 120);
    w.chooseDogCase();
    w.chooseType(3);
    ASSERT_EQ(w.page().feedList().count(), PagedChoiceList::FirstPageSize);
    const QString last = all.last();
    w.pick(last.section(':', 0, 0).toInt());
    EXPECT_EQ(w.page().feedList().currentIndex(), all.size() - 1);
    EXPECT_EQ(w.feedRows(), QStringList{last.section(':', 0, 0) + '|' + last.section(':', 1) + '|'});
    // Refilled, the list has no choice and reads its first page again.
    w.chooseType(3);
    EXPECT_EQ(w.page().feedList().currentIndex(), -1);
    EXPECT_EQ(w.page().feedList().count(), PagedChoiceList::FirstPageSize);
}

TEST(RationPageTest, FeedListStatementsAsBuilt)
{
    const QString head =
        QStringLiteral("SELECT T_FUTTERMITTEL.ID AS ITEMDATA, T_FUTTERMITTEL.Bez_DE AS ITEMTEXT "
                       "FROM T_FUTTERMITTEL WHERE T_FUTTERMITTEL.AKTIV = TRUE");
    const QString inCategory =
        QStringLiteral(" AND EXISTS (SELECT T_FM_KAT.ID_FM FROM T_FM_KAT WHERE "
                       "T_FM_KAT.ID_FM = T_FUTTERMITTEL.ID AND T_FM_KAT.ID_FM_Kategorie = ");
    const QString order = QStringLiteral(" ORDER BY T_FUTTERMITTEL.Bez_DE, T_FUTTERMITTEL.ID");
    const ChoiceList::Entry afterMix{7, QStringLiteral("O'Briens Mischung")};
    const struct
    {
        const char* category;
        const char* type;
        const char* search;
        const ChoiceList::Entry* after;
        bool afterNull;
        int limit;
        QString expected;
    } cases[] = {
        {"4", "1", "", nullptr, false, 50,
         head + " AND T_FUTTERMITTEL.ID_FM_Typ = 1" + inCategory + "4)" + order + " LIMIT 50"},
        {"0", "12", "", nullptr, false, 0, head + " AND T_FUTTERMITTEL.ID_FM_Typ = 12" + order},
        {"1", "-1", "", nullptr, false, 0, head + inCategory + "1)" + order},
        {"-1", "0", "", nullptr, false, 50, head + order + " LIMIT 50"},
        {"-1", "-1", "mü", nullptr, false, 0, head + " AND T_FUTTERMITTEL.Bez_DE like '%mü%'" + order},
        {"-1", "-1", "o'b_%", nullptr, false, 0, head + " AND T_FUTTERMITTEL.Bez_DE like '%o''b_%%'" + order},
        // The next page starts after the last entry read, its text quoted.
        {"-1", "-1", "", &afterMix, false, 100,
         head + " AND (T_FUTTERMITTEL.Bez_DE, T_FUTTERMITTEL.ID) > ('O''Briens Mischung', 7)" + order +
             " LIMIT 100"},
        {"-1", "-1", "", &afterMix, true, 100,
         head +
             " AND ((T_FUTTERMITTEL.Bez_DE IS NULL AND T_FUTTERMITTEL.ID > 7) OR T_FUTTERMITTEL.Bez_DE IS NOT "
             "NULL)" +
             order + " LIMIT 100"},
    };
    for (const auto& c : cases) {
        const PagedChoiceList::Query query =
            RationPage::feedListQuery(QStringLiteral("DE"), QLatin1String(c.category), QLatin1String(c.type),
                                      QString::fromUtf8(c.search));
        EXPECT_EQ(PagedChoiceList::pageStatement(query, c.after, c.afterNull, c.limit), c.expected);
    }
}

TEST(RationPageTest, ChoosingACategoryRefillsTypesAndFeedstuffs)
{
    Window w;
    w.chooseDogCase();
    int typeFills = 0;
    int feedFills = 0;
    QObject::connect(&w.page(), &RationPage::typeListChanged, [&] { ++typeFills; });
    QObject::connect(&w.page(), &RationPage::feedListChanged, [&] { ++feedFills; });

    w.chooseType(2);
    EXPECT_EQ(typeFills, 0);
    EXPECT_EQ(feedFills, 1);
    EXPECT_EQ(w.page().feedList().count(), 3);

    // The type list is refilled, so the type choice is gone.
    w.chooseCategory(1);
    EXPECT_EQ(typeFills, 1);
    EXPECT_EQ(feedFills, 2);
    EXPECT_EQ(w.page().typeList().currentIndex(), -1);
    EXPECT_EQ(w.page().feedList().count(), 4);

    // Typing filters nothing until the button.
    w.page().setSearchText(QStringLiteral("reis"));
    EXPECT_EQ(w.page().feedList().count(), 4);
    w.page().filterClicked();
    EXPECT_EQ(feedFills, 3);
    EXPECT_EQ(entries(w.page().feedList()), QStringList{"2:Reis, gekocht"});
}

TEST(RationPageTest, PickingAFeedstuffAppendsItOnceWithAnEmptyAmount)
{
    for (const char* language : {"DE", "US"}) {
        Window w(QString::fromLatin1(language));
        const bool german = QLatin1String(language) == QLatin1String("DE");
        w.chooseDogCase();
        w.pick(2);
        ASSERT_EQ(w.feedRows(), QStringList{german ? "2|Reis, gekocht|" : "2|Rice, cooked|"});
        const int row = FirstFeedRow;
        EXPECT_TRUE(w.grid().isEditable(row, 2));
        EXPECT_EQ(w.grid().text(row, w.column("61")), "");
        EXPECT_TRUE(w.grid().isReadOnly(row, w.column("61")));
        EXPECT_TRUE(w.prompt.entries().empty());

        // Closing the list again with its last choice still selected.
        w.page().feedListClosed();
        EXPECT_EQ(w.feedRows().size(), 1);
        EXPECT_EQ(w.prompt.texts(),
                  QStringList{german ? "Das ausgewählte Futtermittel steht bereits in der Liste"
                                     : "Nutrial selected two times"});

        w.pick(1);
        EXPECT_EQ(w.feedRows().size(), 2);
        // Moving through the open list picks nothing.
        w.page().setFeedChoice(w.page().feedModel().findData(6));
        EXPECT_EQ(w.feedRows().size(), 2);
        w.page().setFeedChoice(-1);
        w.page().feedListClosed();
        EXPECT_EQ(w.feedRows().size(), 2);
        EXPECT_EQ(w.prompt.entries().size(), 1u);
    }
}

TEST(RationPageTest, AnAmountEditRecomputesTheRowAndTheSupply)
{
    Window w;
    w.chooseDogCase();
    // The indicator formulas are placed once the case has its weights.
    w.form.setActualWeight(QStringLiteral("20"));
    w.form.setTargetWeight(QStringLiteral("18"));
    w.pick(2);
    w.pick(1);
    const int energy = w.column("61");
    ASSERT_GE(energy, 0);
    ASSERT_TRUE(w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("200")));
    EXPECT_EQ(w.grid().text(FirstFeedRow, energy), "260");
    EXPECT_EQ(w.grid().text(FirstFeedRow + 1, energy), "");
    EXPECT_EQ(w.grid().text(SupplyRow, energy), "260");
    ASSERT_TRUE(w.grid().endEdit(FirstFeedRow + 1, 2, QStringLiteral("100")));
    EXPECT_EQ(w.grid().text(FirstFeedRow + 1, energy), "151");
    EXPECT_EQ(w.grid().text(SupplyRow, energy), "411");
    // Protein 5,4 + 31,0 over energy 1,09 + 0,63 through the indicator formula.
    EXPECT_EQ(w.profile().text(RequirementRow, find(w.profile(), QStringLiteral("42"))), "21,2");
}

// A weight-reduction ration below the practice's floor, 70 % of 70 × kg^0,75
// at the current weight (139 kcal for 4 kg), says so after each calculation.
TEST(RationPageTest, AReductionRationBelowTheFloorIsFlagged)
{
    Window w;
    QStringList warnings;
    QObject::connect(&w.page(), &RationPage::floorWarningChanged,
                     [&warnings](const QString& warning) { warnings << warning; });
    w.chooseSpecies(3);
    w.chooseSex(2);
    w.chooseCaseType(40);
    w.form.setActualWeight(QStringLiteral("4"));
    w.pick(2);
    ASSERT_TRUE(w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("100")));
    EXPECT_EQ(
        w.page().floorWarning(),
        "Die Ration liefert 130 kcal/Tag, weniger als die Untergrenze von 139 kcal/Tag (70 % von 70 × kg^0,75).");
    EXPECT_EQ(warnings.last(), w.page().floorWarning());
    ASSERT_TRUE(w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("110")));
    EXPECT_EQ(warnings.last(), "");
    // The practice's own floor: 80 %, 158 kcal.
    TestDatabase db;
    ASSERT_TRUE(db.rawExec(QStringLiteral("INSERT INTO T_VERLAUF (ID, WERT) VALUES (6, 80)")));
    Window stricter(db, Window::Page::Ration);
    stricter.chooseSpecies(3);
    stricter.chooseSex(2);
    stricter.chooseCaseType(40);
    stricter.form.setActualWeight(QStringLiteral("4"));
    stricter.pick(2);
    ASSERT_TRUE(stricter.grid().endEdit(FirstFeedRow, 2, QStringLiteral("120")));
    EXPECT_TRUE(stricter.page().floorWarning().contains(QStringLiteral("(80 % von")))
        << stricter.page().floorWarning().toStdString();
    // A maintenance ration has no floor.
    w.chooseCaseType(10);
    ASSERT_TRUE(w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("10")));
    EXPECT_EQ(warnings.last(), "");
}

TEST(RationPageTest, RemovingAFeedstuffAsksAndRecomputesOnYesOnly)
{
    const struct
    {
        const char* language;
        Prompt::Answer answer;
        bool removed;
    } cases[] = {
        {"DE", Prompt::Answer::No, false}, {"DE", Prompt::Answer::Cancel, false},
        {"DE", Prompt::Answer::Yes, true}, {"US", Prompt::Answer::No, false},
        {"US", Prompt::Answer::Yes, true},
    };
    for (const auto& c : cases) {
        Window w(QString::fromLatin1(c.language));
        w.chooseDogCase();
        w.pick(2);
        w.pick(1);
        w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("200"));
        w.grid().endEdit(FirstFeedRow + 1, 2, QStringLiteral("100"));
        const int energy = w.column("61");
        const QStringList before = w.feedRows();

        w.prompt.setNextAnswer(c.answer);
        w.grid().click(FirstFeedRow + 1, 1);
        ASSERT_EQ(w.prompt.entries().size(), 1u);
        const RecordingPrompt::Entry& asked = w.prompt.entries()[0];
        EXPECT_EQ(asked.text, QLatin1String(c.language) == QLatin1String("DE")
                                  ? QStringLiteral("Möchten Sie dieses Futtermittel löschen?")
                                  : QStringLiteral("do you want delete this food "));
        EXPECT_EQ(asked.buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(asked.icon, Prompt::Icon::Exclamation);
        if (c.removed) {
            EXPECT_EQ(w.feedRows(), QStringList{before[0]});
            EXPECT_EQ(w.grid().text(SupplyRow, energy), "260");
        } else {
            EXPECT_EQ(w.feedRows(), before);
            EXPECT_EQ(w.grid().text(SupplyRow, energy), "411");
        }
        // Removal only touches the grid.
        EXPECT_EQ(w.db().rawValue(QStringLiteral("SELECT count(*) FROM T_REZ_FM")), "5");
    }
}

TEST(RationPageTest, ClicksElsewhereRemoveNothing)
{
    Window w;
    w.chooseDogCase();
    w.pick(2);
    for (const auto& [row, column] :
         {std::pair{FirstFeedRow, 0}, {FirstFeedRow, 2}, {FirstFeedRow, 3}, {4, 1}, {10, 1}})
        w.grid().click(row, column);
    EXPECT_EQ(w.feedRows().size(), 1);
    EXPECT_TRUE(w.prompt.entries().empty());
}

TEST(RationPageTest, RemovingTheLastFeedstuffEmptiesTheSupply)
{
    Window w;
    w.chooseDogCase();
    w.pick(2);
    w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("150"));
    w.prompt.setNextAnswer(Prompt::Answer::Yes);
    w.grid().click(FirstFeedRow, 1);
    EXPECT_TRUE(w.feedRows().isEmpty());
    EXPECT_EQ(w.grid().text(SupplyRow, w.column("61")), "");
}

struct ColumnState
{
    QString mark;
    int width;
    Rgb nameBackground;
    bool operator==(const ColumnState&) const = default;
};

void PrintTo(const ColumnState& s, std::ostream* os)
{
    *os << '"' << s.mark.toStdString() << "\" " << s.width << " rgb(" << s.nameBackground.r << ","
        << s.nameBackground.g << "," << s.nameBackground.b << ")";
}

ColumnState stateOf(const GridModel& g, int column)
{
    return {g.text(MarkRow, column), g.columnWidth(column), g.background(NameRow, column)};
}

const ColumnState Marked{QStringLiteral("x"), SelectedWidth, SelectedBackground};
const ColumnState Unmarked{QStringLiteral(" "), UnselectedWidth, UnselectedBackground};

TEST(RationPageTest, ANameClickTogglesOneColumnButNoFixedOne)
{
    Window w;
    w.chooseDogCase();
    const int protein = w.column("24"); // selected by case type 7
    const int need = w.column("60");    // not selected
    const int energy = w.column("9");   // fixed
    const ColumnState fixedBefore = stateOf(w.grid(), energy);
    ASSERT_EQ(w.grid().text(FixedRow, energy), "-1");
    ASSERT_EQ(w.grid().text(MarkRow, protein), "x");

    w.grid().click(NameRow, protein);
    EXPECT_EQ(stateOf(w.grid(), protein), Unmarked);
    w.grid().click(NameRow, protein);
    EXPECT_EQ(stateOf(w.grid(), protein), Marked);
    EXPECT_EQ(w.grid().alignment(MarkRow, protein).h, GridAlign::Centre);
    w.grid().click(NameRow, need);
    EXPECT_EQ(stateOf(w.grid(), need), Marked);

    w.grid().click(NameRow, energy);
    EXPECT_EQ(stateOf(w.grid(), energy), fixedBefore);
    // Other rows of the header do not toggle.
    w.grid().click(UnitRow, protein);
    w.grid().click(MarkRow, protein);
    EXPECT_EQ(stateOf(w.grid(), protein), Marked);

    // The profile grid toggles its own columns.
    const int ratio = find(w.profile(), QStringLiteral("41"));
    ASSERT_EQ(w.profile().text(MarkRow, ratio), "x");
    w.profile().click(NameRow, ratio);
    EXPECT_EQ(stateOf(w.profile(), ratio), Unmarked);
    EXPECT_EQ(stateOf(w.grid(), protein), Marked);
}

TEST(RationPageTest, TheHeaderClickTogglesAllFreeColumnsTogether)
{
    for (int headerColumn : {0, 1, 2}) {
        Window w;
        w.chooseDogCase();
        GridModel& g = w.grid();
        std::vector<int> fixed, free;
        for (int c = FirstColumn; c < g.columnCount(); ++c)
            (g.text(FixedRow, c) == QLatin1String("-1") ? fixed : free).push_back(c);
        ASSERT_EQ(fixed.size(), 2u);
        ASSERT_EQ(free.size(), 4u);
        std::vector<ColumnState> fixedBefore;
        for (int c : fixed)
            fixedBefore.push_back(stateOf(g, c));

        // A mixed selection becomes all marked, then all unmarked.
        g.click(NameRow, w.column("24"));
        g.click(NameRow, headerColumn);
        for (int c : free)
            EXPECT_EQ(stateOf(g, c), Marked) << c;
        EXPECT_EQ(g.text(MarkRow, 1), "x");
        g.click(NameRow, headerColumn);
        for (int c : free)
            EXPECT_EQ(stateOf(g, c), Unmarked) << c;
        EXPECT_EQ(g.text(MarkRow, 1), "");
        for (size_t i = 0; i < fixed.size(); ++i)
            EXPECT_EQ(stateOf(g, fixed[i]), fixedBefore[i]);
    }
}

TEST(RationPageTest, SavedEmptyAmountsAreStoredAsZeroAndReopenAsZero)
{
    Window w;
    w.form.userChoseSalutation(0);
    w.form.setOwnerName(QStringLiteral("Meier"));
    w.form.setPatientName(QStringLiteral("Hasso"));
    w.chooseDogCase();
    w.form.setActualWeight(QStringLiteral("20"));
    w.form.setTitle(QStringLiteral("Neu"));
    w.pick(2);
    w.pick(4);
    w.grid().endEdit(FirstFeedRow + 1, 2, QStringLiteral("80,5"));
    ASSERT_TRUE(w.form.saveCase()) << w.prompt.lastText().toStdString();
    EXPECT_EQ(w.db().rawRows(QStringLiteral(
                  "SELECT ID_Futtermittel, TagRat FROM T_REZ_FM WHERE ID_Rezept = 4 ORDER BY ID")),
              (QStringList{"2\t0.0", "4\t80.5"}));
    // The window shows the stored copy.
    EXPECT_EQ(w.feedRows(), (QStringList{"2|Reis, gekocht|0,0", "4|Rinderhack|80,5"}));

    Window stored(w.db(), Window::Page::Ration, QStringLiteral("4"));
    const GridModel& g = stored.grid();
    ASSERT_EQ(g.rowCount(), FirstFeedRow + 2);
    EXPECT_EQ(g.text(FirstFeedRow, 2), "0,0");
    EXPECT_EQ(g.text(FirstFeedRow + 1, 2), "80,5");
}

TEST(RationPageTest, OpeningAStoredCaseFillsListsAndRows)
{
    Window w(QStringLiteral("DE"), TestDatabase::Data::Fixture, Window::Page::Ration, QStringLiteral("1"));
    EXPECT_EQ(entries(w.page().categoryList()),
              (QStringList{"0:<ALLE>", "4:Alleinfutter Hund", "1:Einzelfuttermittel"}));
    EXPECT_EQ(w.page().feedList().count(), 6);
    EXPECT_EQ(w.feedRows(), (QStringList{"1|Hühnerbrust, gekocht|150,0", "2|Reis, gekocht|200,5"}));
    EXPECT_EQ(w.grid().text(SupplyRow, w.column("24")), "51,9");
    EXPECT_EQ(w.grid().text(MarkRow, w.column("24")), "x");
    // Opened, the page picks feedstuffs again rather than reloading the case.
    w.pick(6);
    EXPECT_EQ(w.feedRows().size(), 3);
}

TEST(RationPageTest, EveryRationEditMarksAnOpenedCaseChanged)
{
    const struct
    {
        const char* edit;
        void (*run)(Window&);
    } cases[] = {
        {"pick", [](Window& w) { w.pick(6); }},
        {"amount", [](Window& w) { w.grid().endEdit(FirstFeedRow, 2, QStringLiteral("80")); }},
        {"remove",
         [](Window& w) {
             w.prompt.setNextAnswer(Prompt::Answer::Yes);
             w.page().removeFeed(FirstFeedRow);
         }},
        {"ribs palpable", [](Window& w) { w.form.userClickedRibsPalpable(); }},
        {"ribs fat-covered", [](Window& w) { w.form.userClickedRibsFatCovered(); }},
    };
    for (const auto& c : cases) {
        Window w(QStringLiteral("DE"), TestDatabase::Data::Fixture, Window::Page::Ration,
                 QStringLiteral("1"));
        ASSERT_TRUE(w.form.isUnchanged()) << c.edit;
        c.run(w);
        EXPECT_FALSE(w.form.isUnchanged()) << c.edit;
    }
    // Declining the removal changes nothing.
    Window w(QStringLiteral("DE"), TestDatabase::Data::Fixture, Window::Page::Ration, QStringLiteral("1"));
    w.prompt.setNextAnswer(Prompt::Answer::No);
    w.page().removeFeed(FirstFeedRow);
    EXPECT_TRUE(w.form.isUnchanged());
}

TEST(RationPageTest, PrintHeadingWithTheSexCodeOfEachLanguage)
{
    const struct
    {
        const char* language;
        const char* caseKey;
        const char* heading;
    } cases[] = {
        {"DE", "1", "Bello (Hund/m) Erhaltung Rüde  / Müller  / Erhaltung"},
        {"DE", "2", "Minka (Katze/w) Erhaltung Katze  / O'Neil  / Minka's Diät"},
        {"US", "1", "Bello (Dog/m) Maintenance male dog  / Müller  / Erhaltung"},
        {"US", "2", "Minka (Cat/f) Maintenance queen  / O'Neil  / Minka's Diät"},
        // A sex whose text is none of the codes adds nothing.
        {"DE", "9", "Mausi (Katze/Erhaltung Katze  / Huber  / Kontrolle"},
        {"US", "9", "Mausi (Cat/Maintenance queen  / Huber  / Kontrolle"},
    };
    for (const auto& c : cases) {
        Window w(QString::fromLatin1(c.language));
        ASSERT_TRUE(w.db().rawExec(QStringLiteral(
            "INSERT INTO T_GESCHLECHT VALUES (3, 'K', 'N', -1);"
            "INSERT INTO T_FALL VALUES (11, 'Erhaltung Katze', 'Maintenance queen', 3, 3, 9, -1);"
            "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, "
            "ID_Fall, "
            "Datum, Rezepttitel) VALUES (9, 2, 'Huber', 'Mausi', 3, 3, 11, '2024-04-06 08:00:00', "
            "'Kontrolle')")));
        w.form.setPendingCaseKey(QLatin1String(c.caseKey));
        w.form.initCaseForm();
        QStringList shown;
        QObject::connect(&w.page(), &RationPage::windowTextChanged,
                         [&](const QString& text) { shown << text; });
        EXPECT_EQ(w.page().printHeading(), QString::fromUtf8(c.heading)) << c.language << c.caseKey;
        EXPECT_EQ(w.page().windowText(), "");
        w.page().preparePrint();
        EXPECT_EQ(w.page().windowText(), QString::fromUtf8(c.heading));
        EXPECT_EQ(shown, QStringList{QString::fromUtf8(c.heading)});
    }
}

} // namespace
