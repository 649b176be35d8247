#include "app/SearchBar.h"
#include "core/Prompt.h"
#include "feed/FeedEditor.h"
#include "feed/FeedIndicatorCalculator.h"
#include "output/CaseList.h"
#include "output/StoredCase.h"
#include "support/CaseWindowLogic.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include "sysdata/SystemTableEditor.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>

namespace {

// Texts a user may type or paste, each one stored and shown as typed and
// never taken for SQL.
struct Hostile
{
    const char* name;
    QString text;
};

const QList<Hostile>& hostileTexts()
{
    static const QList<Hostile> texts = [] {
        QString tenKb;
        while (tenKb.size() < 10 * 1024)
            tenKb += QStringLiteral("O'Brien \"Rex\"; -- Müller ");
        QList<Hostile> texts{
            {"apostrophes", QStringLiteral("O'Brien's 'Rex'")},
            {"double quotes", QStringLiteral("\"Rex\" \"\" \"")},
            {"drop table", QStringLiteral("'; DROP TABLE T_FUTTERMITTEL; --")},
            {"double-quoted drop", QStringLiteral("\"); DELETE FROM T_PAT_REZ; --")},
            {"wildcards", QStringLiteral("100% _fit_")},
            {"comments", QStringLiteral("Rex -- /* note */ ;")},
            {"jet syntax", QStringLiteral("#01.02.2003# & [T_PAT_REZ] `x` TRUE")},
            {"control characters", QStringLiteral("Tab\there\rCR\nLF\x01\x1f\x7f end")},
            {"outside the BMP", QStringLiteral("Hund \U0001F415 ẞ")},
            {"10 kB", tenKb},
        };
        // A server text cannot hold NUL: there the statement is refused whole,
        // which the server connection tests check.
        if (!TestBackend::isPostgreSql())
            texts.append({"NUL", QStringLiteral("Nul") + QChar(0) + QStringLiteral("after")});
        return texts;
    }();
    return texts;
}

// Whether a search for text finds value: % stands for any run, _ for one
// character, case is ignored, as the lists' LIKE does.
bool searchFinds(const QString& text, const QString& value)
{
    if (!text.contains(QLatin1Char('%')) && !text.contains(QLatin1Char('_')))
        return value.contains(text, Qt::CaseInsensitive);
    QString pattern;
    for (QChar c : text) {
        if (c == QLatin1Char('%'))
            pattern += QStringLiteral(".*");
        else if (c == QLatin1Char('_'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption)
        .match(value)
        .hasMatch();
}

// Compared without printing ten kilobytes on a failure.
::testing::AssertionResult sameText(const QString& actual, const QString& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return ::testing::AssertionFailure() << "differs at " << i << " of " << expected.size() << " characters ("
                                         << actual.size() << " read): " << actual.mid(i, 40).toStdString();
}

struct DatabaseShape
{
    QString tables;
    QString feedstuffs;
    friend bool operator==(const DatabaseShape&, const DatabaseShape&) = default;
};

DatabaseShape shapeOf(TestDatabase& db)
{
    return {QString::number(db.tableCount()),
            db.rawValue(QStringLiteral("SELECT count(*) FROM T_FUTTERMITTEL"))};
}

// A new dog case with every typed text of the header set to text.
QString saveCase(TestDatabase& db, const QString& text)
{
    CaseWindowLogic w(db, CaseWindowLogic::Page::CountedHooks);
    w.fillDogCase(text, text, text);
    if (!w.form.saveCase())
        return w.prompt.texts().join(QLatin1Char('|'));
    return db.rawValue(QStringLiteral("SELECT max(ID) FROM T_PAT_REZ"));
}

TEST(HostileTextTest, CaseHeaderTextsAreStoredAndFoundAsTyped)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const DatabaseShape before = shapeOf(db);
    QStringList keys;
    for (const Hostile& h : hostileTexts()) {
        keys << saveCase(db, h.text);
        RecordingPrompt prompt;
        CaseHeaderForm stored(db.context(), prompt);
        ASSERT_TRUE(StoredCase::open(db.context(), stored, keys.back()))
            << h.name << ": " << keys.back().toStdString();
        EXPECT_TRUE(sameText(stored.ownerName(), h.text)) << h.name;
        EXPECT_TRUE(sameText(stored.patientName(), h.text)) << h.name;
        EXPECT_TRUE(sameText(stored.title(), h.text)) << h.name;
    }
    EXPECT_EQ(shapeOf(db), before);

    RecordingPrompt prompt;
    CaseList list(db.context(), prompt);
    list.runSearch({});
    ASSERT_EQ(list.caseCount(), 3 + hostileTexts().size());
    QList<QStringList> all;
    for (int row = 0; row < list.caseCount(); ++row) {
        all << QStringList();
        for (int column = 0; column < CaseList::ColumnCount; ++column)
            all.back() << list.text(row, column);
    }
    for (int i = 0; i < hostileTexts().size(); ++i) {
        const Hostile& h = hostileTexts()[i];
        const auto listed = std::find_if(all.cbegin(), all.cend(), [&](const QStringList& row) {
            return row[CaseList::KeyColumn] == keys[i];
        });
        ASSERT_NE(listed, all.cend()) << h.name;
        for (int field : {CaseList::OwnerColumn, CaseList::PatientColumn, CaseList::TitleColumn})
            EXPECT_TRUE(sameText((*listed)[field], h.text)) << h.name << " in column " << field;
        for (int field : {CaseList::OwnerColumn, CaseList::PatientColumn, CaseList::TitleColumn}) {
            SearchBar bar(QStringLiteral("DE"));
            if (field == CaseList::OwnerColumn)
                bar.setOwner(h.text);
            else if (field == CaseList::PatientColumn)
                bar.setPatient(h.text);
            else
                bar.setTitle(h.text);
            QStringList expected;
            for (const QStringList& row : all) {
                if (searchFinds(h.text, row[field]))
                    expected << row[0];
            }
            list.runSearch(bar.criteria());
            QStringList found;
            for (int row = 0; row < list.caseCount(); ++row)
                found << list.caseKey(row);
            expected.sort();
            found.sort();
            EXPECT_EQ(found, expected) << h.name << " in column " << field;
        }
    }
    EXPECT_EQ(shapeOf(db), before);
}

TEST(HostileTextTest, FeedstuffNamesAreStoredAndFoundByTheRationPage)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid());
    const DatabaseShape before = shapeOf(db);
    QList<qint64> keys;
    for (const Hostile& h : hostileTexts()) {
        RecordingPrompt prompt;
        FeedEditor editor(db.context(), prompt);
        editor.newClicked();
        editor.setGermanName(h.text);
        editor.setEnglishName(h.text);
        editor.setProducer(h.text);
        editor.setHintGerman(h.text);
        editor.setActive(true);
        const std::pair<int, const char*> analysis[] = {{NutrientKey::Moisture, "10"},
                                                        {NutrientKey::CrudeAsh, "8"},
                                                        {NutrientKey::CrudeProtein, "25"},
                                                        {NutrientKey::CrudeFibre, "2"},
                                                        {NutrientKey::CrudeFat, "15"}};
        for (const auto& [nutrient, amount] : analysis) {
            const int row = FeedEditor::rowOf(editor.nutrientGrid(), nutrient);
            ASSERT_GE(row, 0) << nutrient;
            editor.nutrientGrid().endEdit(row, FeedEditor::AmountColumn, QLatin1String(amount));
        }
        ASSERT_TRUE(editor.calculate()) << h.name << prompt.texts().join('|').toStdString();
        ASSERT_TRUE(editor.save()) << h.name << prompt.texts().join('|').toStdString();
        keys << editor.key().toLongLong();

        FeedEditor reopened(db.context(), prompt);
        ASSERT_TRUE(reopened.loadFeed(keys.back())) << h.name;
        EXPECT_TRUE(sameText(reopened.germanName(), h.text)) << h.name;
        EXPECT_TRUE(sameText(reopened.englishName(), h.text)) << h.name;
        EXPECT_TRUE(sameText(reopened.producer(), h.text)) << h.name;
        EXPECT_TRUE(sameText(reopened.hintGerman(), h.text)) << h.name;
    }
    EXPECT_EQ(shapeOf(db).tables, before.tables);
    EXPECT_EQ(shapeOf(db).feedstuffs.toInt(), before.feedstuffs.toInt() + hostileTexts().size());

