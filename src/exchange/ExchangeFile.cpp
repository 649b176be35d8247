#include "exchange/ExchangeFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QString NullMarker = QStringLiteral("<NULL>");
const QString TabMarker = QStringLiteral("<TAB>");
const QString CrMarker = QStringLiteral("<CR>");
const QString LfMarker = QStringLiteral("<LF>");

// Windows-1252 at 0x80-0x9F; the five codes it leaves free stand for the
// control characters of the same number, as Windows reads them.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of a character, or -1 when it has none.
int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (Cp1252High[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QStringList piecesOf(const QString& line)
{
    return line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
}

} // namespace

QString ExchangeRecord::value(const QString& name) const
{
    for (const ExchangeField& field : fields) {
        if (field.name == name)
            return field.value;
    }
    return QString();
}

bool ExchangeFile::encodable(const QString& text)
{
    for (QChar c : text) {
        if (byteOf(c) < 0)
            return false;
    }
    return true;
}

QByteArray ExchangeFile::toSingleByte(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int b = byteOf(c);
        bytes.append(char(b < 0 ? '?' : b));
    }
    return bytes;
}

QString ExchangeFile::fromSingleByte(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text.append(u >= 0x80 && u < 0xA0 ? QChar(Cp1252High[u - 0x80]) : QChar(u));
    }
    return text;
}

QString ExchangeFile::encodeValue(const QString& value)
{
    QString text = value.trimmed();
    if (text.isEmpty())
        return NullMarker;
    text.replace(QLatin1Char('\t'), TabMarker);
    text.replace(QLatin1Char('\r'), CrMarker);
    text.replace(QLatin1Char('\n'), LfMarker);
    return text;
}

QString ExchangeFile::decodeValue(const QString& piece)
{
    QString text = piece;
    text.replace(NullMarker, QString());
    text.replace(TabMarker, QStringLiteral("\t"));
    text.replace(CrMarker, QStringLiteral("\r"));
    text.replace(LfMarker, QStringLiteral("\n"));
    return text;
}

int ExchangeFile::unencodableRecord() const
{
    for (size_t i = 0; i < records.size(); ++i) {
        for (const ExchangeField& field : records[i].fields) {
            if (!encodable(field.name) || !encodable(field.value))
                return int(i);
        }
        if (!encodable(records[i].table))
            return int(i);
    }
    return -1;
}

QByteArray ExchangeFile::toBytes() const
{
    QString text;
    const QString crLf = QStringLiteral("\r\n");
    QString current;
    bool first = true;
    for (const ExchangeRecord& record : records) {
        if (first || record.table != current) {
            first = false;
            current = record.table;
            text += QLatin1Char('[') + current + QLatin1Char(']') + crLf;
            // The header comes from the first record of that table in the list.
            for (const ExchangeRecord& model : records) {
                if (model.table != current)
                    continue;
                for (const ExchangeField& field : model.fields)
                    text += field.name + QLatin1Char('\t');
                break;
            }
            text += crLf;
        }
        for (const ExchangeField& field : record.fields)
            text += encodeValue(field.value) + QLatin1Char('\t');
        text += crLf;
    }
    return toSingleByte(text);
}

bool ExchangeFile::write() const
{
    if (path.trimmed().isEmpty() || unencodableRecord() >= 0)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::vector<ExchangeRecord> ExchangeFile::parse(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    // The text after the last line break is a line only when it holds something.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    std::vector<ExchangeRecord> result;
    QString table;
    QStringList header;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = fromSingleByte(raw);
        const QString trimmed = line.trimmed();
        if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('[')) &&
            trimmed.endsWith(QLatin1Char(']'))) {
            table = trimmed.mid(1, trimmed.size() - 2);
            header.clear();
            // The next line is the header, whatever it holds.
            if (++i < lines.size()) {
                QByteArray headerRaw = lines[i];
                if (headerRaw.endsWith('\r'))
                    headerRaw.chop(1);
                header = piecesOf(fromSingleByte(headerRaw));
            }
            continue;
        }
        if (table.isEmpty() || header.isEmpty())
            continue;
        ExchangeRecord record;
        record.table = table;
        const QStringList pieces = piecesOf(line);
        for (qsizetype p = 0; p < pieces.size() && p < header.size(); ++p)
            record.fields.push_back({header[p], decodeValue(pieces[p])});
        result.push_back(std::move(record));
    }
    return result;
}

bool ExchangeFile::read()
{
    if (path.trimmed().isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    records = parse(file.readAll());
    return true;
}
