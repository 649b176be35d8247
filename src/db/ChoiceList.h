#pragma once

#include <QString>

#include <vector>

class Connection;

// A drop-down list's entries and choice without the widget: each entry keeps
// its database key as data, entries sort by text as a German reader expects,
// case ignored and umlauts beside their base letters, in either language.
class ChoiceList
{
public:
    struct Entry
    {
        int data = 0;
        QString text;
        bool operator==(const Entry&) const = default;
    };

    // Empties the list and fills it from ITEMDATA / ITEMTEXT of the query.
    // The choice is lost. False when the query cannot be opened.
    bool fill(Connection& db, const QString& query);
    void clear();
    // Adds one entry at its sorted place; returns its index.
    int add(int data, const QString& text);

    const std::vector<Entry>& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }

    int currentIndex() const { return m_current; }
    // -1 or an index out of range clears the choice.
    void setCurrentIndex(int index);
    // Chooses the first entry with this data; no choice when none has it.
    void selectData(int data);
    // Data of the chosen entry; -1 without a choice.
    int currentData() const;
    QString currentText() const;

private:
    std::vector<Entry> m_entries;
    int m_current = -1;
};
