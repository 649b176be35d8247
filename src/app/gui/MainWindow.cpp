#include "MainWindow.h"

#include "AboutDialog.h"
#include "AppContext.h"
#include "ApplicationStartup.h"
#include "HelpDocuments.h"
#include "LanguageSwitch.h"
#include "MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMdiArea>
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
    setWindowTitle(ApplicationStartup::mainWindowTitle(context.dataDirectory()));
    buildMenus();
    updateLanguageMarks();
    statusBar()->hide();
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
    case MainMenu::TileVertical:
    case MainMenu::ArrangeIcons:
        m_workspace->tileSubWindows();
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
