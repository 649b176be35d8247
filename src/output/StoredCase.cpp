#include "StoredCase.h"

#include "AppContext.h"
#include "CRecordset.h"
#include "CRezeptForm.h"

namespace StoredCase {

bool exists(AppContext& context, const QString& caseKey)
{
    bool isNumber = false;
    caseKey.toLong(&isNumber);
    if (!isNumber)
        return false;
    CRecordset rs;
    return rs.OpenRecordset(context.db(), QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE ID = ") + caseKey) && !rs.IsEOF();
}

bool open(AppContext& context, CRezeptForm& form, const QString& caseKey)
{
    if (!exists(context, caseKey))
        return false;
    form.ration().BuildRationGrid();
    form.ration().BuildProfileGrid();
    form.setPendingCaseKey(caseKey);
    form.InitCaseForm();
    return true;
}

} // namespace StoredCase
