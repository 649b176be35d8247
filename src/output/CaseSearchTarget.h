#pragma once

#include "output/CaseSearchCriteria.h"

// The list in the result bar that runs a search for the search bar.
class CaseSearchTarget
{
public:
    virtual ~CaseSearchTarget() = default;

    // Lists the stored cases that match the criteria.
    virtual void runSearch(const CaseSearchCriteria& criteria) = 0;
};
