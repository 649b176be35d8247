#include "ResultBar.h"

#include "AppContext.h"
#include "EmptyCaseList.h"

ResultBar::ResultBar(AppContext& context, MainWindowLogic::ResultBarOrigin origin, QWidget* parent)
    : DockBar(MainWindowLogic::resultBarCaption(context.languageCode()), QStringLiteral("ResultBar"), parent)
{
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    auto* list = new EmptyCaseList(MainWindowLogic::resultBarInitialSize(origin), this);
    m_caseList = list;
    setWidget(list);
}
