#pragma once

#include "db/ChoiceList.h"

#include <QAbstractListModel>
#include <QString>

#include <vector>

class Connection;

// A drop-down list too long to read at once: it reads its first page when
// filled and the next ones as a view scrolls to its end (fetchMore), each page
// continuing after the last entry read. The database orders the rows by text,
// case ignored, as the NOCASE collation of the program's connection does,
// which is the German order of ChoiceList; an index on the text column lets
// a page start where the previous one ended without reading the rows before.
// Entries and choice read as in ChoiceList; the choice is an index among the
// entries read so far.
class PagedChoiceList : public QAbstractListModel
{
    Q_OBJECT

public:
    // The rows of the list: select names the key as ITEMDATA and the text as
    // ITEMTEXT and ends in a WHERE clause (conditions may follow with AND).
    // text and key are the columns behind them, for the order and the pages.
    struct Query
    {
        QString select;
        QString text;
        QString key;
    };

    static constexpr int FirstPageSize = 50;
    static constexpr int LargestPageSize = 1600;

    explicit PagedChoiceList(QObject* parent = nullptr);

    // The statement of the rows after an entry (all rows when after is null),
    // in the list's order, at most limit of them (all when 0). afterText is
    // the entry's text, null when the database holds NULL there.
    static QString pageStatement(const Query& query, const ChoiceList::Entry* after, bool afterTextIsNull,
                                 int limit);

    // Empties the list and reads its first page; the choice is lost. The
    // connection is kept for the pages to come. False when the query cannot
    // be opened.
    bool fill(Connection& db, const Query& query);
    void clear();
    // Reads all rows not yet read.
    bool fetchAll();
    bool atEnd() const { return m_atEnd; }

    // The entries read so far, in order.
    const std::vector<ChoiceList::Entry>& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    // Reads pages until an entry with this data turns up; its index or -1.
    int findData(int data);

    int currentIndex() const { return m_current; }
    // -1 or an index out of range clears the choice.
    void setCurrentIndex(int index);
    int currentData() const;
    QString currentText() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The text (display role) and the key (user role).
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    // Reads up to limit rows (all when 0) after the last one into entries.
    bool readPage(int limit, std::vector<ChoiceList::Entry>& entries, bool& lastTextIsNull);

    Connection* m_db = nullptr;
    Query m_query;
    std::vector<ChoiceList::Entry> m_entries;
    bool m_lastTextIsNull = false;
    bool m_atEnd = true;
    int m_nextPageSize = FirstPageSize;
    int m_current = -1;
};
