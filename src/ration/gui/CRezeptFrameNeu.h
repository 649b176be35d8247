#pragma once

#include <QMdiSubWindow>

#include <memory>

class AppContext;
class CRezeptForm;
class CaseHeaderView;
class Prompt;

// The case window: a child of the workspace whose only view is the header
// form with the sheet below it. It owns the form's logic and asks the form
// before it closes.
class CRezeptFrameNeu : public QMdiSubWindow
{
    Q_OBJECT

public:
    // Without a prompt the window asks and tells through message boxes.
    explicit CRezeptFrameNeu(AppContext& context, Prompt* prompt = nullptr, QWidget* parent = nullptr);
    ~CRezeptFrameNeu() override;

    // Prepares the form for a new case (empty key) or opens the stored case
    // with this key, and shows the result.
    void openCase(const QString& caseKey = QString());

    CRezeptForm& form() { return *m_form; }
    CaseHeaderView* view() const { return m_view; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Prompt> m_ownPrompt;
    std::unique_ptr<CRezeptForm> m_form;
    CaseHeaderView* m_view;
};
