#include "LookupList.h"

#include "CRecordset.h"

namespace LookupList {

QList<LookupItem> load(CAdo& db, const QString& query)
{
    QList<LookupItem> items;
    CRecordset rs;
    if (!rs.OpenRecordset(db, query))
        return items;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QString data;
        LookupItem item;
        rs.GetFieldText(QStringLiteral("ITEMDATA"), data);
        rs.GetFieldText(QStringLiteral("ITEMTEXT"), item.text);
        // The key arrives as text; the list keeps it as a number.
        item.data = data.trimmed().toInt();
        items << item;
    }
    return items;
}

} // namespace LookupList
