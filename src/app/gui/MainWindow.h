#pragma once

#include <QHash>
#include <QMainWindow>

class AppContext;
class Prompt;
class QMdiArea;

// The program's main window: the menu of the language it was started in and
// the area that holds the working windows.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(AppContext& context, Prompt& prompt, QWidget* parent = nullptr);

    QMdiArea* workspace() const { return m_workspace; }
    // The menu action with a command identifier, or null.
    QAction* commandAction(int id) const { return m_actions.value(id); }
    // Runs a command as its menu entry does; false for an unknown or disabled one.
    bool runCommand(int id);

private:
    void buildMenus();
    void updateLanguageMarks();
    void openHelp(int command);
    void showAbout();
    void showInformation();

    AppContext& m_context;
    Prompt& m_prompt;
    QMdiArea* m_workspace;
    QHash<int, QAction*> m_actions;
};
