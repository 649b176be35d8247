#pragma once

#include <QMdiSubWindow>

#include <memory>

class AppContext;
class CaseHeaderForm;
class CaseHeaderView;
class CaseSheet;
class Prompt;
class QMdiArea;

// The case window: a child of the workspace with the header form's fields
// across the top and the sheet of five pages below. It owns the form's logic
// and asks the form before it closes.
class CaseWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    // Opens a new case window at the top left of the workspace, titled in the
    // language of the moment, with an empty case; every call opens another
    // one. Without a prompt the window talks through message boxes.
    static CaseWindow* open(QMdiArea& workspace, AppContext& context, Prompt* prompt = nullptr);
    // The same for the stored case with this key: the window loads it and
    // shows it recomputed.
    static CaseWindow* openStored(QMdiArea& workspace, AppContext& context, qint64 caseKey,
                                  Prompt* prompt = nullptr);

    // Without a prompt the window asks and tells through message boxes.
    explicit CaseWindow(AppContext& context, Prompt* prompt = nullptr, QWidget* parent = nullptr);
    ~CaseWindow() override;

    // Prepares the form for a new case (empty key) or opens the stored case
    // with this key, and shows the result.
    void openCase(const QString& caseKey = QString());

    CaseHeaderForm& form() { return *m_form; }
    CaseHeaderView* view() const { return m_view; }
    CaseSheet* sheet() const { return m_sheet; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static CaseWindow* openWithKey(QMdiArea& workspace, AppContext& context, const QString& caseKey,
                                   Prompt* prompt);

    std::unique_ptr<Prompt> m_ownPrompt;
    std::unique_ptr<CaseHeaderForm> m_form;
    QWidget* m_body;
    CaseHeaderView* m_view;
    CaseSheet* m_sheet;
};
