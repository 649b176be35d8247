#pragma once

#include "DbBackend.h"

#include <QString>
#include <QStringList>

#include <memory>

class CAdo;

// One query's rows, read forward by column name. Closed when it goes out of
// scope, so a result set never outlives the operation that opened it.
class CRecordset
{
public:
    CRecordset() = default;
    ~CRecordset() { CloseRecordset(); }
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // False when the connection is missing or the query is rejected.
    bool OpenRecordset(CAdo& connection, const QString& query);
    bool IsEOF() const { return !m_cursor || m_cursor->atEnd(); }
    void MoveNext();
    void CloseRecordset();

    // Text of a column found by trimmed, case-insensitive name. True with the
    // empty text for an unknown column; false at the end.
    bool GetFieldText(const QString& name, QString& text) const;
    // Typed readers: false, out value unchanged, for an unknown column or at the end.
    bool GetFieldShort(const QString& name, int& value) const;
    bool GetFieldLong(const QString& name, int& value) const;
    bool GetFieldLongRaw(const QString& name, qint32& value) const;
    bool GetFieldDouble(const QString& name, double& value) const;
    bool GetFieldBool(const QString& name, bool& value) const;

    int columnCount() const { return m_cursor ? m_cursor->columnCount() : 0; }
    QString columnName(int column) const { return m_cursor ? m_cursor->columnName(column) : QString(); }
    DbValue value(int column) const;

private:
    int findColumn(const QString& name, bool trimmed) const;
    bool typedValue(const QString& name, DbValue& value) const;

    std::unique_ptr<DbCursor> m_cursor;
    const CAdo* m_connection = nullptr;
    QStringList m_upperNames;
};
