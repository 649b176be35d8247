#pragma once

#include "output/FollowUpPage.h"
#include "output/gui/ChartPageView.h"

class AppContext;
class CaseHeaderForm;
class GridView;
class Prompt;
class QLabel;
class QPushButton;

// The follow-up page: the visits' table above the weight chart, the flags
// in red, the energy needed since the visit before the last, the proposed
// ME % with "In den neuen Besuch übernehmen", and the next check. It shows
// the stored visits, so it is built again when it is shown, not on each
// edit of the header.
class FollowUpPageView : public ChartPageView
{
    Q_OBJECT

public:
    FollowUpPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);
    void refresh() override;

    FollowUpPage& page() { return m_page; }
    GridView* table() const { return m_table; }
    QLabel* flagsLabel() const { return m_flags; }
    QLabel* needLabel() const { return m_need; }
    QLabel* proposalLabel() const { return m_proposal; }
    QLabel* nextCheckLabel() const { return m_nextCheck; }
    QPushButton* takeProposalButton() const { return m_take; }

signals:
    // "In den neuen Besuch übernehmen": a new visit with this ME %.
    void visitRequested(const QString& energyPercent);

private:
    CaseHeaderForm& m_form;
    FollowUpPage m_page;
    GridView* m_table;
    QLabel* m_flags;
    QLabel* m_need;
    QLabel* m_proposal;
    QLabel* m_nextCheck;
    QPushButton* m_take;
};
