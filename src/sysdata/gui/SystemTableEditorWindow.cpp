#include "sysdata/gui/SystemTableEditorWindow.h"

#include "db/AppContext.h"
#include "sysdata/SystemTableEditor.h"
#include "sysdata/gui/SystemTableView.h"
#include "ui/gui/MessageBoxPrompt.h"

#include <QMdiArea>

SystemTableEditorWindow* SystemTableEditorWindow::open(QMdiArea& workspace, AppContext& context,
                                                       Prompt* prompt, int presetTable,
                                                       const QString& filterValue)
{
    auto* window = new SystemTableEditorWindow(context, prompt, presetTable, filterValue);
    window->setAttribute(Qt::WA_DeleteOnClose);
    workspace.addSubWindow(window);
    // The grid grows with the window, so it takes the whole workspace.
    window->setGeometry(QRect(QPoint(0, 0), workspace.viewport()->size()));
    window->show();
    return window;
}

SystemTableEditorWindow::SystemTableEditorWindow(AppContext& context, Prompt* prompt, int presetTable,
                                                 const QString& filterValue, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_context(context)
    , m_givenPrompt(prompt)
{
    if (!prompt) {
        m_ownPrompt = std::make_unique<MessageBoxPrompt>(this);
        prompt = m_ownPrompt.get();
    }
    m_editor = std::make_unique<SystemTableEditor>(context, *prompt, presetTable, filterValue);
    setObjectName(QStringLiteral("SystemTableEditorWindow"));
    setWindowTitle(SystemTableEditor::windowTitle(context.languageCode()));
    m_view = new SystemTableView(*m_editor, context, *prompt);
    setWidget(m_view);
    connect(m_view, &SystemTableView::dependentWindowWanted, this, &SystemTableEditorWindow::openDependent);
    m_editor->open();
}

SystemTableEditorWindow::~SystemTableEditorWindow()
{
    // The grid's view goes before the editor whose model it shows.
    delete m_view;
}

void SystemTableEditorWindow::openDependent(int table, const QString& filterValue)
{
    QMdiArea* workspace = mdiArea();
    if (!workspace)
        return;
    SystemTableEditorWindow* window = open(*workspace, m_context, m_givenPrompt, table, filterValue);
    window->setWindowTitle(SystemTableEditor::dependentWindowTitle());
}
