#pragma once

#include <QString>

#include <optional>

// Numbers as the grids show them: a fixed number of decimals with a decimal
// comma, in both languages; and read back from such a text.
namespace NumberText {

// value with decimals places ("%.Nf"), "." replaced by ",". Negative
// decimals count as none.
QString format(double value, int decimals);

// value as format() shows it, read back: what a comparison or a figure
// derived "as shown" uses.
double round(double value, int decimals);

// value with the fewest decimals from minDecimals to maxDecimals that read
// back as value; maxDecimals when none does.
QString formatShortest(double value, int minDecimals, int maxDecimals);

// Decimals from a text such as a grid's hidden decimals row; empty or no
// number gives 0.
int decimalsOf(const QString& text);

// The leading number of text after "," is replaced by "." (as atof reads it:
// leading blanks, a sign, digits, a point, an exponent); 0 when there is none.
double read(const QString& text);

// A number cut toward zero to a whole one, held to the range of int; 0 for
// not a number. Typed texts may hold any size ("1e308", "inf").
int toWhole(double value);
// toWhole(read(text)).
int readWhole(const QString& text);

// Whether read() gives a finite number ("inf", "nan" do not); a text
// without a number reads as 0 and counts as finite.
bool readsFinite(const QString& text);

// The whole text, blanks around it aside, as a finite number with a decimal
// comma or point ("1,5", "-3", "2e3"); nothing when anything else is in it
// ("12kg", "12 kg", "abc", "inf") or it is empty.
std::optional<double> readExactly(const QString& text);

// Text of a number for SQL or a formula: "," replaced by ".".
QString withPoint(const QString& text);

// A figure as the grids show it, in a language's decimal mark: the comma in
// German ("DE"), the point in English, for handouts, reports and files.
QString inLanguage(const QString& shown, const QString& languageCode);
// format() in a language's decimal mark; empty for no value.
QString format(const std::optional<double>& value, int decimals, const QString& languageCode);

// A figure written into a formula: a point, no exponent, fifteen significant
// digits; "0" for a figure that is not finite.
QString forFormula(double value);

} // namespace NumberText
