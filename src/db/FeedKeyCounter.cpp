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

namespace {

QString highestKeyOf(const QString& owner)
{
    return QStringLiteral("(SELECT MAX(ID) FROM T_FUTTERMITTEL WHERE EIGEN = ") + owner + QLatin1Char(')');
}

} // namespace

bool readStates(Connection& db, QList<State>& states)
{
    states.clear();
    RecordSet rs;
    if (!rs.openRecordset(db, QStringLiteral("SELECT T_FM_KEY.FM_TYP, T_FM_KEY.ID_NEW, ") +
                                  highestKeyOf(QStringLiteral("T_FM_KEY.FM_TYP")) +
                                  QStringLiteral(" AS HIGHEST FROM T_FM_KEY ORDER BY T_FM_KEY.FM_TYP")))
        return false;
    for (; !rs.isEof(); rs.moveNext()) {
        State state;
        double next = 0, highest = 0;
        rs.getFieldText(0, state.owner);
        rs.getFieldDouble(QStringLiteral("ID_NEW"), next);
        rs.getFieldDouble(QStringLiteral("HIGHEST"), highest);
        state.next = qint64(next);
        state.highest = qint64(highest);
        states << state;
    }
    return true;
}

bool raiseAboveHighest(Connection& db, const QString& owner)
{
    const QString highest = highestKeyOf(Sql::quote(owner));
    return db.executeSql(QStringLiteral("UPDATE T_FM_KEY SET ID_NEW = ") + highest +
                         QStringLiteral(" + 1 WHERE FM_TYP = ") + Sql::quote(owner) +
                         QStringLiteral(" AND ID_NEW <= ") + highest);
}

} // namespace FeedKeyCounter
