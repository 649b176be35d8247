#pragma once

// The filter lists of the ration page that the header form refills when a
// case is opened or its case type changes.
class RationPageHooks
{
public:
    virtual ~RationPageHooks() = default;

    virtual void fillCategoryFilter() = 0;
    virtual void fillTypeFilter() = 0;
    virtual void fillFeedList() = 0;
};
