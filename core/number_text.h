#pragma once
// Numbers and their texts: how amounts are shown and how typed texts are read.

#include <cstdint>
#include <string_view>

#include "core/text.h"

namespace paylog {

// At most 13 significant digits, no trailing zeros, exponent form outside
// 1e-5 .. 1e13; non-finite values as "1.#INF", "-1.#IND" and the like.
Text numberToText(double v);
Text intToText(int32_t v);

// Longest numeric prefix after full-width normalisation and white space;
// 0 when there is none. Never fails.
double textToNumber(std::string_view t);
// Sign and decimal digits accumulated in 32-bit arithmetic that wraps.
int32_t textToInt(std::string_view t);

// Fraction dropped toward zero; NaN gives 0, out-of-range values saturate.
int32_t truncateToInt(double v);
// Halves away from zero, with 1e-12 added so that decimal halves held just
// below .5 round up too. 0, NaN and infinities pass through, and so does a
// value with too many places to scale without overflow.
double roundNumber(double v, int32_t places = 0);

// a exceeds b when a - b, formed in extended precision, is above 1e-7.
bool exceeds(double a, double b);

// The undefined value of the arithmetic: a quiet NaN with its sign bit set.
double undefinedNumber();

}  // namespace paylog
