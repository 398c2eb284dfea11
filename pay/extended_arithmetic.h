#pragma once
// The pay rules evaluate each formula with a 64-bit significand and round to
// a double only when a named result is stored. Writing the first operand as
// Wide makes the whole left-to-right chain run in long double (x87 extended
// precision on x86-64); stored() is the one rounding to double.

namespace paylog {

using Wide = long double;

inline double stored(Wide v) { return static_cast<double>(v); }

}  // namespace paylog
