#include "db/PostgreSqlSchema.h"

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

} // namespace

QString render(const QString& sqliteSchema)
{
    const std::vector<SqlToken> t = tokenizeJetSql(withoutComments(sqliteSchema));
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
    QString out = QStringLiteral("CREATE DOMAIN YESNO AS SMALLINT;\n"
                                 "CREATE COLLATION %1 (provider = icu, locale = 'de-u-ks-level2', "
                                 "deterministic = false);\n")
                      .arg(QLatin1String(TextCollation));
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
        }
        if (!inIndex && !table.isEmpty()) {
            if (token.isPunct('(') && ++tableDepth == 1)
                columnStart = next(i);
            else if (token.isPunct(')'))
                --tableDepth;
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
            i = n2;
            const int n3 = next(i);
            if (n3 >= 0 && t[n3].isWord("AUTOINCREMENT"))
                i = n3;
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
    return render(QString::fromUtf8(file.readAll()));
}

} // namespace PostgreSqlSchema
