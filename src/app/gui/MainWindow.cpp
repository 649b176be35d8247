#include "app/gui/MainWindow.h"

#include "app/ApplicationStartup.h"
#include "app/LanguageSwitch.h"
#include "app/MainMenu.h"
#include "app/MainWindowTexts.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/CaseListView.h"
#include "app/gui/CaseWindow.h"
#include "app/gui/DatabaseCheckDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/PracticeDetailsDialog.h"
#include "app/gui/QtTranslations.h"
#include "app/gui/ResultBar.h"
#include "app/gui/SearchBarView.h"
#include "app/gui/StartWindow.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "db/DatabaseBackup.h"
#include "exchange/gui/ExchangeDialog.h"
#include "exchange/gui/LegacyImportDialog.h"
#include "feed/gui/FeedEditorWindow.h"
#include "sysdata/gui/SystemTableEditorWindow.h"
#include "ui/gui/DialogFileChooser.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QProgressDialog>
#include <QSessionManager>
#include <QStatusBar>
#include <QUrl>

namespace {

// A copy finished within this time shows no progress dialog.
constexpr int BackupProgressDelayMs = 300;

} // namespace

MainWindow::MainWindow(AppContext& context, Prompt& prompt, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_menuLanguageCode(context.languageCode())
    , m_workspace(new QMdiArea(this))
    , m_systemFileChooser(std::make_unique<DialogFileChooser>(this))
    , m_fileChooser(m_systemFileChooser.get())
{
    setCentralWidget(m_workspace);
    QtTranslations::apply(context.languageCode());
    // Logging out of the desktop asks like closing the window does.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (manager.allowsInteraction()) {
            const bool closed = closeCaseWindows();
            manager.release();
            if (!closed)
                manager.cancel();
        }
    });
    // A case window made before the result bar appeared is taller than what
    // the bar leaves of the workspace; its lower part stays within reach.
    m_workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The start picture stays behind the working windows: when one closes,
    // or the picture is clicked, the working window in front takes its place.
    connect(m_workspace, &QMdiArea::subWindowActivated, this, &MainWindow::keepStartWindowBehind);
    setWindowTitle(ApplicationStartup::mainWindowTitle(context.dataDirectory(), context.connectionString()));
    createActions();
    buildMenus();
    updateLanguageMarks();
    statusBar()->hide();

    // The bar is made in the language of the start and keeps its texts and
    // lists for the run.
    m_searchBar = new SearchBarView(context.languageCode(), context.db(), this);
    addDockWidget(Qt::TopDockWidgetArea, m_searchBar);
    m_searchBar->hide();
    connect(m_searchBar, &SearchBarView::searchClicked, this, &MainWindow::search);
    connect(m_searchBar, &SearchBarView::newCaseClicked, this, &MainWindow::openCaseWindow);
}

// The bars are not switched on and off from a menu of their own.
QMenu* MainWindow::createPopupMenu()
{
    return nullptr;
}

