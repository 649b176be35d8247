#include "db/ChoiceList.h"

#include "db/RecordSet.h"
#include "db/TextFolding.h"

#include <algorithm>

namespace {

// Lists are read as a German reader reads them, whatever the window's
// language: case ignored, "Öle" among the O and "Äpfel" beside "Apfel".
bool lessByText(const QString& a, const QString& b)
{
    return TextFolding::compare(a, b) < 0;
}

} // namespace

bool ChoiceList::fill(Connection& db, const QString& query)
{
    clear();
    RecordSet rs;
    if (!rs.openRecordset(db, query))
        return false;
    for (; !rs.isEof(); rs.moveNext()) {
        QString data;
        Entry& entry = m_entries.emplace_back();
        rs.getFieldText(QStringLiteral("ITEMDATA"), data);
        rs.getFieldText(QStringLiteral("ITEMTEXT"), entry.text);
        entry.data = data.trimmed().toInt();
    }
    // Sorted once after reading rather than entry by entry, which would move
    // half of a list of thousands of feedstuffs per entry. Collating costs
    // what the plain comparison did, a few milliseconds for 10,000 names, so
    // the texts are compared as they are, without sort keys. Equal texts keep
    // the order of the rows, as add() keeps it.
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return lessByText(a.text, b.text); });
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
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), text,
                                     [](const QString& t, const Entry& e) { return lessByText(t, e.text); });
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
    const auto it =
        std::find_if(m_entries.begin(), m_entries.end(), [data](const Entry& e) { return e.data == data; });
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
