#pragma once

class AppContext;
class QMdiArea;
class QMdiSubWindow;

// The ration-calculation window of one case.
namespace CaseWindow {

// Opens a new case window at the top left of the workspace, titled in the
// language of the moment; every call opens another one.
QMdiSubWindow* open(QMdiArea& workspace, AppContext& context);

} // namespace CaseWindow
