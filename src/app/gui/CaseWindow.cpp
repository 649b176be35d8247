#include "CaseWindow.h"

#include "AppContext.h"
#include "CRezeptFrameNeu.h"
#include "MainWindowLogic.h"

#include <QMdiArea>

namespace CaseWindow {

namespace {

CRezeptFrameNeu* openWithKey(QMdiArea& workspace, AppContext& context, const QString& caseKey, Prompt* prompt)
{
    auto* window = new CRezeptFrameNeu(context, prompt);
    window->setAttribute(Qt::WA_DeleteOnClose);
    workspace.addSubWindow(window);
    window->setGeometry(MainWindowLogic::caseWindowGeometry(workspace.viewport()->size()));
    window->show();
    window->openCase(caseKey);
    return window;
}

} // namespace

CRezeptFrameNeu* open(QMdiArea& workspace, AppContext& context, Prompt* prompt)
{
    return openWithKey(workspace, context, QString(), prompt);
}

CRezeptFrameNeu* openStored(QMdiArea& workspace, AppContext& context, qint64 caseKey, Prompt* prompt)
{
    return openWithKey(workspace, context, QString::number(caseKey), prompt);
}

} // namespace CaseWindow
