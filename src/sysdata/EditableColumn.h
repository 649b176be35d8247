#pragma once

#include "db/ChoiceList.h"

#include <QString>

#include <vector>

// One column row of T_GRUNDDATEN: a grid column of an editable table, with
// the entries of its look-up list once they are read.
struct EditableColumn
{
    QString field;
    QString type;
    QString width;
    int length = 0;
    QString caption;
    QString id;
    QString visible;
    QString defaultValue;
    QString statement;
    std::vector<ChoiceList::Entry> entries;

    bool isVisible() const { return visible == QLatin1String("1"); }
    // Pixels on screen; 0 hides the column.
    int shownWidth() const { return isVisible() ? width.trimmed().toInt() : 0; }
    // The text of the entry with this number; empty when none has it.
    QString entryText(int number) const
    {
        for (const ChoiceList::Entry& entry : entries) {
            if (entry.data == number)
                return entry.text;
        }
        return QString();
    }
};
