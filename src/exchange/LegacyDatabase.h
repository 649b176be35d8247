#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Read-only access to a Jet 3/4 file of the previous version through libmdb.
// Only what the feedstuff import needs: one table, columns by name, texts,
// dates as ISO text and 4-byte floats as they are stored.
class LegacyDatabase
{
public:
    struct Cell
    {
        bool null = true;
        QString text;   // texts and dates (ISO); empty for numbers
        float real = 0; // 4-byte floats as single precision, other numbers converted
    };
    using Row = std::vector<Cell>;

    LegacyDatabase() = default;
    ~LegacyDatabase();
    LegacyDatabase(const LegacyDatabase&) = delete;
    LegacyDatabase& operator=(const LegacyDatabase&) = delete;

    // False when the file is missing or no Jet database.
    bool open(const QString& path);
    void close();

    // The rows of the table with the columns in the given order; false when
    // the table or one of the columns is missing.
    bool readTable(const QString& table, const QStringList& columns, std::vector<Row>& rows);

private:
    // libmdb's handle; its type is an unnamed struct, so it stays out of this header.
    void* m_mdb = nullptr;
};
