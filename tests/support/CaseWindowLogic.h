#pragma once

#include "core/Prompt.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationPage.h"
#include "ration/RationPageHooks.h"
#include "support/TestDatabase.h"
#include "ui/GridModel.h"

#include <QStringList>

#include <memory>

// What the header form asks of the ration page, as the names of the calls.
struct CountingHooks : RationPageHooks
{
    QStringList calls;
    void fillCategoryFilter() override { calls << QStringLiteral("category"); }
    void fillTypeFilter() override { calls << QStringLiteral("type"); }
    void fillFeedList() override { calls << QStringLiteral("feed"); }
};

// A case window's logic without the window: its header form and either its
// ration page, or the page's grids alone with the form's calls to the page
// counted. As soon as the database is open the page is set up and the case
// (caseKey, or a new one) opened, as the window does; the grids alone are
// built, and the test opens the case itself.
class CaseWindowLogic
{
public:
    enum class Page { Ration, CountedHooks };

    // Over a new database of data, in language.
    explicit CaseWindowLogic(const QString& language = QStringLiteral("DE"),
                             TestDatabase::Data data = TestDatabase::Data::Fixture, Page page = Page::Ration,
                             const QString& caseKey = QString());
    // Over db, which the test keeps.
    CaseWindowLogic(TestDatabase& db, Page page, const QString& caseKey = QString());
    // Over a context of its own that the test opens, on a server say, and
    // then opens the case.
    explicit CaseWindowLogic(Page page);

private:
    std::unique_ptr<TestDatabase> m_ownDatabase;
    std::unique_ptr<AppContext> m_ownContext;
    TestDatabase* m_db;
    bool m_gridsBuilt = false;

public:
    AppContext& context;
    RecordingPrompt prompt;
    CountingHooks hooks;
    CaseHeaderForm form;

    TestDatabase& db() { return *m_db; }
    RationPage& page() { return *m_page; }

    // Opens the case key, or a new one, building the grids first if the
    // database was not open before.
    void open(const QString& caseKey = QString());

    // Which entry of list holds data; -1 for none.
    static int indexOf(const ChoiceList& list, int data);
    void chooseSpecies(int key) { form.userChoseSpecies(indexOf(form.speciesList(), key)); }
    void chooseSex(int key) { form.userChoseSex(indexOf(form.sexList(), key)); }
    void chooseCaseType(int key) { form.userChoseCaseType(indexOf(form.caseTypeList(), key)); }
    // A male dog of caseType.
    void chooseDogCase(int caseType = 7);
    // A male dog for maintenance weighing 20 kg now and as its target.
    void chooseAdultDog();
    // A complete new maintenance case of a dog, ready to save.
    void fillDogCase(const QString& owner = QStringLiteral("Meier"),
                     const QString& patient = QStringLiteral("Hasso"),
                     const QString& title = QStringLiteral("Neu"));
    void chooseCategory(int data) { page().userChoseCategory(indexOf(page().categoryList(), data)); }
    void chooseType(int data) { page().userChoseType(indexOf(page().typeList(), data)); }

    // Picks the feedstuff in the page's list, as the user does.
    void pick(int feed);
    // Picks it and types its amount; its row in the ration grid.
    int pickWithAmount(int feed, const QString& amount);
    // Adds a feedstuff row straight to the grids, past the page.
    void addFeed(const char* key, const char* amount);

    GridModel& grid() { return form.ration().rationGrid(); }
    GridModel& profile() { return form.ration().profileGrid(); }
    int column(const char* nutrient);
    int column(int nutrient);
    // The ration grid's cell as shown.
    QString shown(int row, int nutrient) { return grid().shownText(row, column(nutrient)); }
    // The texts of a ration grid row from the first nutrient on.
    QStringList row(int r);
    // The feedstuff rows as "key|name|amount".
    QStringList feedRows();
    QString requirement(const char* key) { return form.ration().lookupRequirement(QLatin1String(key)); }
    // The number of stored cases.
    QString caseCount() { return db().rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")); }

private:
    CaseWindowLogic(std::unique_ptr<TestDatabase> ownDatabase, std::unique_ptr<AppContext> ownContext,
                    TestDatabase* db, Page page, const QString& caseKey);
    void buildGrids();

    std::unique_ptr<RationPage> m_page;
};
