#include "db/DatabaseCreator.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "db/SchemaInfo.h"
#include "db/SortKeys.h"
#include "db/SqliteBackend.h"

#include <sqlite3.h>

namespace DatabaseCreator {

namespace {

const QString ResourceRoot = QStringLiteral(":/mensoly/data");

QString unescape(const QString& field, bool& isNull)
{
    isNull = field == QLatin1String("\\N");
    if (isNull || !field.contains(QLatin1Char('\\')))
        return field;
    QString value;
    value.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == QLatin1Char('\\') && i + 1 < field.size()) {
            const QChar next = field[++i];
            if (next == QLatin1Char('t'))
                value += QLatin1Char('\t');
            else if (next == QLatin1Char('n'))
                value += QLatin1Char('\n');
            else
                value += next;
        } else {
            value += field[i];
        }
    }
    return value;
}

class Database
{
public:
    ~Database() { sqlite3_close_v2(m_db); }
    bool open(const QString& path)
    {
        return sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                               nullptr) == SQLITE_OK &&
               SqliteBackend::installCollation(m_db);
    }
    bool exec(const QByteArray& sql) { return SqliteBackend::execRaw(m_db, sql, m_error); }
    bool insertRows(const TableData& data);
    bool addSortKeys() { return SortKeys::addTo(m_db, &m_error); }
    void close()
    {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    QString error() const { return m_error; }

private:
    sqlite3* m_db = nullptr;
    QString m_error;
};

bool Database::insertRows(const TableData& data)
{
    return DatabaseCreator::insertRows(m_db, data, &m_error);
}

QByteArray readResource(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return QByteArray();
    }
    return file.readAll();
}

bool fill(Database& db, Contents contents, QString* error)
{
    const QByteArray schema = readResource(ResourceRoot + QLatin1String("/schema.sql"), error);
    if (schema.isEmpty())
        return false;
    if (!db.exec("BEGIN") || !db.exec(schema)) {
        if (error)
            *error = QStringLiteral("schema: ") + db.error();
        return false;
    }
    std::vector<TableData> tables;
    if (contents == Contents::SystemData && !readSystemData(tables, error))
        return false;
    for (const TableData& data : tables) {
        if (!db.insertRows(data)) {
            if (error)
                *error = db.error();
            return false;
        }
    }
    if (!db.addSortKeys() ||
        !db.exec(QByteArray("PRAGMA user_version = ") + QByteArray::number(SchemaVersion)) ||
        !db.exec("COMMIT") || !db.exec("PRAGMA journal_mode = WAL")) {
        if (error)
            *error = db.error();
        return false;
    }
    return true;
}

} // namespace

std::vector<SchemaIndex> schemaIndexes()
{
    static const std::vector<SchemaIndex> indexes = [] {
        std::vector<SchemaIndex> found;
        const QString schema =
            QString::fromUtf8(readResource(ResourceRoot + QLatin1String("/schema.sql"), nullptr));
        static const QRegularExpression statement(
            QStringLiteral("CREATE\\s+INDEX\\s+IF\\s+NOT\\s+EXISTS\\s+(\\w+)\\s+ON\\s[^;]*;"),
            QRegularExpression::CaseInsensitiveOption);
        for (auto it = statement.globalMatch(schema); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            found.push_back({m.captured(1), m.captured(0)});
        }
        return found;
    }();
    return indexes;
}

std::vector<SchemaIndex> allSchemaIndexes()
{
    static const std::vector<SchemaIndex> indexes = [] {
        std::vector<SchemaIndex> found;
        const QString schema =
            QString::fromUtf8(readResource(ResourceRoot + QLatin1String("/schema.sql"), nullptr));
        static const QRegularExpression statement(
            QStringLiteral("CREATE\\s+INDEX\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)\\s+(ON\\s[^;]*;)"),
            QRegularExpression::CaseInsensitiveOption);
        for (auto it = statement.globalMatch(schema); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            found.push_back({m.captured(1), QStringLiteral("CREATE INDEX IF NOT EXISTS ") + m.captured(1) +
                                                QLatin1Char(' ') + m.captured(2)});
        }
        return found;
    }();
    return indexes;
}

