#pragma once

#include "CaseSearchTarget.h"

#include <QListView>

#include <optional>

// Stands in the result bar until the case list exists: shows nothing and
// keeps the criteria of the last search.
class EmptyCaseList : public QListView, public CaseSearchTarget
{
    Q_OBJECT

public:
    EmptyCaseList(const QSize& initialSize, QWidget* parent = nullptr);

    void runSearch(const CaseSearchCriteria& criteria) override;

    std::optional<CaseSearchCriteria> lastCriteria() const { return m_last; }
    int searchCount() const { return m_searches; }

    // The bar's first size, before the user gives it one.
    QSize sizeHint() const override { return m_initialSize; }

private:
    QSize m_initialSize;
    std::optional<CaseSearchCriteria> m_last;
    int m_searches = 0;
};
