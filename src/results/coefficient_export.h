#pragma once
// A filter's coefficients as files for other programs: CSV with a decimal point, and a C header of
// `static const double` arrays. Each number is the shortest text that reads back as the same
// double. The first line of a CSV states the convention (a '#' comment), the second
// names the columns.

#include <string>

#include "results/filter_coefficients.h"

// The layout must be one of AvailableLayouts(filter).
// kDirect:   "k,numerator,denominator", one row per power of z⁻¹.
// kSections: "section,b0,b1,b2,a0,a1,a2", one row per section, numbered from 1.
std::string CoefficientsCsv(const FilterCoefficients& filter, CoefficientLayout layout);

// A header for C and C++ alike: an include guard, a comment with the convention and the design,
// the lengths or the section count as macros and the arrays. Its identifiers start with
// HeaderPrefix(file_name).
std::string CoefficientsHeader(const FilterCoefficients& filter, CoefficientLayout layout,
                               const std::string& file_name);

// A C identifier from a file's name without folder and extension: letters, digits and '_' kept,
// anything else '_'; "velmar_filter" when no letter or digit is left; "f_" ahead of a leading digit.
std::string HeaderPrefix(const std::string& file_name);
