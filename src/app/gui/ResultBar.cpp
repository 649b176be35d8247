#include "app/gui/ResultBar.h"

#include "app/gui/CaseListView.h"
#include "db/AppContext.h"

ResultBar::ResultBar(AppContext& context, Prompt& prompt, MainWindowLogic::ResultBarOrigin origin,
                     QWidget* parent)
    : DockBar(MainWindowLogic::resultBarCaption(context.languageCode()), QStringLiteral("ResultBar"), parent)
{
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    m_caseList = new CaseListView(context, prompt, MainWindowLogic::resultBarInitialSize(origin), this);
    setWidget(m_caseList);
}
