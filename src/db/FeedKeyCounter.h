#pragma once

#include <QList>
#include <QString>

class Connection;

// The keys of new feedstuffs: T_FM_KEY holds the next one (ID_NEW) of each
// owner code's range (FM_TYP).
namespace FeedKeyCounter {

enum class Outcome { Taken, NoCounter, Failed };

// Takes count keys in a row of owner's range inside the caller's open
// transaction; first is the first of them. The counter is advanced before
// it is read: the UPDATE keeps its row locked until the transaction ends, so
// another copy of the program taking keys meanwhile waits and then reads the
// advanced counter, on a server as in a shared file. NoCounter when owner
// has no counter row or its counter holds no key.
Outcome take(Connection& db, const QString& owner, int count, qint64& first);

// One owner's counter beside the highest key its range holds: the keys of the
// feedstuffs that owner code stores (T_FUTTERMITTEL.EIGEN); 0 without any.
struct State
{
    QString owner;
    qint64 next = 0;
    qint64 highest = 0;

    // The next key taken must be a new one.
    bool isAboveHighest() const { return next > highest; }
};
// Every counter row; false when they cannot be read.
bool readStates(Connection& db, QList<State>& states);
// Sets owner's counter to the key after the highest of its range when it is
// not above it already; never lowers a counter.
bool raiseAboveHighest(Connection& db, const QString& owner);

} // namespace FeedKeyCounter
