#pragma once

#include <QList>
#include <QString>

class Connection;

// One entry of a drop-down list: its number and its text.
struct LookupItem
{
    int data = 0;
    QString text;

    friend bool operator==(const LookupItem&, const LookupItem&) = default;
};

namespace LookupList {

// The rows of a query that names the key ITEMDATA and the text ITEMTEXT, in
// the order the database returns them. Empty when the query fails.
QList<LookupItem> load(Connection& db, const QString& query);

} // namespace LookupList
