#pragma once

#include "output/CaseList.h"
#include "output/CaseSearchTarget.h"
#include "ui/gui/GridView.h"

class AppContext;
class Prompt;

// The case list in the result bar: shows the found cases of CaseList's
// grid, fills the bar and follows its size. Clicks go to the list's logic,
// which asks and deletes itself; opening a case is the main window's job.
class CaseListView : public GridView, public CaseSearchTarget
{
    Q_OBJECT

public:
    CaseListView(AppContext& context, Prompt& prompt, const QSize& initialSize, QWidget* parent = nullptr);

    CaseList& logic() { return m_list; }

    void runSearch(const CaseSearchCriteria& criteria) override;

    // The bar's first size, before the user gives it one.
    QSize sizeHint() const override { return m_initialSize; }

signals:
    void openCaseRequested(qint64 caseKey);

private:
    void fitToScreenFont();

    CaseList m_list;
    QSize m_initialSize;
};
