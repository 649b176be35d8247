#pragma once

#include <QMdiSubWindow>

#include <memory>

class AppContext;
class FeedEditor;
class FeedEditorView;
class Prompt;
class QMdiArea;

// The feedstuff editor's window in the workspace. It owns the editor's logic
// and its view and opens ready for a new feedstuff, its lists filled.
class FeedEditorWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    // Opens another editor over the workspace, titled in the language of the
    // moment; every call opens one more. Without a prompt the window talks
    // through message boxes.
    static FeedEditorWindow* open(QMdiArea& workspace, AppContext& context, Prompt* prompt = nullptr);

    explicit FeedEditorWindow(AppContext& context, Prompt* prompt = nullptr, QWidget* parent = nullptr);
    ~FeedEditorWindow() override;

    FeedEditor& editor() { return *m_editor; }
    FeedEditorView* view() const { return m_view; }

protected:
    // A changed feedstuff is saved, discarded or kept open as the user answers.
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Prompt> m_ownPrompt;
    std::unique_ptr<FeedEditor> m_editor;
    FeedEditorView* m_view;
};
