#pragma once

#include <QString>

#include "db/JetSqlTokenizer.h"

#include <vector>

// What the translation passes ask of single tokens and of their neighbours:
// the next and previous token that is not space, what a token is (a name, a
// comparison, a word that ends an operand, ...), and literals and names
// written for the engine.
namespace jet_sql {

using Kind = SqlToken::Kind;
using Tokens = std::vector<SqlToken>;

int nextSignificant(const Tokens& t, int i);
int prevSignificant(const Tokens& t, int i);
bool isName(const SqlToken& token);
bool isComparison(const SqlToken& token);
bool opensComment(const QString& left, const QString& right);
bool isTextLiteral(const SqlToken& token);
QString quoted(const QString& value);
int columnTokenAt(const Tokens& t, int i);
bool isBoundaryWord(const SqlToken& token);
bool isArithmetic(const SqlToken& token);
bool isSign(const SqlToken& token);
bool isPlainIdentifier(const QString& name);
QString postgresName(QString name);

} // namespace jet_sql
