#include "db/RecordSet.h"

#include "core/DateText.h"
#include "db/Connection.h"

#include <cmath>
#include <cstring>

namespace {

QString numberText(const DbValue& value)
{
    if (value.kind == DbValue::Kind::Double)
        return QString::number(value.real, 'g', 15);
    return QString::number(value.integer);
}

// Whole-number view of a value; texts that hold a number count as that number.
qint64 wholeNumber(const DbValue& value)
{
    switch (value.kind) {
    case DbValue::Kind::Integer:
    case DbValue::Kind::YesNo:
        return value.integer;
    case DbValue::Kind::Double:
        if (!std::isfinite(value.real))
            return 0;
        return qint64(std::clamp(value.real, -9.2e18, 9.2e18));
    case DbValue::Kind::Text:
        return qint64(value.text.trimmed().toDouble());
    default:
        return 0;
    }
}

double realNumber(const DbValue& value)
{
    switch (value.kind) {
    case DbValue::Kind::Double:
        return value.real;
    case DbValue::Kind::Integer:
    case DbValue::Kind::YesNo:
        return double(value.integer);
    case DbValue::Kind::Text:
        return value.text.trimmed().toDouble();
    default:
        return 0.0;
    }
}

} // namespace

bool RecordSet::openRecordset(Connection& connection, const QString& query)
{
    closeRecordset();
    // A failure leaves its own reason, not an earlier statement's.
    m_cursor = connection.query(query);
    if (!m_cursor)
        return false;
    m_connection = &connection;
    for (int i = 0; i < m_cursor->columnCount(); ++i)
        m_upperNames << m_cursor->columnName(i).trimmed().toUpper();
    return true;
}

void RecordSet::moveNext()
{
    if (m_cursor)
        m_cursor->next();
}

void RecordSet::closeRecordset()
{
    m_cursor.reset();
    m_connection = nullptr;
    m_upperNames.clear();
}

DbValue RecordSet::value(int column) const
{
    return isEof() ? DbValue() : m_cursor->value(column);
}

int RecordSet::findColumn(const QString& name, bool trimmed) const
{
    // Called for every field of every row: compare without building new texts.
    const QStringView wanted = trimmed ? QStringView(name).trimmed() : QStringView(name);
    for (int i = 0; i < m_upperNames.size(); ++i)
        if (wanted.compare(m_upperNames[i], Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool RecordSet::getFieldText(const QString& name, QString& text) const
{
    text.clear();
    if (isEof())
        return false;
    const int column = findColumn(name, true);
    return column < 0 || getFieldText(column, text);
}

bool RecordSet::getFieldText(int column, QString& text) const
{
    text.clear();
    if (isEof())
        return false;
    if (column < 0 || column >= m_cursor->columnCount())
        return true;
    const DbValue value = m_cursor->value(column);
    switch (value.kind) {
    case DbValue::Kind::Null:
    case DbValue::Kind::Blob:
        break;
    case DbValue::Kind::Text:
        text = value.text;
        break;
    case DbValue::Kind::Integer:
    case DbValue::Kind::YesNo:
    case DbValue::Kind::Double:
        text = numberText(value);
        break;
    case DbValue::Kind::Date:
        if (value.text.isEmpty())
            break;
        if (!value.date.isValid())
            text = QStringLiteral("Invalid DateTime");
        else
            text = DateText::forLanguage(value.date, m_connection ? m_connection->languageCode() : QString());
        break;
    }
    return true;
}

bool RecordSet::typedValue(const QString& name, DbValue& value) const
{
    if (isEof())
        return false;
    const int column = findColumn(name, false);
    if (column < 0)
        return false;
    value = m_cursor->value(column);
    return true;
}

bool RecordSet::getFieldShort(const QString& name, int& value) const
{
    DbValue v;
    if (!typedValue(name, v))
        return false;
    value = qint16(quint16(quint64(wholeNumber(v)) & 0xFFFF));
    return true;
}

bool RecordSet::getFieldLong(const QString& name, int& value) const
{
    DbValue v;
    if (!typedValue(name, v))
        return false;
    value = qint32(quint32(quint64(wholeNumber(v)) & 0xFFFFFFFFu));
    return true;
}

bool RecordSet::getFieldLongRaw(const QString& name, qint32& value) const
{
    DbValue v;
    if (!typedValue(name, v))
        return false;
    if (v.kind == DbValue::Kind::Double) {
        // The caller takes the bits as a single-precision number.
        const float single = float(v.real);
        std::memcpy(&value, &single, sizeof value);
    } else {
        value = qint32(quint32(quint64(wholeNumber(v)) & 0xFFFFFFFFu));
    }
    return true;
}

bool RecordSet::getFieldDouble(const QString& name, double& value) const
{
    DbValue v;
    if (!typedValue(name, v))
        return false;
    value = realNumber(v);
    return true;
}

bool RecordSet::getFieldBool(const QString& name, bool& value) const
{
    DbValue v;
    if (!typedValue(name, v))
        return false;
    value = realNumber(v) != 0.0;
    return true;
}
