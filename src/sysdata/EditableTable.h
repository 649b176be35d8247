#pragma once

#include <QString>

// One table row of T_GRUNDDATEN: which database table the editor shows, its
// key column and the statement that loads its rows.
struct EditableTable
{
    int id = 0;
    QString table;
    QString key;
    QString statement;
};
