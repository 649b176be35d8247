#pragma once

#include <QStringList>
#include <QTabWidget>

#include <array>

class AppContext;
class CaseHeaderForm;
class Prompt;
class RationPageView;

// The five pages of a case window below the header form. A page's content is
// made the first time its tab is shown, so it starts from the header form and
// the ration as they are at that moment.
class CaseSheet : public QTabWidget
{
    Q_OBJECT

public:
    static constexpr int PageCount = 5;
    static QStringList captions(const QString& languageCode);

    CaseSheet(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);

    // The content of a page; null until the page has been shown.
    QWidget* pageContent(int index) const;
    // The ration page, made with the sheet since it is shown first.
    RationPageView* rationPage() const;

private:
    void ensurePage(int index);
    QWidget* createPage(int index);

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    std::array<QWidget*, PageCount> m_contents{};
};