void MainWindow::createActions()
{
    m_actions.practiceDetails = makeAction("actionPracticeDetails", &MainWindow::editPracticeDetails);
    m_actions.checkDatabase = makeAction("actionCheckDatabase", &MainWindow::checkDatabase);
    m_actions.backup = makeAction("actionBackup", &MainWindow::backupDatabase);
    m_actions.exit = makeAction("actionExit", &MainWindow::quit);
    m_actions.systemExport = makeAction("actionSystemExport", &MainWindow::exportSystemData);
    m_actions.systemImport = makeAction("actionSystemImport", &MainWindow::importSystemData);
    m_actions.systemEdit = makeAction("actionSystemEdit", &MainWindow::editSystemData);
    m_actions.importUserFeedstuffs =
        makeAction("actionImportUserFeedstuffs", &MainWindow::importUserFeedstuffs);
    m_actions.editFeedstuffs = makeAction("actionEditFeedstuffs", &MainWindow::editFeedstuffs);
    m_actions.ration = makeAction("actionRation", &MainWindow::showRation);
    m_actions.german = makeAction("actionGerman", &MainWindow::switchToGerman);
    m_actions.english = makeAction("actionEnglish", &MainWindow::switchToEnglish);
    m_actions.toolbar = makeAction("actionToolbar");
    m_actions.statusBar = makeAction("actionStatusBar", &MainWindow::toggleStatusBar);
    m_actions.cascade = makeAction("actionCascade", &MainWindow::cascade);
    m_actions.tileHorizontal = makeAction("actionTileHorizontal", &MainWindow::tileHorizontally);
    m_actions.tileVertical = makeAction("actionTileVertical", &MainWindow::tileVertically);
    m_actions.arrangeIcons = makeAction("actionArrangeIcons", &MainWindow::arrangeIcons);
    m_actions.userHelp = makeAction("actionUserHelp", &MainWindow::showUserHelp);
    m_actions.helpTopics = makeAction("actionHelpTopics", &MainWindow::showHelpTopics);
    m_actions.about = makeAction("actionAbout", &MainWindow::showAbout);
    m_actions.info = makeAction("actionInfo", &MainWindow::showInformation);
    for (QAction* mark : {m_actions.german, m_actions.english, m_actions.statusBar})
        mark->setCheckable(true);
}

QAction* MainWindow::makeAction(const char* name, void (MainWindow::*command)())
{
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    // Commands of features still to come stay visible but disabled.
    if (command)
        connect(action, &QAction::triggered, this, command);
    else
        action->setEnabled(false);
    return action;
}

void MainWindow::buildMenus()
{
    for (const MainMenu::Menu& menu : MainMenu::menus(m_menuLanguageCode)) {
        if (!menu.action.isEmpty()) {
            menuBar()->addAction(placedAction(menu.action, menu.commandId, menu.title));
            continue;
        }
        QMenu* dropDown = menuBar()->addMenu(menu.title);
        for (const MainMenu::Entry& entry : menu.entries) {
            if (entry.action.isEmpty())
                dropDown->addSeparator();
            else
                dropDown->addAction(placedAction(entry.action, entry.id, entry.text));
        }
    }
}

// The action of that name with the text and command identifier of its entry.
QAction* MainWindow::placedAction(const QString& name, int id, const QString& text)
{
    auto* action = findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
    Q_ASSERT(action);
    action->setText(text);
    action->setData(id);
    return action;
}

void MainWindow::updateLanguageMarks()
{
    const bool german = m_context.languageCode() == Lang::German;
    m_actions.german->setChecked(german);
    m_actions.english->setChecked(!german);
}

void MainWindow::quit()
{
    close();
}

