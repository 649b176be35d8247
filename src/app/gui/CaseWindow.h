#pragma once

#include "CRezeptFrameNeu.h"

class AppContext;
class Prompt;
class QMdiArea;

// Opening the ration-calculation window of one case.
namespace CaseWindow {

// Opens a new case window at the top left of the workspace, titled in the
// language of the moment, with an empty case; every call opens another one.
// Without a prompt the window talks through message boxes.
CRezeptFrameNeu* open(QMdiArea& workspace, AppContext& context, Prompt* prompt = nullptr);

// The same for the stored case with this key: the window loads it and shows
// it recomputed.
CRezeptFrameNeu* openStored(QMdiArea& workspace, AppContext& context, qint64 caseKey, Prompt* prompt = nullptr);

} // namespace CaseWindow
