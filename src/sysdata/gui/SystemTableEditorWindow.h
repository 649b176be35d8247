#pragma once

#include <QMdiSubWindow>

#include <memory>

class AppContext;
class Prompt;
class QMdiArea;
class SystemTableEditor;
class SystemTableView;

// The system data editor's window in the workspace. It owns the editor's
// logic and its view; a window opened from "Weitere Angaben" shows one table,
// filtered by the key of the row it was opened from.
class SystemTableEditorWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    // Opens another editor over the workspace, titled in the language of the
    // moment; every call opens one more. Without a prompt the window talks
    // through message boxes.
    static SystemTableEditorWindow* open(QMdiArea& workspace, AppContext& context, Prompt* prompt = nullptr,
                                         int presetTable = 0, const QString& filterValue = QString());

    SystemTableEditorWindow(AppContext& context, Prompt* prompt = nullptr, int presetTable = 0,
                            const QString& filterValue = QString(), QWidget* parent = nullptr);
    ~SystemTableEditorWindow() override;

    SystemTableEditor& editor() { return *m_editor; }
    SystemTableView* view() const { return m_view; }

private:
    void openDependent(int table, const QString& filterValue);

    AppContext& m_context;
    // The prompt handed in, passed on to the windows opened from this one.
    Prompt* m_givenPrompt;
    std::unique_ptr<Prompt> m_ownPrompt;
    std::unique_ptr<SystemTableEditor> m_editor;
    SystemTableView* m_view;
};
