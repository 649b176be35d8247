#pragma once

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

} // namespace FeedKeyCounter
