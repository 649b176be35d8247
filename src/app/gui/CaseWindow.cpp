#include "CaseWindow.h"

#include "AppContext.h"
#include "MainWindowLogic.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace CaseWindow {

QMdiSubWindow* open(QMdiArea& workspace, AppContext& context)
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("CaseForm"));
    QMdiSubWindow* window = workspace.addSubWindow(content);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("CaseWindow"));
    window->setWindowTitle(MainWindowLogic::caseWindowTitle(context.languageCode()));
    window->setGeometry(MainWindowLogic::caseWindowGeometry(workspace.viewport()->size()));
    window->show();
    return window;
}

} // namespace CaseWindow
