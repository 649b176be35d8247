#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// One value of a row: column name and its text; the empty text is NULL.
struct ExchangeField
{
    QString name;
    QString value;

    bool operator==(const ExchangeField&) const = default;
};

// One row of one table as the exchange file carries it.
struct ExchangeRecord
{
    QString table;
    std::vector<ExchangeField> fields;

    // The first field of that exact name; the empty text when the row has none.
    QString value(const QString& name) const;
    bool operator==(const ExchangeRecord&) const = default;
};

// The tab-separated system-table file: "[TABLE]" section lines, a header line
// and data lines, each value followed by a tab, one byte per character, CR LF.
// Earlier installations read and write the same layout, so the reader accepts
// everything they wrote.
class ExchangeFile
{
public:
    QString path;
    std::vector<ExchangeRecord> records;

    // Replaces the records with the file's; false for an empty path or a file
    // that cannot be opened.
    bool read();
    // Writes all records, all or nothing (an existing file is replaced only
    // when the new one is complete). False for an empty path, a file that
    // cannot be written, or a value that a single byte cannot hold.
    bool write() const;

    // The index of the first record with a value the file cannot hold, or -1.
    int unencodableRecord() const;

    // The file's bytes and back, without touching the disk.
    QByteArray toBytes() const;
    static std::vector<ExchangeRecord> parse(const QByteArray& bytes);

    // A value as it stands between two tabs, and back. Tabs and line breaks
    // become markers, as NULL does.
    static QString encodeValue(const QString& value);
    static QString decodeValue(const QString& piece);

    // Windows-1252: Latin-1 plus the printable characters of 0x80-0x9F ("€").
    static bool encodable(const QString& text);
    static QByteArray toSingleByte(const QString& text);
    static QString fromSingleByte(const QByteArray& bytes);
};
