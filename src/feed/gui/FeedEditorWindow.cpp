#include "feed/gui/FeedEditorWindow.h"

#include "db/AppContext.h"
#include "feed/FeedEditor.h"
#include "feed/gui/FeedEditorView.h"
#include "ui/gui/MessageBoxPrompt.h"

#include <QCloseEvent>
#include <QMdiArea>

FeedEditorWindow* FeedEditorWindow::open(QMdiArea& workspace, AppContext& context, Prompt* prompt)
{
    auto* window = new FeedEditorWindow(context, prompt);
    window->setAttribute(Qt::WA_DeleteOnClose);
    workspace.addSubWindow(window);
    // The grids grow with the window, so it takes the whole workspace.
    window->setGeometry(QRect(QPoint(0, 0), workspace.viewport()->size()));
    window->show();
    return window;
}

FeedEditorWindow::FeedEditorWindow(AppContext& context, Prompt* prompt, QWidget* parent)
    : QMdiSubWindow(parent)
{
    if (!prompt) {
        m_ownPrompt = std::make_unique<MessageBoxPrompt>(this);
        prompt = m_ownPrompt.get();
    }
    m_editor = std::make_unique<FeedEditor>(context, *prompt);
    setObjectName(QStringLiteral("FeedEditorWindow"));
    setWindowTitle(FeedEditor::windowTitle(context.languageCode()));
    m_view = new FeedEditorView(*m_editor);
    setWidget(m_view);
    // Empty lists would leave nothing to choose until "Neu" is pressed.
    m_editor->newClicked();
}

FeedEditorWindow::~FeedEditorWindow()
{
    // The grids' views go before the editor whose models they show.
    delete m_view;
}

void FeedEditorWindow::closeEvent(QCloseEvent* event)
{
    // A grid cell still being edited counts as typed.
    m_view->commitGridEdits();
    if (!m_editor->canClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
