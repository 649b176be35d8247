#include "db/JetSqlTokenizer.h"

bool SqlToken::isWord(const char* upper) const
{
    return kind == Kind::Word && text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0;
}

QString SqlToken::name() const
{
    if (kind == Kind::QuotedName && text.size() >= 2)
        return text.mid(1, text.size() - 2);
    return text;
}

QString SqlToken::stringValue() const
{
    if ((kind != Kind::String && kind != Kind::DoubleString) || text.size() < 2)
        return QString();
    const QChar quote = text[0];
    QString inner = text.mid(1, text.size() - 2);
    inner.replace(QString(2, quote), QString(quote));
    return inner;
}

static bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

static bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Reads a quoted run starting at i (the opening quote) up to the closing
// quote; a doubled quote inside stands for one quote character.
static int quotedEnd(const QString& sql, int i, QChar close, bool doubling)
{
    const int n = sql.size();
    int j = i + 1;
    while (j < n) {
        if (sql[j] == close) {
            if (doubling && j + 1 < n && sql[j + 1] == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return -1;
}

std::vector<SqlToken> tokenizeJetSql(const QString& sql)
{
    std::vector<SqlToken> tokens;
    const int n = sql.size();
    int i = 0;
    auto push = [&](SqlToken::Kind kind, int end) {
        tokens.push_back({kind, sql.mid(i, end - i)});
        i = end;
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            int j = i + 1;
            while (j < n && sql[j].isSpace())
                ++j;
            push(SqlToken::Kind::Space, j);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = quotedEnd(sql, i, c, true);
            if (end < 0)
                push(SqlToken::Kind::Unterminated, n);
            else
                push(c == QLatin1Char('\'') ? SqlToken::Kind::String : SqlToken::Kind::DoubleString, end);
        } else if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const int end = quotedEnd(sql, i, c == QLatin1Char('[') ? QLatin1Char(']') : c, false);
            if (end < 0)
                push(SqlToken::Kind::Unterminated, n);
            else
                push(SqlToken::Kind::QuotedName, end);
        } else if (c == QLatin1Char('#')) {
            const int end = quotedEnd(sql, i, c, false);
            if (end < 0)
                push(SqlToken::Kind::Unterminated, n);
            else
                push(SqlToken::Kind::DateLiteral, end);
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            int j = i;
            while (j < n && (sql[j].isDigit() || sql[j] == QLatin1Char('.')))
                ++j;
            if (j < n && (sql[j] == QLatin1Char('e') || sql[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (sql[k] == QLatin1Char('+') || sql[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && sql[k].isDigit()) {
                    while (k < n && sql[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            push(SqlToken::Kind::Number, j);
        } else if (isWordStart(c)) {
            int j = i + 1;
            while (j < n && isWordChar(sql[j]))
                ++j;
            push(SqlToken::Kind::Word, j);
        } else if (QStringLiteral("(),.;").contains(c)) {
            push(SqlToken::Kind::Punct, i + 1);
        } else if (QStringLiteral("=<>!+-*/&|%^").contains(c)) {
            int j = i + 1;
            if (j < n) {
                const QString two = sql.mid(i, 2);
                if (two == QLatin1String("<=") || two == QLatin1String(">=") || two == QLatin1String("<>") ||
                    two == QLatin1String("!=") || two == QLatin1String("||"))
                    j = i + 2;
            }
            push(SqlToken::Kind::Operator, j);
        } else {
            push(SqlToken::Kind::Other, i + 1);
        }
    }
    return tokens;
}
