#include "ChoiceList.h"

#include "CRecordset.h"

#include <algorithm>

bool ChoiceList::fill(CAdo& db, const QString& query)
{
    clear();
    CRecordset rs;
    if (!rs.OpenRecordset(db, query))
        return false;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QString data, text;
        rs.GetFieldText(QStringLiteral("ITEMDATA"), data);
        rs.GetFieldText(QStringLiteral("ITEMTEXT"), text);
        add(data.trimmed().toInt(), text);
    }
    return true;
}

void ChoiceList::clear()
{
    m_entries.clear();
    m_current = -1;
}

int ChoiceList::add(int data, const QString& text)
{
    // After any equal texts, as a sorted list control inserts.
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), text, [](const QString& t, const Entry& e) {
        return QString::compare(t, e.text, Qt::CaseInsensitive) < 0;
    });
    const int index = int(at - m_entries.begin());
    m_entries.insert(at, Entry{data, text});
    if (m_current >= index)
        ++m_current;
    return index;
}

void ChoiceList::setCurrentIndex(int index)
{
    m_current = index >= 0 && index < count() ? index : -1;
}

void ChoiceList::selectData(int data)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [data](const Entry& e) { return e.data == data; });
    m_current = it == m_entries.end() ? -1 : int(it - m_entries.begin());
}

int ChoiceList::currentData() const
{
    return m_current < 0 ? -1 : m_entries[size_t(m_current)].data;
}

QString ChoiceList::currentText() const
{
    return m_current < 0 ? QString() : m_entries[size_t(m_current)].text;
}
