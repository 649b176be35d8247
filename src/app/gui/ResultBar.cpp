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
    // The list reads its first screen before it counts; the count follows in the caption.
    const QString language = context.languageCode();
    connect(&m_caseList->logic(), &CaseList::caseCountKnown, this, [this, language](int count) {
        setWindowTitle(MainWindowLogic::resultBarCaption(language, count));
    });
    connect(&m_caseList->logic(), &CaseList::searchFailed, this,
            [this, language] { setWindowTitle(MainWindowLogic::resultBarFailedCaption(language)); });
    connect(&m_caseList->logic(), &QAbstractItemModel::modelReset, this,
            [this, language] { setWindowTitle(MainWindowLogic::resultBarCaption(language)); });
}
