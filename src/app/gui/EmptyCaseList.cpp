#include "EmptyCaseList.h"

EmptyCaseList::EmptyCaseList(const QSize& initialSize, QWidget* parent)
    : QListView(parent)
    , m_initialSize(initialSize)
{
}

void EmptyCaseList::runSearch(const CaseSearchCriteria& criteria)
{
    m_last = criteria;
    ++m_searches;
}
