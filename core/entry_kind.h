#pragma once
// The kinds of a day's entry in the overtime log, one radio button each:
// overtime at the three rates, or leave and absence hours.

#include <cstddef>

namespace paylog {

enum class EntryKind { G1, G2, G3, PersonalLeave, SickLeave, Absence };
inline constexpr std::size_t kEntryKindCount = 6;

}  // namespace paylog
