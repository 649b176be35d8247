#include "CRezeptFrameNeu.h"

#include "AppContext.h"
#include "CRezeptForm.h"
#include "CaseHeaderView.h"
#include "MessageBoxPrompt.h"

#include <QCloseEvent>

CRezeptFrameNeu::CRezeptFrameNeu(AppContext& context, Prompt* prompt, QWidget* parent)
    : QMdiSubWindow(parent)
{
    if (!prompt) {
        m_ownPrompt = std::make_unique<MessageBoxPrompt>(this);
        prompt = m_ownPrompt.get();
    }
    m_form = std::make_unique<CRezeptForm>(context, *prompt);
    setObjectName(QStringLiteral("CaseWindow"));
    setWindowTitle(CRezeptForm::windowTitle(context.languageCode()));
    m_view = new CaseHeaderView(context, *prompt, *m_form);
    setWidget(m_view);
}

CRezeptFrameNeu::~CRezeptFrameNeu()
{
    // The grids' views and the fields go before the form they show.
    delete m_view;
}

void CRezeptFrameNeu::openCase(const QString& caseKey)
{
    m_form->setPendingCaseKey(caseKey);
    m_form->InitCaseForm();
    m_view->showLabels();
    m_view->showForm();
}

void CRezeptFrameNeu::closeEvent(QCloseEvent* event)
{
    if (!m_form->canClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
