#pragma once

#include "app/MainWindowLogic.h"

#include <QHash>
#include <QMainWindow>

class AppContext;
class Prompt;
class QMdiArea;
class QMdiSubWindow;
class ResultBar;
class SearchBarView;
class StartWindow;

// The program's main window: the menu of the language it was started in, the
// search bar and result bar, the status bar and the area that holds the
// working windows.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(AppContext& context, Prompt& prompt, QWidget* parent = nullptr);

    QMdiArea* workspace() const { return m_workspace; }
    // The menu action with a command identifier, or null.
    QAction* commandAction(int id) const { return m_actions.value(id); }
    // Runs a command as its menu entry or bar button does (menu identifiers,
    // search 1001, new case 1009); false for an unknown or disabled one.
    bool runCommand(int id);

    SearchBarView* searchBar() const { return m_searchBar; }
    // Null until the ration command or a search first needs it.
    ResultBar* resultBar() const { return m_resultBar; }

    // Opens the start window over the workspace in the current language.
    StartWindow* openStartWindow();
    // Opens a new, empty case window.
    QMdiSubWindow* openCaseWindow();
    // Opens a new case window on a stored case, as a click in the case list does.
    QMdiSubWindow* openStoredCase(qint64 caseKey);

    QMenu* createPopupMenu() override;

private:
    void buildMenus();
    void updateLanguageMarks();
    void showRationBars();
    void tileWindows(MainWindowLogic::Tiling tiling);
    void arrangeIcons();
    void search();
    ResultBar* makeResultBar(MainWindowLogic::ResultBarOrigin origin);
    void openHelp(int command);
    void showAbout();
    void showInformation();

    AppContext& m_context;
    Prompt& m_prompt;
    QMdiArea* m_workspace;
    QHash<int, QAction*> m_actions;
    SearchBarView* m_searchBar = nullptr;
    ResultBar* m_resultBar = nullptr;
};
