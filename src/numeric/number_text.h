#pragma once
// Numbers as the user sees them: always with a decimal comma, whatever the locale.

#include <string>

// "%.0f" … "%.7f" for decimals 0 … 7, "%e" otherwise; the decimal point becomes a comma.
std::string FormatNumber(unsigned decimals, double value);

// Reads a whole text as a finite number, with a comma or a point as decimal separator
// ("0,5", "0.5", "-1,5", "1,5E-7"). Anything else ("1abc", "1,2,3", "", "inf") gives false and 0.
bool TextToDouble(const std::string& text, double& value);

// The shortest text that reads back as the same double ("0.9", "1e-05", "0.30000000000000004"), with a
// decimal point whatever the locale: exact, and no longer than it needs to be.
std::string ExactNumberText(double value);

// The text with its first '.' replaced by ',' (and the other way round).
std::string DotToComma(const std::string& text);
std::string CommaToDot(const std::string& text);
