#pragma once

#include <QString>

class AppContext;
class CaseHeaderForm;

namespace StoredCase {

// Whether a case with this key is stored.
bool exists(AppContext& context, const QString& caseKey);

// Opens a stored case into a fresh form the way a case window does: both
// grids built, then the form initialised with the case key pending, which
// loads the header and recomputes the ration. False when there is no such case.
bool open(AppContext& context, CaseHeaderForm& form, const QString& caseKey);

} // namespace StoredCase
