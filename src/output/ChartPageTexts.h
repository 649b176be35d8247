#pragma once

#include <QString>

class CaseHeaderTexts;

namespace ChartPageTexts {

// "m) ", "w) " / "f) " after the species of a chart title; empty for any
// other sex, and then the bracket stays open.
QString sexWord(const QString& languageCode, const QString& sex);

// prefix + patient (species/sex word + case type  / owner  / recipe title.
QString title(const QString& languageCode, const QString& prefix, const CaseHeaderTexts& header);

// A number read as the C library's atof reads it, without turning a decimal
// comma into a point first: "12,5" is 12.
double readWithoutComma(const QString& text);

} // namespace ChartPageTexts
