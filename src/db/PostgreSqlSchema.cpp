#include "db/PostgreSqlSchema.h"

#include "db/DatabaseCreator.h"
#include "db/JetSqlTokenizer.h"

#include <QFile>
#include <QMap>
#include <QSet>
#include <QStringList>

namespace PostgreSqlSchema {

namespace {

// The schema text without its "--" comments, which hold apostrophes the
// tokenizer would take for unterminated texts.
QString withoutComments(const QString& schema)
{
    QString out;
    bool inText = false;
    for (int i = 0; i < schema.size(); ++i) {
        const QChar c = schema[i];
        if (c == QLatin1Char('\''))
            inText = !inText;
        if (!inText && c == QLatin1Char('-') && i + 1 < schema.size() && schema[i + 1] == QLatin1Char('-')) {
            while (i < schema.size() && schema[i] != QLatin1Char('\n'))
                ++i;
            out += QLatin1Char('\n');
            continue;
        }
        out += c;
    }
    return out;
}

bool isSortKey(const SqlToken& token)
{
    return token.kind == SqlToken::Kind::Word &&
           token.text.startsWith(QLatin1String("SORT_"), Qt::CaseInsensitive);
}

// SQLite keeps the listed names' order in sort-key columns (SORT_<name>); the
// server sorts the names themselves under their collation. So the SORT_
// columns go, and an index over one is over its name, listed once.
std::vector<SqlToken> withoutSortKeys(std::vector<SqlToken> t)
{
    std::vector<SqlToken> out;
    out.reserve(t.size());
    bool inIndex = false;
    int depth = 0;
    QSet<QString> listed;
    const auto nextWord = [&t](size_t i) {
        for (size_t j = i + 1; j < t.size(); ++j)
            if (!t[j].isSpace())
                return t[j].kind == SqlToken::Kind::Word ? int(j) : -1;
        return -1;
    };
    for (size_t i = 0; i < t.size(); ++i) {
        SqlToken& token = t[i];
        if (token.isWord("INDEX")) {
            inIndex = true;
            listed.clear();
        } else if (token.isPunct(';')) {
            inIndex = false;
        } else if (token.isPunct('(')) {
            ++depth;
        } else if (token.isPunct(')')) {
            --depth;
        }
        if (depth == 1 && token.isPunct(',')) {
            const int word = nextWord(i);
            if (word >= 0 && !inIndex && isSortKey(t[word])) {
                // The column's definition, up to the next column or the end.
                size_t end = size_t(word);
                while (end + 1 < t.size() && !t[end + 1].isPunct(',') && !t[end + 1].isPunct(')'))
                    ++end;
                i = end;
                continue;
            }
            if (word >= 0 && inIndex) {
                QString name = t[word].text;
                if (isSortKey(t[word]))
                    name = name.mid(5);
                if (listed.contains(name.toUpper())) {
                    i = size_t(word);
                    continue;
                }
            }
        }
        if (inIndex && depth == 1 && token.kind == SqlToken::Kind::Word) {
            if (isSortKey(token))
                token.text = token.text.mid(5);
            listed.insert(token.text.toUpper());
        }
        out.push_back(token);
    }
    return out;
}

} // namespace

QString render(const QString& sqliteSchema, bool preamble)
{
    const std::vector<SqlToken> t = withoutSortKeys(tokenizeJetSql(withoutComments(sqliteSchema)));
    auto next = [&](int i) {
        for (int j = i + 1; j < int(t.size()); ++j)
            if (!t[j].isSpace())
                return j;
        return -1;
    };
    auto previous = [&](int i) {
        for (int j = i - 1; j >= 0; --j)
            if (!t[j].isSpace())
                return j;
        return -1;
    };
    // Yes/no columns hold -1 and 0 as on SQLite; the domain's name tells the
    // translator and the reader of a row which columns they are.
    QString out = preamble ? QStringLiteral("CREATE DOMAIN YESNO AS SMALLINT;\n"
                                            "CREATE COLLATION %1 (provider = icu, locale = 'de-u-ks-level2', "
                                            "deterministic = false);\n")
                                 .arg(QLatin1String(TextCollation))
                           : QString();
    bool inIndex = false;
    int indexDepth = 0;
    // Each table's integer key, and the key of the table an index is on when
    // its columns do not hold it already.
    QMap<QString, QString> keys;
    QString table;
    QString indexKey;
    // The text columns of each table by upper-case name, and those an index
    // holds: the columns the program's lists sort and search.
    QMap<QString, QMap<QString, QString>> textColumns;
    QMap<QString, QString> indexTable;
    QSet<QString> searched;
    int tableDepth = 0;
    bool tableHasKey = false;
    int columnStart = -1;
    for (int i = 0; i < int(t.size()); ++i) {
        const SqlToken& token = t[i];
        if (token.isWord("INDEX")) {
            inIndex = true;
            const int unique = previous(i);
            const int on = [&] {
                for (int j = i; j >= 0 && j < int(t.size()) && !t[j].isPunct('('); j = next(j))
                    if (t[j].isWord("ON"))
                        return j;
                return -1;
            }();
            indexKey = unique >= 0 && t[unique].isWord("UNIQUE") ? QString()
                       : on >= 0 && next(on) >= 0                ? keys.value(t[next(on)].text.toUpper())
                                                                 : QString();
            indexTable = on >= 0 && next(on) >= 0 ? textColumns.value(t[next(on)].text.toUpper())
                                                  : QMap<QString, QString>();
        } else if (token.isPunct(';')) {
            inIndex = false;
            columnStart = -1;
        } else if (token.isWord("TABLE") && next(i) >= 0) {
            table = t[next(i)].text.toUpper();
            tableDepth = 0;
            tableHasKey = false;
        }
        if (!inIndex && !table.isEmpty()) {
            if (token.isPunct('(') && ++tableDepth == 1)
                columnStart = next(i);
            else if (token.isPunct(')') && --tableDepth == 0 && !tableHasKey)
                // A table without a key has SQLite's rowid, which the program's
                // statements may read and which numbers the rows in the order
                // they were added.
                out += QLatin1String(",\n    rowid BIGINT GENERATED BY DEFAULT AS IDENTITY\n");
            else if (token.isWord("PRIMARY") && tableDepth >= 1)
                tableHasKey = true;
            else if (token.isPunct(',') && tableDepth == 1)
                columnStart = next(i);
        }
        if (inIndex && indexDepth == 1 && token.kind == SqlToken::Kind::Word &&
            indexTable.contains(token.text.toUpper()))
            searched.insert(indexTable.value(token.text.toUpper()));
        if (inIndex && indexDepth == 1 && token.kind == SqlToken::Kind::Word &&
            token.text.toUpper() == indexKey.toUpper())
            indexKey.clear();
        if (inIndex && token.isPunct('('))
            ++indexDepth;
        // An index keeps NULLs first, where the program's ORDER BY puts them
        // (as SQLite does), so that a sorted list can read it in order.
        if (inIndex && indexDepth == 1 && (token.isPunct(',') || token.isPunct(')')))
            out += QLatin1String(" NULLS FIRST");
        // Every SQLite index ends in the row's key, so a list that shows the
        // key reads the index alone, and one sorted by the key after the
        // index's columns reads it in order: here the key is the last column,
        // NULLs first as the ORDER BY says, although a key is never NULL.
        if (inIndex && indexDepth == 1 && token.isPunct(')') && !indexKey.isEmpty())
            out += QLatin1String(", ") + indexKey + QLatin1String(" NULLS FIRST");
        if (inIndex && token.isPunct(')'))
            --indexDepth;
        if (token.isWord("PRAGMA")) {
            while (i < int(t.size()) && !t[i].isPunct(';'))
                ++i;
            continue;
        }
        const int n1 = next(i);
        const int n2 = n1 >= 0 ? next(n1) : -1;
        if (token.isWord("INTEGER") && n2 >= 0 && t[n1].isWord("PRIMARY") && t[n2].isWord("KEY")) {
            // An insert without a key gets a new one, as SQLite's rowid gives it.
            if (previous(i) >= 0)
                keys.insert(table, t[previous(i)].text);
            out += QLatin1String("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
            tableHasKey = true;
            i = n2;
            const int n3 = next(i);
            if (n3 >= 0 && t[n3].isWord("AUTOINCREMENT"))
                i = n3;
        } else if ((token.isWord("VARCHAR") || token.isWord("CHAR")) && n2 >= 0 && t[n1].isPunct('(')) {
            // SQLite keeps texts of any length whatever the declared size;
            // the server would refuse a longer one.
            out += QLatin1String("VARCHAR");
            const int close = next(n2);
            if (close >= 0 && t[close].isPunct(')'))
                i = close;
        } else if (token.isWord("DOUBLE")) {
            out += QLatin1String("DOUBLE PRECISION");
        } else if (token.isWord("DATETIME")) {
            // Whole seconds, as the program writes them on SQLite.
            out += QLatin1String("TIMESTAMP(0)");
        } else if (token.isWord("BOOLEAN")) {
            out += QLatin1String("YESNO");
        } else if (token.isWord("NOCASE") && previous(i) >= 0 && t[previous(i)].isWord("COLLATE")) {
            if (columnStart >= 0)
                textColumns[table].insert(t[columnStart].text.toUpper(),
                                          t[columnStart].text + QLatin1String(" FROM ") + table);
            out += QLatin1String(TextCollation);
        } else {
            out += token.text;
        }
    }
    // The program's LIKE compares the lowered text (see JetSqlTranslator):
    // statistics of it let the planner tell a search that finds most rows
    // from one that finds few, as it can for the column itself. A trigram
    // index over it finds the rows holding a search text of three letters or
    // more without reading every row; it only narrows the rows LIKE checks,
    // so the rows found are the same without it. It needs the extension
    // pg_trgm, which a server may lack or refuse to this user: the database
    // then goes without these indexes, all of them, and searches more slowly.
    QStringList statistics(searched.cbegin(), searched.cend());
    statistics.sort();
    QString trigrams;
    for (const QString& columnAndTable : statistics) {
        const QStringList parts = columnAndTable.split(QLatin1String(" FROM "));
        const QString lowered = QStringLiteral("lower(%1 COLLATE \"und-x-icu\")").arg(parts[0]);
        out +=
            QStringLiteral("CREATE STATISTICS ST_%1_%2 ON (%3) FROM %1;\n").arg(parts[1], parts[0], lowered);
        trigrams += QStringLiteral("    CREATE INDEX TX_%1_%2 ON %1 USING gin (%3 gin_trgm_ops);\n")
                        .arg(parts[1], parts[0], lowered);
    }
    if (!trigrams.isEmpty())
        out += QLatin1String("DO $$\nBEGIN\n    CREATE EXTENSION IF NOT EXISTS pg_trgm;\n") + trigrams +
               QLatin1String("EXCEPTION WHEN OTHERS THEN\n    NULL;\nEND $$;\n");
    return out;
}

QString renderBuiltIn()
{
    QFile file(QStringLiteral(":/mensoly/data/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // A server database keeps its schema version in a table of its own.
    return render(QString::fromUtf8(file.readAll())) +
           QStringLiteral(
               "\nCREATE TABLE %1 (version INTEGER NOT NULL);\nINSERT INTO %1 (version) VALUES (%2);\n")
               .arg(QLatin1String(VersionTable))
               .arg(DatabaseCreator::SchemaVersion);
}

} // namespace PostgreSqlSchema
