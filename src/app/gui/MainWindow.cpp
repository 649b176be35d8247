#include "app/gui/MainWindow.h"

#include "app/gui/AboutDialog.h"
#include "db/AppContext.h"
#include "app/ApplicationStartup.h"
#include "app/gui/CaseListView.h"
#include "app/gui/CaseWindow.h"
#include "app/HelpDocuments.h"
#include "app/LanguageSwitch.h"
#include "app/MainMenu.h"
#include "app/gui/ResultBar.h"
#include "app/gui/SearchBarView.h"
#include "app/gui/StartWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QUrl>

MainWindow::MainWindow(AppContext& context, Prompt& prompt, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_workspace(new QMdiArea(this))
{
    setCentralWidget(m_workspace);
    // A case window made before the result bar appeared is taller than what
    // the bar leaves of the workspace; its lower part stays within reach.
    m_workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWindowTitle(ApplicationStartup::mainWindowTitle(context.dataDirectory()));
    buildMenus();
    updateLanguageMarks();
    statusBar()->hide();

    // The bar is made in the language of the start and keeps its texts and
    // lists for the run.
    m_searchBar = new SearchBarView(context.languageCode(), context.db(), this);
    addDockWidget(Qt::TopDockWidgetArea, m_searchBar);
    m_searchBar->hide();
    connect(m_searchBar, &SearchBarView::searchClicked, this, [this] { runCommand(SearchBar::SearchButton); });
    connect(m_searchBar, &SearchBarView::newCaseClicked, this, [this] { runCommand(SearchBar::NewCaseButton); });
}

// The bars are not switched on and off from a menu of their own.
QMenu* MainWindow::createPopupMenu()
{
    return nullptr;
}

void MainWindow::buildMenus()
{
    // Windows of features still to come stay visible but disabled.
    static const QList<int> notYetAvailable = {
        MainMenu::SystemExportDe, MainMenu::SystemImportDe, MainMenu::SystemEditDe,
        MainMenu::SystemExportUs, MainMenu::SystemImportUs, MainMenu::SystemEditUs,
        MainMenu::ImportUserFeedstuffs, MainMenu::EditFeedstuffs, MainMenu::ToggleToolbar};
    for (const MainMenu::Menu& menu : MainMenu::menus(m_context.languageCode())) {
        if (menu.commandId != 0) {
            QAction* action = menuBar()->addAction(menu.title);
            action->setData(menu.commandId);
            m_actions.insert(menu.commandId, action);
            connect(action, &QAction::triggered, this, [this, id = menu.commandId] { runCommand(id); });
            continue;
        }
        QMenu* dropDown = menuBar()->addMenu(menu.title);
        for (const MainMenu::Entry& entry : menu.entries) {
            if (entry.id == 0) {
                dropDown->addSeparator();
                continue;
            }
            QAction* action = dropDown->addAction(entry.text);
            action->setData(entry.id);
            action->setEnabled(!notYetAvailable.contains(entry.id));
            if (entry.id == MainMenu::German || entry.id == MainMenu::English
                || entry.id == MainMenu::ToggleStatusBar)
                action->setCheckable(true);
            m_actions.insert(entry.id, action);
            connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
        }
    }
}

void MainWindow::updateLanguageMarks()
{
    const bool german = m_context.languageCode() == QLatin1String("DE");
    m_actions.value(MainMenu::German)->setChecked(german);
    m_actions.value(MainMenu::English)->setChecked(!german);
}

bool MainWindow::runCommand(int id)
{
    QAction* action = m_actions.value(id);
    if (action && !action->isEnabled())
        return false;
    switch (id) {
    case MainMenu::Exit:
        close();
        return true;
    case MainMenu::Ration:
        showRationBars();
        return true;
    case SearchBar::SearchButton:
        search();
        return true;
    case SearchBar::NewCaseButton:
        openCaseWindow();
        return true;
    case MainMenu::German:
    case MainMenu::English:
        LanguageSwitch::apply(m_context, id == MainMenu::German ? QStringLiteral("DE") : QStringLiteral("US"),
                              m_prompt);
        updateLanguageMarks();
        return true;
    case MainMenu::ToggleStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        m_actions.value(id)->setChecked(statusBar()->isVisible());
        return true;
    case MainMenu::Cascade:
        m_workspace->cascadeSubWindows();
        return true;
    case MainMenu::TileHorizontal:
        tileWindows(MainWindowLogic::Tiling::SideBySide);
        return true;
    case MainMenu::TileVertical:
        tileWindows(MainWindowLogic::Tiling::AboveEachOther);
        return true;
    case MainMenu::ArrangeIcons:
        arrangeIcons();
        return true;
    case MainMenu::UserHelpDe:
    case MainMenu::UserHelpUs:
    case MainMenu::HelpTopics:
    case HelpDocuments::HelpManual:
        openHelp(id);
        return true;
    case MainMenu::About:
        showAbout();
        return true;
    case MainMenu::InfoDe:
    case MainMenu::InfoUs:
        showInformation();
        return true;
    default:
        return false;
    }
}

// The first use shows the search bar and makes the result bar without showing
// it; later uses show both.
void MainWindow::showRationBars()
{
    m_searchBar->show();
    if (m_resultBar)
        m_resultBar->show();
    else
        makeResultBar(MainWindowLogic::ResultBarOrigin::RationCommand);
}

void MainWindow::search()
{
    const CaseSearchCriteria criteria = m_searchBar->logic().criteria();
    if (!m_resultBar)
        makeResultBar(MainWindowLogic::ResultBarOrigin::Search);
    m_resultBar->show();
    m_resultBar->caseList()->runSearch(criteria);
}

ResultBar* MainWindow::makeResultBar(MainWindowLogic::ResultBarOrigin origin)
{
    m_resultBar = new ResultBar(m_context, m_prompt, origin, this);
    connect(m_resultBar->caseList(), &CaseListView::openCaseRequested, this, &MainWindow::openStoredCase);
    addDockWidget(Qt::BottomDockWidgetArea, m_resultBar);
    m_resultBar->hide();
    return m_resultBar;
}

void MainWindow::tileWindows(MainWindowLogic::Tiling tiling)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_workspace->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized())
            windows << window;
    }
    const QList<QRect> places = MainWindowLogic::tile(m_workspace->viewport()->size(), int(windows.size()), tiling);
    for (int i = 0; i < windows.size(); ++i) {
        if (windows.at(i)->isMaximized())
            windows.at(i)->showNormal();
        windows.at(i)->setGeometry(places.at(i));
    }
}

