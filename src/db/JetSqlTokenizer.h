#pragma once

#include <QString>

#include <vector>

// Splits Jet SQL text into tokens. Every character of the input belongs to
// exactly one token, so joining the token texts gives the input back.
struct SqlToken
{
    enum class Kind {
        Space,
        Word,         // identifier, keyword or function name
        QuotedName,   // [name] or `name`
        String,       // '...' with '' inside
        DoubleString, // "..." (a text literal in Jet SQL)
        DateLiteral,  // #...#
        Number,
        Operator,     // = <> < > <= >= != + - * / & | || % ^
        Punct,        // ( ) , . ;
        Unterminated, // a quote or bracket that never closes
        Other
    };

    Kind kind = Kind::Other;
    QString text;

    bool isSpace() const { return kind == Kind::Space; }
    bool isWord(const char* upper) const;
    bool isPunct(char c) const
    {
        return kind == Kind::Punct && text.size() == 1 && text[0] == QLatin1Char(c);
    }
    bool isOperator(const char* op) const { return kind == Kind::Operator && text == QLatin1String(op); }
    // The name a Word or QuotedName stands for, without brackets.
    QString name() const;
    // The content of a String or DoubleString with its quote doubling undone.
    QString stringValue() const;
};

std::vector<SqlToken> tokenizeJetSql(const QString& sql);
