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
// the lengths or the section count as macros and the arrays. Every identifier starts with
// prefix (IsHeaderPrefix): prefix_sos, prefix_SECTION_COUNT. The guard is the prefix upper-cased
// with a short hash of the header's content, so that two different headers (Filter.h and
// filter.h, or two cheb.h in different folders) never share one.
std::string CoefficientsHeader(const FilterCoefficients& filter, CoefficientLayout layout, const std::string& prefix);

// A C identifier from a file's name without folder and extension: letters, digits and '_' kept,
// anything else '_'; "velmar_filter" when no letter or digit is left; "f_" ahead of a leading digit.
std::string HeaderPrefix(const std::string& file_name);

// Whether text can be a header's prefix: a Latin letter, then Latin letters, digits and single
// underscores (names with "__" or a leading '_' belong to the compiler).
bool IsHeaderPrefix(const std::string& text);
