#pragma once

#include <QDate>
#include <QString>

// One column value of a result row, as the readers of RecordSet see it.
struct DbValue
{
    enum class Kind { Null, Integer, Double, Text, Date, YesNo, Blob };

    Kind kind = Kind::Null;
    qint64 integer = 0; // Integer and YesNo (-1 or 0)
    double real = 0.0;  // Double
    QString text;       // Text, and the stored text of a Date
    QDate date;         // Date; invalid when the stored text is no date

    bool isNull() const { return kind == Kind::Null; }
};
