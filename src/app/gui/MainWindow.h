#pragma once

#include "app/HelpDocuments.h"
#include "app/MainWindowLogic.h"
#include "core/FileChooser.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class HelpWindow;
class AppContext;
class Prompt;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class ResultBar;
class SearchBarView;
class StartWindow;

// The program's main window: the menu of the language it was started in, the
// search bar and result bar, the status bar and the area that holds the
// working windows. Each menu command is an action named by its role
// ("actionRation", "actionExit", ...) that runs a slot of the same meaning.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(AppContext& context, Prompt& prompt, QWidget* parent = nullptr);

    QMdiArea* workspace() const { return m_workspace; }

    SearchBarView* searchBar() const { return m_searchBar; }
    // The help window the help commands open the shipped manual in, or null
    // before the first.
    HelpWindow* helpWindow() const;
    // Null until the ration command or a search first needs it.
    ResultBar* resultBar() const { return m_resultBar; }

    // Opens the start window over the workspace in the current language.
    StartWindow* openStartWindow();

    QMenu* createPopupMenu() override;

    // The file dialogs of the export, the import and the logo; tests put in scripted ones.
    void setFileChooser(FileChooser& files) { m_fileChooser = &files; }

    // Closes the case windows and feedstuff editors one by one, each asking
    // its save question when its case or feedstuff changed; false as soon as
    // one stays open, which stops a quit.
    bool closeCaseWindows();

protected:
    void closeEvent(QCloseEvent* event) override;

public slots:
    // Opens a new, empty case window; the search bar's new-case button.
    QMdiSubWindow* openCaseWindow();
    // Opens a new case window on a stored case, as a click in the case list does.
    QMdiSubWindow* openStoredCase(qint64 caseKey);
    // Lists the cases matching the search bar's choices and texts; its search
    // button.
    void search();

private slots:
    void quit();
    void showRation();
    // Opens another feedstuff editor on each use.
    void editFeedstuffs();
    // Opens another system data editor on each use.
    void editSystemData();
    void exportSystemData();
    void importSystemData();
    void editPracticeDetails();
    void checkDatabase();
    void backupDatabase();
    void importUserFeedstuffs();
    void switchToGerman();
    void switchToEnglish();
    void toggleStatusBar();
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();
    void showUserHelp();
    void showHelpTopics();
    void showAbout();
    void showInformation();

private:
    // The menu commands by role; the menu table places them and gives their
    // texts.
    struct Actions
    {
        QAction* practiceDetails = nullptr;
        QAction* checkDatabase = nullptr;
        QAction* backup = nullptr;
        QAction* exit = nullptr;
        QAction* systemExport = nullptr;
        QAction* systemImport = nullptr;
        QAction* systemEdit = nullptr;
        QAction* importUserFeedstuffs = nullptr;
        QAction* editFeedstuffs = nullptr;
        QAction* ration = nullptr;
        QAction* german = nullptr;
        QAction* english = nullptr;
        QAction* toolbar = nullptr;
        QAction* statusBar = nullptr;
        QAction* cascade = nullptr;
        QAction* tileHorizontal = nullptr;
        QAction* tileVertical = nullptr;
        QAction* arrangeIcons = nullptr;
        QAction* userHelp = nullptr;
        QAction* helpTopics = nullptr;
        QAction* about = nullptr;
        QAction* info = nullptr;
    };

    void createActions();
    QAction* makeAction(const char* name, void (MainWindow::*command)() = nullptr);
    void buildMenus();
    QAction* placedAction(const QString& name, int id, const QString& text);
    void switchLanguage(const QString& code);
    void updateLanguageMarks();
    void tileWindows(MainWindowLogic::Tiling tiling);
    // Brings the working window in front to the front again when the start
    // window is activated while one is open.
    void keepStartWindowBehind(QMdiSubWindow* activated);
    ResultBar* makeResultBar(MainWindowLogic::ResultBarOrigin origin);
    void openHelp(HelpDocuments::Document document);

    AppContext& m_context;
    Prompt& m_prompt;
    // The menu stays in the language of the start, and so does its user help.
    const QString m_menuLanguageCode;
    QMdiArea* m_workspace;
    Actions m_actions;
    SearchBarView* m_searchBar = nullptr;
    ResultBar* m_resultBar = nullptr;
    std::unique_ptr<FileChooser> m_systemFileChooser;
    FileChooser* m_fileChooser = nullptr;
    QPointer<HelpWindow> m_helpWindow;
};
