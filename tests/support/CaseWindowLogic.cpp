#include "support/CaseWindowLogic.h"

CaseWindowLogic::CaseWindowLogic(const QString& language, TestDatabase::Data data, Page page,
                                 const QString& caseKey)
    : CaseWindowLogic(std::make_unique<TestDatabase>(data, language), nullptr, nullptr, page, caseKey)
{
}

CaseWindowLogic::CaseWindowLogic(TestDatabase& db, Page page, const QString& caseKey)
    : CaseWindowLogic(nullptr, nullptr, &db, page, caseKey)
{
}

CaseWindowLogic::CaseWindowLogic(Page page)
    : CaseWindowLogic(nullptr, std::make_unique<AppContext>(), nullptr, page, QString())
{
}

CaseWindowLogic::CaseWindowLogic(std::unique_ptr<TestDatabase> ownDatabase,
                                 std::unique_ptr<AppContext> ownContext, TestDatabase* db, Page page,
                                 const QString& caseKey)
    : m_ownDatabase(std::move(ownDatabase))
    , m_ownContext(std::move(ownContext))
    , m_db(m_ownDatabase ? m_ownDatabase.get() : db)
    , context(m_db ? m_db->context() : *m_ownContext)
    , form(context, prompt)
{
    if (page == Page::Ration)
        m_page = std::make_unique<RationPage>(context, prompt, form);
    else
        form.setRationPageHooks(&hooks);
    if (!context.db().isOpen())
        return;
    if (m_page)
        open(caseKey);
    else
        buildGrids();
}

void CaseWindowLogic::buildGrids()
{
    form.ration().buildRationGrid();
    form.ration().buildProfileGrid();
    m_gridsBuilt = true;
}

void CaseWindowLogic::open(const QString& caseKey)
{
    if (!m_page && !m_gridsBuilt)
        buildGrids();
    form.setPendingCaseKey(caseKey);
    if (m_page)
        m_page->setUp();
    form.initCaseForm();
}

int CaseWindowLogic::indexOf(const ChoiceList& list, int data)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.entries()[size_t(i)].data == data)
            return i;
    }
    return -1;
}

void CaseWindowLogic::chooseDogCase(int caseType)
{
    chooseSpecies(2);
    chooseSex(1);
    chooseCaseType(caseType);
}

void CaseWindowLogic::chooseAdultDog()
{
    chooseDogCase();
    form.setActualWeight(QStringLiteral("20"));
    form.setTargetWeight(QStringLiteral("20"));
}

void CaseWindowLogic::fillDogCase(const QString& owner, const QString& patient, const QString& title)
{
    open();
    form.userChoseSalutation(indexOf(form.salutationList(), 1));
    form.setOwnerName(owner);
    form.setPatientName(patient);
    chooseDogCase();
    form.setActualWeight(QStringLiteral("20"));
    form.setTargetWeight(QStringLiteral("18"));
    form.setTitle(title);
}

void CaseWindowLogic::pick(int feed)
{
    page().setFeedChoice(page().feedModel().findData(feed));
    page().feedListClosed();
}

int CaseWindowLogic::pickWithAmount(int feed, const QString& amount)
{
    pick(feed);
    const int row = form.ration().grids().feedRow(QString::number(feed));
    grid().endEdit(row, 2, amount);
    return row;
}

void CaseWindowLogic::addFeed(const char* key, const char* amount)
{
    RationGrids& grids = form.ration().grids();
    grids.appendFeedRow(QLatin1String(key), QStringLiteral("Futter ") + QLatin1String(key),
                        QLatin1String(amount));
    form.ration().recalcContributions(QLatin1String(key), QLatin1String(amount));
}

int CaseWindowLogic::column(const char* nutrient)
{
    return NutrientColumns::find(grid(), QLatin1String(nutrient));
}

int CaseWindowLogic::column(int nutrient)
{
    return NutrientColumns::find(grid(), QString::number(nutrient));
}

QStringList CaseWindowLogic::row(int r)
{
    QStringList texts;
    for (int c = NutrientColumns::FirstColumn; c < grid().columnCount(); ++c)
        texts << grid().text(r, c);
    return texts;
}

QStringList CaseWindowLogic::feedRows()
{
    QStringList rows;
    for (int r = NutrientColumns::FirstFeedRow; r < grid().rowCount(); ++r)
        rows << grid().text(r, 0) + QLatin1Char('|') + grid().text(r, 1) + QLatin1Char('|') +
                    grid().text(r, 2);
    return rows;
}
