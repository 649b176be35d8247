#pragma once

// The filter lists of the ration page that the header form refills when a
// case is opened or its case type changes.
class RationPageHooks
{
public:
    virtual ~RationPageHooks() = default;

    virtual void FillCategoryFilter() = 0;
    virtual void FillTypeFilter() = 0;
    virtual void FillFeedList() = 0;
};
