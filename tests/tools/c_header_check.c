/* The headers velmar-cli writes, compiled as C: the arrays handed to the C++ test. */
#include "Filter.h"
#include "chebyshev10.h"
#include "filter.h"
#include "typed.h"

const double* chebyshev10_sos_from_c(void) { return &cheb10_sos[0][0]; }
int chebyshev10_sections_from_c(void) { return cheb10_SECTION_COUNT; }
const double* typed_numerator_from_c(void) { return typed_numerator; }
const double* typed_denominator_from_c(void) { return typed_denominator; }
int typed_numerator_length_from_c(void) { return typed_NUMERATOR_LENGTH; }
int typed_denominator_length_from_c(void) { return typed_DENOMINATOR_LENGTH; }
int filter_sections_from_c(void) { return Filter_SECTION_COUNT + filter_SECTION_COUNT; }
