#include "db/PagedChoiceList.h"

#include "db/RecordSet.h"
#include "db/SqlQuote.h"

#include <algorithm>

PagedChoiceList::PagedChoiceList(QObject* parent)
    : QAbstractListModel(parent)
{
}

QString PagedChoiceList::pageStatement(const Query& query, const ChoiceList::Entry* after,
                                       bool afterTextIsNull, int limit)
{
    QString sql = query.select;
    // NULL sorts first; after it come its own keys, then every text.
    if (after && afterTextIsNull) {
        sql += QStringLiteral(" AND ((") + query.text + QStringLiteral(" IS NULL AND ") + query.key +
               QStringLiteral(" > ") + QString::number(after->data) + QStringLiteral(") OR ") + query.text +
               QStringLiteral(" IS NOT NULL)");
    } else if (after) {
        sql += QStringLiteral(" AND (") + query.text + QStringLiteral(", ") + query.key +
               QStringLiteral(") > (") + Sql::quote(after->text) + QStringLiteral(", ") +
               QString::number(after->data) + QStringLiteral(")");
    }
    sql += QStringLiteral(" ORDER BY ") + query.text + QStringLiteral(", ") + query.key;
    if (limit > 0)
        sql += QStringLiteral(" LIMIT ") + QString::number(limit);
    return sql;
}

bool PagedChoiceList::fill(Connection& db, const Query& query)
{
    beginResetModel();
    m_entries.clear();
    m_current = -1;
    m_db = &db;
    m_query = query;
    m_lastTextIsNull = false;
    bool lastTextIsNull = false;
    const bool opened = readPage(FirstPageSize, m_entries, lastTextIsNull);
    m_lastTextIsNull = lastTextIsNull;
    m_atEnd = !opened || count() < FirstPageSize;
    m_nextPageSize = std::min(2 * FirstPageSize, LargestPageSize);
    endResetModel();
    return opened;
}

void PagedChoiceList::clear()
{
    beginResetModel();
    m_entries.clear();
    m_current = -1;
    m_db = nullptr;
    m_atEnd = true;
    endResetModel();
}

bool PagedChoiceList::readPage(int limit, std::vector<ChoiceList::Entry>& entries, bool& lastTextIsNull)
{
    if (!m_db)
        return false;
    const ChoiceList::Entry* after = m_entries.empty() ? nullptr : &m_entries.back();
    RecordSet rs;
    if (!rs.openRecordset(*m_db, pageStatement(m_query, after, m_lastTextIsNull, limit)))
        return false;
    for (; !rs.isEof(); rs.moveNext()) {
        // Columns by position: ITEMDATA, ITEMTEXT.
        const DbValue key = rs.value(0);
        const DbValue text = rs.value(1);
        ChoiceList::Entry& entry = entries.emplace_back();
        entry.data = key.kind == DbValue::Kind::Integer ? int(key.integer) : key.text.trimmed().toInt();
        entry.text = text.text;
        lastTextIsNull = text.isNull();
    }
    return true;
}

bool PagedChoiceList::fetchAll()
{
    if (m_atEnd)
        return true;
    std::vector<ChoiceList::Entry> rest;
    bool lastTextIsNull = false;
    const bool read = readPage(0, rest, lastTextIsNull);
    m_atEnd = true;
    if (!rest.empty()) {
        beginInsertRows(QModelIndex(), count(), count() + int(rest.size()) - 1);
        m_entries.insert(m_entries.end(), rest.begin(), rest.end());
        m_lastTextIsNull = lastTextIsNull;
        endInsertRows();
    }
    return read;
}

void PagedChoiceList::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    // Pages grow, so a view scrolled far down catches up in few statements.
    const int limit = m_nextPageSize;
    m_nextPageSize = std::min(2 * limit, LargestPageSize);
    std::vector<ChoiceList::Entry> page;
    bool lastTextIsNull = false;
    const bool read = readPage(limit, page, lastTextIsNull);
    m_atEnd = !read || int(page.size()) < limit;
    if (page.empty())
        return;
    beginInsertRows(QModelIndex(), count(), count() + int(page.size()) - 1);
    m_entries.insert(m_entries.end(), page.begin(), page.end());
    m_lastTextIsNull = lastTextIsNull;
    endInsertRows();
}

bool PagedChoiceList::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd;
}

int PagedChoiceList::findData(int data)
{
    for (size_t from = 0;;) {
        const auto it = std::find_if(m_entries.begin() + qsizetype(from), m_entries.end(),
                                     [data](const ChoiceList::Entry& e) { return e.data == data; });
        if (it != m_entries.end())
            return int(it - m_entries.begin());
        if (m_atEnd)
            return -1;
        from = m_entries.size();
        fetchMore(QModelIndex());
    }
}

void PagedChoiceList::setCurrentIndex(int index)
{
    m_current = index >= 0 && index < count() ? index : -1;
}

int PagedChoiceList::currentData() const
{
    return m_current < 0 ? -1 : m_entries[size_t(m_current)].data;
}

QString PagedChoiceList::currentText() const
{
    return m_current < 0 ? QString() : m_entries[size_t(m_current)].text;
}

int PagedChoiceList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PagedChoiceList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.parent().isValid() || index.row() >= count())
        return QVariant();
    const ChoiceList::Entry& entry = m_entries[size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return entry.text;
    if (role == Qt::UserRole)
        return entry.data;
    return QVariant();
}
