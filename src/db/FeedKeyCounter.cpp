#include "db/FeedKeyCounter.h"

#include "db/Connection.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"

namespace FeedKeyCounter {

Outcome take(Connection& db, const QString& owner, int count, qint64& first)
{
    const QString where = QStringLiteral(" WHERE FM_TYP = ") + Sql::quote(owner);
    long advanced = 0;
    if (!db.executeSql(QStringLiteral("UPDATE T_FM_KEY SET ID_NEW = ID_NEW + ") + QString::number(count) +
                           where,
                       advanced))
        return Outcome::Failed;
    if (advanced == 0)
        return Outcome::NoCounter;
    RecordSet rs;
    if (!rs.openRecordset(db, QStringLiteral("SELECT ID_NEW FROM T_FM_KEY") + where))
        return Outcome::Failed;
    double next = 0;
    if (rs.isEof() || !rs.getFieldDouble(QStringLiteral("ID_NEW"), next))
        return Outcome::NoCounter;
    first = qint64(next) - count;
    return first > 0 ? Outcome::Taken : Outcome::NoCounter;
}

} // namespace FeedKeyCounter