void MainWindow::arrangeIcons()
{
    QList<QMdiSubWindow*> icons;
    QList<QSize> sizes;
    for (QMdiSubWindow* window : m_workspace->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && window->isMinimized()) {
            icons << window;
            sizes << window->size();
        }
    }
    const QList<QPoint> places = MainWindowLogic::arrangeIcons(m_workspace->viewport()->size(), sizes);
    for (int i = 0; i < icons.size(); ++i)
        icons.at(i)->move(places.at(i));
}

StartWindow* MainWindow::openStartWindow()
{
    auto* window = new StartWindow(m_context.languageCode(), m_workspace);
    window->show();
    return window;
}

QMdiSubWindow* MainWindow::openCaseWindow()
{
    return CaseWindow::open(*m_workspace, m_context, &m_prompt);
}

QMdiSubWindow* MainWindow::openStoredCase(qint64 caseKey)
{
    return CaseWindow::openStored(*m_workspace, m_context, caseKey, &m_prompt);
}

void MainWindow::openHelp(int command)
{
    const QString path = HelpDocuments::existingPath(command, m_context.languageCode(), m_context.dataDirectory());
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QApplication::restoreOverrideCursor();
}

void MainWindow::showAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::showInformation()
{
    InformationDialog dialog(m_context, this);
    dialog.exec();
}
