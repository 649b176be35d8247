#pragma once

#include "app/MainWindowLogic.h"
#include "ui/gui/DockBar.h"

class AppContext;
class CaseListView;
class Prompt;

// The dockable bar under the workspace that holds the list of found cases,
// captioned in the language of the moment it is made.
class ResultBar : public DockBar
{
    Q_OBJECT

public:
    ResultBar(AppContext& context, Prompt& prompt, MainWindowLogic::ResultBarOrigin origin,
              QWidget* parent = nullptr);

    // The list that runs the searches; the same widget as widget().
    CaseListView* caseList() const { return m_caseList; }

private:
    CaseListView* m_caseList = nullptr;
};
