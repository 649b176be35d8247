#pragma once

#include <QStringList>
#include <QTabWidget>

#include <array>

class AppContext;
class CaseHeaderForm;
class Prompt;
class RationPageView;

// The six pages of a case window below the header form. A page's content is
// made the first time its tab is shown; the recipe and chart pages are built
// again each time they are shown and on each edit of the header while they
// are shown, so what is printed is always the case as it is. The follow-up
// page shows the stored visits: it is built again when it is shown or the
// window comes to show another stored case, and its tab is enabled only for
// a stored case with other visits or earlier cases to link.
class CaseSheet : public QTabWidget
{
    Q_OBJECT

public:
    static constexpr int PageCount = 6;
    static constexpr int FollowUpIndex = 5;
    static QStringList captions(const QString& languageCode);

    CaseSheet(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);

    // The content of a page; null until the page has been shown.
    QWidget* pageContent(int index) const;
    // The ration page, made with the sheet since it is shown first.
    RationPageView* rationPage() const;

public slots:
    // Builds the shown recipe or chart page again from the case.
    void refreshCurrentPage();
    // Enables the follow-up tab for the stored case the form shows now.
    void showFollowUp();
    // The same when the case stays but its patient may have a visit more,
    // stored in another window.
    void recheckFollowUp();

signals:
    // The follow-up page asks for a new visit with this ME %.
    void visitRequested(const QString& energyPercent);

private:
    void showPage(int index);
    void ensurePage(int index);
    void refreshPage(int index);
    void updateFollowUp(bool always);
    QWidget* createPage(int index);

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    std::array<QWidget*, PageCount> m_contents{};
    // The stored case the follow-up tab was last set for.
    QString m_followUpKey;
};