bool insertRows(sqlite3* db, const TableData& data, QString* error)
{
    QStringList names, marks;
    for (const QString& column : data.columns) {
        names << QLatin1Char('"') + column + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    const QByteArray sql =
        QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
            .arg(data.table, names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")))
            .toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        if (error)
            *error = data.table + QLatin1String(": ") + QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    // An empty field is NULL except in a text column.
    QSet<QString> textColumns;
    sqlite3_stmt* info = nullptr;
    const QByteArray infoSql = "PRAGMA table_info(\"" + data.table.toUtf8() + "\")";
    if (sqlite3_prepare_v2(db, infoSql.constData(), -1, &info, nullptr) == SQLITE_OK) {
        while (sqlite3_step(info) == SQLITE_ROW) {
            const QString column =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
            const QString type =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 2)));
            if (SchemaInfo::kindOfDeclaredType(type) == SchemaInfo::ColumnKind::Text)
                textColumns.insert(column.toUpper());
        }
    }
    sqlite3_finalize(info);
    std::vector<bool> isText;
    for (const QString& column : data.columns)
        isText.push_back(textColumns.contains(column.toUpper()));

    int line = 1;
    for (const auto& row : data.rows) {
        ++line;
        sqlite3_reset(statement);
        for (int i = 0; i < int(row.size()); ++i) {
            if (isStoredAsNull(row[i], isText[i])) {
                sqlite3_bind_null(statement, i + 1);
            } else {
                const QByteArray utf8 = row[i]->toUtf8();
                sqlite3_bind_text(statement, i + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            }
        }
        if (sqlite3_step(statement) != SQLITE_DONE) {
            if (error)
                *error = QStringLiteral("%1, line %2: %3")
                             .arg(data.table)
                             .arg(line)
                             .arg(QString::fromUtf8(sqlite3_errmsg(db)));
            sqlite3_finalize(statement);
            return false;
        }
    }
    sqlite3_finalize(statement);
    return true;
}

bool readSystemData(std::vector<TableData>& tables, QString* error)
{
    tables.clear();
    QStringList files;
    QDirIterator it(ResourceRoot + QLatin1String("/system"), {QStringLiteral("*.tsv")}, QDir::Files);
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString& file : files) {
        TableData data;
        const QByteArray content = readResource(file, error);
        if (!parseTableFile(QFileInfo(file).completeBaseName(), content, data, error))
            return false;
        tables.push_back(std::move(data));
    }
    return true;
}

bool readSystemTable(const QString& table, TableData& data, QString* error)
{
    const QByteArray content =
        readResource(ResourceRoot + QLatin1String("/system/") + table + QLatin1String(".tsv"), error);
    return !content.isEmpty() && parseTableFile(table, content, data, error);
}

QString schemaTableStatement(const QString& table)
{
    const QString schema =
        QString::fromUtf8(readResource(ResourceRoot + QLatin1String("/schema.sql"), nullptr));
    // Every table's column list closes with ");" at the start of a line.
    const QRegularExpression statement(
        QStringLiteral("CREATE\\s+TABLE\\s+%1\\s*\\(.*?\\n\\);").arg(QRegularExpression::escape(table)),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return statement.match(schema).captured(0);
}

QStringList schemaTables()
{
    static const QStringList tables = [] {
        QStringList found;
        const QString schema =
            QString::fromUtf8(readResource(ResourceRoot + QLatin1String("/schema.sql"), nullptr));
        static const QRegularExpression statement(QStringLiteral("CREATE\\s+TABLE\\s+(\\w+)"),
                                                  QRegularExpression::CaseInsensitiveOption);
        for (auto it = statement.globalMatch(schema); it.hasNext();)
            found << it.next().captured(1);
        return found;
    }();
    return tables;
}

bool parseTableFile(const QString& table, const QByteArray& content, TableData& data, QString* error)
{
    data = TableData();
    data.table = table;
    QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        if (error)
            *error = table + QLatin1String(": no header line");
        return false;
    }
    data.columns = lines.takeFirst().split(QLatin1Char('\t'));
    int lineNumber = 1;
    for (const QString& line : lines) {
        ++lineNumber;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != data.columns.size()) {
            if (error)
                *error = QStringLiteral("%1, line %2: %3 fields where the header has %4")
                             .arg(table)
                             .arg(lineNumber)
                             .arg(fields.size())
                             .arg(data.columns.size());
            return false;
        }
        std::vector<std::optional<QString>> row;
        for (const QString& field : fields) {
            bool isNull = false;
            const QString value = unescape(field, isNull);
            row.push_back(isNull ? std::nullopt : std::optional<QString>(value));
        }
        data.rows.push_back(std::move(row));
    }
    return true;
}

bool create(const QString& path, QString* error, Contents contents)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("%1 exists already").arg(QDir::toNativeSeparators(path));
        return false;
    }
    // Built under a temporary name and renamed when complete, so a failure
    // never leaves a half-made database behind.
    const QString temporary = path + QLatin1String(".new");
    QFile::remove(temporary);
    bool ok = false;
    {
        Database db;
        ok = db.open(temporary) && fill(db, contents, error);
        if (!ok && error && error->isEmpty())
            *error = db.error();
        db.close();
    }
    if (ok && !QFile::rename(temporary, path)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(path));
        ok = false;
    }
    if (!ok) {
        QFile::remove(temporary);
        QFile::remove(temporary + QLatin1String("-wal"));
        QFile::remove(temporary + QLatin1String("-shm"));
    }
    return ok;
}

} // namespace DatabaseCreator
