#include "db/JetSqlTokens.h"

#include <QStringList>

namespace jet_sql {

int nextSignificant(const Tokens& t, int i)
{
    for (int j = i + 1; j < int(t.size()); ++j)
        if (!t[j].isSpace())
            return j;
    return -1;
}

int prevSignificant(const Tokens& t, int i)
{
    for (int j = i - 1; j >= 0; --j)
        if (!t[j].isSpace())
            return j;
    return -1;
}

bool isName(const SqlToken& token)
{
    return token.kind == Kind::Word || token.kind == Kind::QuotedName;
}

bool isComparison(const SqlToken& token)
{
    static const QStringList ops = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                    QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">="),
                                    QStringLiteral("!=")};
    return token.kind == Kind::Operator && ops.contains(token.text);
}

bool opensComment(const QString& left, const QString& right)
{
    const QString meeting = left.right(1) + right.left(1);
    return meeting == QLatin1String("--") || meeting == QLatin1String("/*");
}

bool isTextLiteral(const SqlToken& token)
{
    return token.kind == Kind::String || token.kind == Kind::DoubleString;
}

QString quoted(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// The column a name token at index i ends, for "T.col" as well as "col";
// when the name is followed by ".", the column is the name after the dot.
int columnTokenAt(const Tokens& t, int i)
{
    const int next = nextSignificant(t, i);
    if (next >= 0 && t[next].isPunct('.')) {
        const int after = nextSignificant(t, next);
        return after >= 0 && isName(t[after]) ? after : -1;
    }
    return i;
}

// Words that end an operand of "&" or LIKE: the clauses and the operators
// that bind less tightly than Jet's arithmetic and "&".
bool isBoundaryWord(const SqlToken& token)
{
    static const QStringList words = {
        QStringLiteral("AND"),     QStringLiteral("OR"),       QStringLiteral("NOT"),
        QStringLiteral("XOR"),     QStringLiteral("EQV"),      QStringLiteral("IMP"),
        QStringLiteral("LIKE"),    QStringLiteral("IS"),       QStringLiteral("IN"),
        QStringLiteral("BETWEEN"), QStringLiteral("AS"),       QStringLiteral("FROM"),
        QStringLiteral("WHERE"),   QStringLiteral("SELECT"),   QStringLiteral("SET"),
        QStringLiteral("ON"),      QStringLiteral("BY"),       QStringLiteral("WHEN"),
        QStringLiteral("THEN"),    QStringLiteral("ELSE"),     QStringLiteral("END"),
        QStringLiteral("CASE"),    QStringLiteral("DISTINCT"), QStringLiteral("VALUES"),
        QStringLiteral("HAVING"),  QStringLiteral("ORDER"),    QStringLiteral("GROUP"),
        QStringLiteral("ASC"),     QStringLiteral("DESC"),     QStringLiteral("LIMIT"),
        QStringLiteral("OFFSET"),  QStringLiteral("INTO"),     QStringLiteral("UNION"),
        QStringLiteral("JOIN"),    QStringLiteral("INNER"),    QStringLiteral("OUTER"),
        QStringLiteral("ESCAPE"),  QStringLiteral("MOD"),      QStringLiteral("EXISTS"),
        QStringLiteral("FOR"),
    };
    return token.kind == Kind::Word && words.contains(token.text, Qt::CaseInsensitive);
}

// The operators that bind as tightly as Jet's arithmetic, "+" on texts included.
bool isArithmetic(const SqlToken& token)
{
    static const QStringList ops = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"),
                                    QStringLiteral("/"), QStringLiteral("^"), QStringLiteral("%"),
                                    QStringLiteral("||")};
    return (token.kind == Kind::Operator && ops.contains(token.text)) || token.isWord("MOD");
}

bool isSign(const SqlToken& token)
{
    return token.isOperator("-") || token.isOperator("+");
}

// A plain identifier: letters, digits and "_", not starting with a digit.
bool isPlainIdentifier(const QString& name)
{
    if (name.isEmpty() || name[0].isDigit())
        return false;
    for (const QChar c : name)
        if (c.unicode() >= 0x80 || !(c.isLetterOrNumber() || c == QLatin1Char('_')))
            return false;
    return true;
}

// PostgreSQL folds unquoted names to lower case, so the tables are named in
// lower case: a plain name is quoted that way, any other as it is.
QString postgresName(QString name)
{
    if (isPlainIdentifier(name))
        name = name.toLower();
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace jet_sql
