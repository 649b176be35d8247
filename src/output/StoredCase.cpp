#include "output/StoredCase.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderForm.h"

namespace StoredCase {

bool exists(AppContext& context, const QString& caseKey)
{
    bool isNumber = false;
    caseKey.toLong(&isNumber);
    if (!isNumber)
        return false;
    RecordSet rs;
    return rs.openRecordset(context.db(), QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE ID = ") + caseKey) &&
           !rs.isEof();
}

bool open(AppContext& context, CaseHeaderForm& form, const QString& caseKey)
{
    if (!exists(context, caseKey))
        return false;
    form.ration().buildRationGrid();
    form.ration().buildProfileGrid();
    form.setPendingCaseKey(caseKey);
    form.initCaseForm();
    return true;
}

} // namespace StoredCase
