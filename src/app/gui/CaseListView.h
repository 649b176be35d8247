#pragma once

#include "output/CaseList.h"
#include "output/CaseSearchTarget.h"

#include <QTableView>

class AppContext;
class Prompt;

// The case list in the result bar: shows CaseList's rows drawn like the
// program's grids, with the headings as a fixed first row, fills the bar and
// follows its size. Clicks go to the list's logic, which asks and deletes
// itself; opening a case is the main window's job. Once the first rows are
// on screen the list counts the rest, and the scroll bar spans them all.
class CaseListView : public QTableView, public CaseSearchTarget
{
    Q_OBJECT

public:
    CaseListView(AppContext& context, Prompt& prompt, const QSize& initialSize, QWidget* parent = nullptr);

    CaseList& logic() { return m_list; }

    void runSearch(const CaseSearchCriteria& criteria) override;

    // A data cell in viewport coordinates; empty when hidden or unknown.
    QRect cellRect(int row, int column) const;

    // The bar's first size, before the user gives it one.
    QSize sizeHint() const override { return m_initialSize; }

signals:
    void openCaseRequested(qint64 caseKey);

private:
    void fitToScreenFont();

    CaseList m_list;
    QSize m_initialSize;
};
