#pragma once

#include <string>
#include <string_view>

// Evaluator for requirement, supply and growth-curve formulas. The callers
// substitute every variable by its value before the call, so a formula holds
// only numbers, operators, keywords and parentheses.
//
// Every keyword is an infix operator with two operands; a prefix use gets the
// left operand 0 ("-3" is "0 - 3", "abs(x)" is "0 abs x"). All operators are
// left-associative. The engine keeps no state between calls.

// Status codes returned by the three functions.
inline constexpr int kFormulaOk = 0;
// A parenthesis without its partner, or an operator with fewer than two operands.
inline constexpr int kFormulaStructureError = 1;
// A character that begins no token, e.g. "=", "," or the run "^-".
inline constexpr int kFormulaCharacterError = 3;
// More than one value left after evaluation (the result is the last value
// computed), or an internal failure such as memory exhaustion (no result).
inline constexpr int kFormulaExtraValues = 4;

// The value a "then" yields when its condition is not exactly 1; "else" and
// "elseif" pass their right operand on only when they receive this value.
inline constexpr double kFormulaBranchNotTaken = 1.7e308;

// Converts and evaluates a formula. The result is written on status 0 and on
// status 4 with values left over; otherwise it is left untouched, so callers
// that preset it to 0 get 0 for a broken formula. An empty formula gives 1.
int evaluateFormula(std::string_view formula, double& result);

// Converts a formula to postfix text: tokens separated by single blanks, with
// the implicit left operands 0 written out. On failure the text is empty.
int formulaToPostfix(std::string_view formula, std::string& postfix);

// Evaluates postfix text as written by formulaToPostfix. A blank-separated
// piece that is one of the operator tokens is that operator; any other piece
// is an operand. The result is written on status 0 and 4 only.
int evaluatePostfix(std::string_view postfix, double& result);
