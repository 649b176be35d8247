#include "app/gui/StartWindow.h"

#include "app/gui/StartView.h"

#include <QEvent>
#include <QMdiArea>

StartWindow::StartWindow(const QString& languageCode, QMdiArea* workspace)
    : QMdiSubWindow(nullptr, Qt::FramelessWindowHint)
    , m_workspace(workspace)
    , m_view(new StartView(languageCode, this))
{
    setObjectName(QStringLiteral("StartWindow"));
    setWidget(m_view);
    workspace->addSubWindow(this);
    // The main window is maximised after the start window opens, so the
    // window follows the workspace's size rather than taking it once.
    workspace->viewport()->installEventFilter(this);
    coverWorkspace();
}

bool StartWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_workspace->viewport() && event->type() == QEvent::Resize)
        coverWorkspace();
    return QMdiSubWindow::eventFilter(watched, event);
}

void StartWindow::coverWorkspace()
{
    if (!isMaximized() && !isMinimized())
        setGeometry(QRect(QPoint(0, 0), m_workspace->viewport()->size()));
}
