#pragma once
// The radio button of each entry kind and the hours its click suggests.

#include <array>
#include <string_view>

#include "core/entry_kind.h"

namespace paylog {

struct EntryKindControl {
    std::string_view radioButton;  // form name
    std::string_view usualHours;   // put into 组合框 by a click
};

// In EntryKind order.
inline constexpr std::array<EntryKindControl, kEntryKindCount> kEntryKindControls{{
    {"单选框加班1", "2"},
    {"单选框加班2", "10"},
    {"单选框加班3", "10"},
    {"单选框事假", "8"},
    {"单选框病假", "8"},
    {"单选框旷工", "8"},
}};

inline const EntryKindControl& entryKindControl(EntryKind kind) {
    return kEntryKindControls[static_cast<std::size_t>(kind)];
}

}  // namespace paylog