    CaseWindowLogic w(db, CaseWindowLogic::Page::Ration);
    RationPage& page = w.page();
    page.filterClicked();
    ASSERT_TRUE(page.feedModel().fetchAll());
    const std::vector<ChoiceList::Entry> all = page.feedList().entries();
    for (int i = 0; i < hostileTexts().size(); ++i) {
        const Hostile& h = hostileTexts()[i];
        QStringList expected;
        for (const ChoiceList::Entry& entry : all) {
            // The page searches the trimmed text.
            if (searchFinds(h.text.trimmed(), entry.text))
                expected << QString::number(entry.data);
        }
        page.setSearchText(h.text);
        page.filterClicked();
        ASSERT_TRUE(page.feedModel().fetchAll());
        QStringList found;
        for (const ChoiceList::Entry& entry : page.feedList().entries())
            found << QString::number(entry.data);
        EXPECT_EQ(found, expected) << h.name;
        EXPECT_TRUE(found.contains(QString::number(keys[i]))) << h.name;
    }
}

TEST(HostileTextTest, SystemTableCellsAreStoredAsTyped)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    db.context().setOwnerCode(QStringLiteral("M"));
    const DatabaseShape before = shapeOf(db);
    for (const Hostile& h : hostileTexts()) {
        RecordingPrompt prompt;
        // Table 10 lists the species; column 1 is the German name.
        SystemTableEditor editor(db.context(), prompt);
        ASSERT_TRUE(editor.loadTable(10));
        editor.grid().endEdit(2, 1, h.text);
        EXPECT_EQ(prompt.texts(), QStringList()) << h.name;
        // The editor stores a cell without its blank edges (blank alone is NULL).
        EXPECT_TRUE(sameText(editor.grid().text(2, 1), h.text.trimmed())) << h.name;
        SystemTableEditor reopened(db.context(), prompt);
        ASSERT_TRUE(reopened.loadTable(10));
        EXPECT_TRUE(sameText(reopened.grid().text(2, 1), h.text.trimmed())) << h.name;
    }
    EXPECT_EQ(shapeOf(db), before);
}

} // namespace
