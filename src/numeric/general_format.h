#pragma once
// The general number format of the table cells: the shortest faithful text of a value.

#include <string>

// Up to 15 significant digits with trailing zeros dropped and a decimal comma ("0,1", "-2,5",
// "1234"). Magnitudes below 0,00001 and those with more than 15 integer digits use exponent
// notation with the letter E ("1E-6", "-1,5E20"). Zero is "0"; infinities and NaN are
// "INF", "-INF" and "NAN", texts that do not read back as numbers.
std::string FormatGeneral(double value);
