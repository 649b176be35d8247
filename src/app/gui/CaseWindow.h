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
// across the top and the sheet of six pages below. It owns the form's logic
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

    // "Neuer Besuch": opens the stored case this window shows in a new
    // window of the workspace as the patient's next visit, with this ME %
    // when one is given, and puts the focus into its actual weight. This
    // window stays as it is. None for a new case or outside a workspace.
    CaseWindow* openVisit(const QString& energyPercent = QString());

    CaseHeaderForm& form() { return *m_form; }
    CaseHeaderView* view() const { return m_view; }
    CaseSheet* sheet() const { return m_sheet; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static CaseWindow* openWithKey(QMdiArea& workspace, AppContext& context, const QString& caseKey,
                                   Prompt* prompt);

    AppContext& m_context;
    // The prompt the window was given, which its visits are given too; null
    // when it talks through message boxes of its own.
    Prompt* m_givenPrompt;
    std::unique_ptr<Prompt> m_ownPrompt;
    std::unique_ptr<CaseHeaderForm> m_form;
    QWidget* m_body;
    CaseHeaderView* m_view;
    CaseSheet* m_sheet;
};