bool MainWindow::closeCaseWindows()
{
    for (QMdiSubWindow* window : m_workspace->subWindowList()) {
        // A feedstuff editor asks about its unsaved changes as a case window does.
        if (!qobject_cast<CaseWindow*>(window) && !qobject_cast<FeedEditorWindow*>(window))
            continue;
        // The question is about the window in front.
        m_workspace->setActiveSubWindow(window);
        if (!window->close())
            return false;
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!closeCaseWindows()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::switchToGerman()
{
    switchLanguage(Lang::German);
}

void MainWindow::switchToEnglish()
{
    switchLanguage(Lang::English);
}

void MainWindow::switchLanguage(const QString& code)
{
    LanguageSwitch::apply(m_context, code, m_prompt);
    QtTranslations::apply(m_context.languageCode());
    updateLanguageMarks();
}

void MainWindow::toggleStatusBar()
{
    statusBar()->setVisible(!statusBar()->isVisible());
    m_actions.statusBar->setChecked(statusBar()->isVisible());
}

void MainWindow::cascade()
{
    m_workspace->cascadeSubWindows();
}

void MainWindow::tileHorizontally()
{
    tileWindows(MainWindowLogic::Tiling::SideBySide);
}

void MainWindow::tileVertically()
{
    tileWindows(MainWindowLogic::Tiling::AboveEachOther);
}

// The first use shows the search bar and makes the result bar without showing
// it; later uses show both.
void MainWindow::showRation()
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
    const QList<QRect> places =
        MainWindowLogic::tile(m_workspace->viewport()->size(), int(windows.size()), tiling);
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

void MainWindow::keepStartWindowBehind(QMdiSubWindow* activated)
{
    if (!qobject_cast<StartWindow*>(activated))
        return;
    // The top-most working window still shown; a closing window is hidden
    // already. Minimised ones come only when no other is left.
    QMdiSubWindow* front = nullptr;
    for (QMdiSubWindow* window : m_workspace->subWindowList(QMdiArea::StackingOrder)) {
        if (window == activated || qobject_cast<StartWindow*>(window) || !window->isVisible())
            continue;
        if (!front || front->isMinimized() || !window->isMinimized())
            front = window;
    }
    if (!front)
        return;
    // The workspace raises the start window once this signal is through;
    // the working window comes back on top after that.
    QMetaObject::invokeMethod(
        this,
        [this, front = QPointer<QMdiSubWindow>(front)] {
            if (front && qobject_cast<StartWindow*>(m_workspace->activeSubWindow())) {
                m_workspace->setActiveSubWindow(front);
                front->raise();
            }
        },
        Qt::QueuedConnection);
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

void MainWindow::editFeedstuffs()
{
    FeedEditorWindow::open(*m_workspace, m_context, &m_prompt);
}

void MainWindow::editSystemData()
{
    SystemTableEditorWindow::open(*m_workspace, m_context, &m_prompt);
}

void MainWindow::exportSystemData()
{
    ExchangeDialog dialog(ExchangeDialog::Mode::Export, m_context, m_prompt, *m_fileChooser, this);
    dialog.exec();
}

void MainWindow::importSystemData()
{
    ExchangeDialog dialog(ExchangeDialog::Mode::Import, m_context, m_prompt, *m_fileChooser, this);
    dialog.exec();
}

void MainWindow::editPracticeDetails()
{
    PracticeDetailsDialog dialog(m_context, m_prompt, *m_fileChooser, this);
    if (dialog.loaded())
        dialog.exec();
}

void MainWindow::checkDatabase()
{
    DatabaseCheckDialog dialog(m_context, m_prompt, this);
    dialog.exec();
}

void MainWindow::backupDatabase()
{
    const QString language = m_context.languageCode();
    if (!DatabaseBackup(m_context, m_prompt).canWriteCopy())
        return;
    const QString path = m_fileChooser->chooseSave(MainWindowTexts::Backup.in(language));
    if (path.isEmpty())
        return;
    // The copy cannot be stopped half-way; it takes seconds even for years of cases.
    QProgressDialog progress(MainWindowTexts::BackupRunning.in(language), QString(), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(BackupProgressDelayMs);
    DatabaseBackup backup(m_context, m_prompt);
    backup.setProgress([&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    backup.writeTo(path);
}

void MainWindow::importUserFeedstuffs()
{
    LegacyImportDialog dialog(m_context, m_prompt, *m_fileChooser, this);
    dialog.exec();
}

void MainWindow::showUserHelp()
{
    openHelp(m_menuLanguageCode == Lang::German ? HelpDocuments::GermanManual : HelpDocuments::EnglishManual);
}

void MainWindow::showHelpTopics()
{
    openHelp(HelpDocuments::HelpTopics);
}

void MainWindow::openHelp(HelpDocuments::Document document)
{
    const HelpDocuments::Target target =
        HelpDocuments::target(document, m_context.languageCode(), m_context.dataDirectory());
    if (!target.localFile.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QDesktopServices::openUrl(QUrl::fromLocalFile(target.localFile));
        QApplication::restoreOverrideCursor();
        return;
    }
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(m_menuLanguageCode, this);
    m_helpWindow->showDocument(target.manual);
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

HelpWindow* MainWindow::helpWindow() const
{
    return m_helpWindow;
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
