#include "app/gui/CaseWindow.h"

#include "app/MainWindowLogic.h"
#include "app/gui/CaseSheet.h"
#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"
#include "ration/gui/CaseHeaderView.h"
#include "ui/gui/MessageBoxPrompt.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QVBoxLayout>

CaseWindow* CaseWindow::open(QMdiArea& workspace, AppContext& context, Prompt* prompt)
{
    return openWithKey(workspace, context, QString(), prompt);
}

CaseWindow* CaseWindow::openStored(QMdiArea& workspace, AppContext& context, qint64 caseKey, Prompt* prompt)
{
    return openWithKey(workspace, context, QString::number(caseKey), prompt);
}

CaseWindow* CaseWindow::openWithKey(QMdiArea& workspace, AppContext& context, const QString& caseKey,
                                    Prompt* prompt)
{
    auto* window = new CaseWindow(context, prompt);
    window->setAttribute(Qt::WA_DeleteOnClose);
    workspace.addSubWindow(window);
    window->setGeometry(MainWindowLogic::caseWindowGeometry(workspace.viewport()->size()));
    window->show();
    window->openCase(caseKey);
    // Below a low workspace (the result bar takes its share of the main
    // window) the window would cut its pages off at its bottom edge, the
    // nutrient grid after its top rows and the profile over it. It takes at
    // least the room its grids need; the workspace scrolls to the rest.
    window->resize(window->size().expandedTo(window->minimumSizeHint()));
    return window;
}

CaseWindow::CaseWindow(AppContext& context, Prompt* prompt, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_context(context)
    , m_givenPrompt(prompt)
{
    if (!prompt) {
        m_ownPrompt = std::make_unique<MessageBoxPrompt>(this);
        prompt = m_ownPrompt.get();
    }
    m_form = std::make_unique<CaseHeaderForm>(context, *prompt);
    setObjectName(QStringLiteral("CaseWindow"));
    setWindowTitle(CaseHeaderForm::windowTitle(context.languageCode()));

    m_body = new QWidget;
    m_view = new CaseHeaderView(context, *m_form, m_body);
    m_sheet = new CaseSheet(context, *prompt, *m_form, m_body);
    // The recipe and chart pages follow the header while they are shown.
    connect(m_view, &CaseHeaderView::edited, m_sheet, &CaseSheet::refreshCurrentPage);
    connect(m_view, &CaseHeaderView::newVisitRequested, this, [this] { openVisit(); });
    connect(m_sheet, &CaseSheet::visitRequested, this, [this](const QString& energy) { openVisit(energy); });
    // A visit saved in another window gives this case's patient a follow-up.
    connect(this, &QMdiSubWindow::aboutToActivate, m_sheet, &CaseSheet::recheckFollowUp);
    auto* layout = new QVBoxLayout(m_body);
    layout->setContentsMargins(3, 2, 3, 3);
    layout->setSpacing(4);
    layout->addWidget(m_view);
    layout->addWidget(m_sheet, 1);
    setWidget(m_body);
}

CaseWindow::~CaseWindow()
{
    // The grids' views and the fields go before the form they show.
    delete m_body;
}

void CaseWindow::openCase(const QString& caseKey)
{
    m_form->setPendingCaseKey(caseKey);
    m_form->initCaseForm();
    m_view->showLabels();
    m_view->showForm();
    m_sheet->showFollowUp();
}

CaseWindow* CaseWindow::openVisit(const QString& energyPercent)
{
    QMdiArea* workspace = mdiArea();
    const QString key = m_form->loadedCaseKey();
    if (!workspace || key.isEmpty())
        return nullptr;
    CaseWindow* visit = openWithKey(*workspace, m_context, key, m_givenPrompt);
    CaseHeaderForm& form = visit->form();
    if (!form.startVisit())
        return visit;
    if (!energyPercent.isEmpty())
        form.setEnergyPercent(energyPercent);
    visit->m_view->showForm();
    visit->m_sheet->showFollowUp();
    // The sheet shows what the visit's figures give, the ration page first.
    visit->m_sheet->refreshCurrentPage();
    workspace->setActiveSubWindow(visit);
    visit->m_view->controls().actual->setFocus(Qt::OtherFocusReason);
    return visit;
}

void CaseWindow::closeEvent(QCloseEvent* event)
{
    if (!m_form->canClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
