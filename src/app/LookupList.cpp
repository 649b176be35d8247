#include "app/LookupList.h"

#include "db/RecordSet.h"

namespace LookupList {

QList<LookupItem> load(Connection& db, const QString& query)
{
    QList<LookupItem> items;
    RecordSet rs;
    if (!rs.openRecordset(db, query))
        return items;
    for (; !rs.isEof(); rs.moveNext()) {
        QString data;
        LookupItem item;
        rs.getFieldText(QStringLiteral("ITEMDATA"), data);
        rs.getFieldText(QStringLiteral("ITEMTEXT"), item.text);
        // The key arrives as text; the list keeps it as a number.
        item.data = data.trimmed().toInt();
        items << item;
    }
    return items;
}

} // namespace LookupList
