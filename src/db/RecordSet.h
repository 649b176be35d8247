#pragma once

#include "db/DbBackend.h"

#include <QString>
#include <QStringList>

#include <memory>

class Connection;

// One query's rows, read forward by column name. Closed when it goes out of
// scope, so a result set never outlives the operation that opened it.
class RecordSet
{
public:
    RecordSet() = default;
    ~RecordSet() { closeRecordset(); }
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    // False when the connection is missing or the query is rejected.
    bool openRecordset(Connection& connection, const QString& query);
    bool isEof() const { return !m_cursor || m_cursor->atEnd(); }
    void moveNext();
    void closeRecordset();

    // Text of a column found by trimmed, case-insensitive name. True with the
    // empty text for an unknown column; false at the end.
    bool getFieldText(const QString& name, QString& text) const;
    // The same by the column's position in the statement's select list, for
    // readers of many rows.
    bool getFieldText(int column, QString& text) const;
    // Typed readers: false, out value unchanged, for an unknown column or at the end.
    bool getFieldShort(const QString& name, int& value) const;
    bool getFieldLong(const QString& name, int& value) const;
    bool getFieldLongRaw(const QString& name, qint32& value) const;
    bool getFieldDouble(const QString& name, double& value) const;
    bool getFieldBool(const QString& name, bool& value) const;

    int columnCount() const { return m_cursor ? m_cursor->columnCount() : 0; }
    QString columnName(int column) const { return m_cursor ? m_cursor->columnName(column) : QString(); }
    DbValue value(int column) const;

private:
    int findColumn(const QString& name, bool trimmed) const;
    bool typedValue(const QString& name, DbValue& value) const;

    std::unique_ptr<DbCursor> m_cursor;
    const Connection* m_connection = nullptr;
    QStringList m_upperNames;
};
