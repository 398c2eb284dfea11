#pragma once
// What the usage page writes: five notes, then eleven sayings whose
// characters are separated by blanks so that they can be written one by one.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/text.h"

namespace paylog {

struct CanvasLine {
    int32_t x;  // write position on the canvas
    int32_t y;
    Text text;
};

inline constexpr size_t kUsageNoteCount = 5;
inline constexpr size_t kSayingCount = 11;

// In writing order; the last is the line that points to the feedback button.
const std::array<CanvasLine, kUsageNoteCount>& usageNotes();
// In writing order. Each character is followed by one blank, the second
// saying by two, so it ends in an empty piece.
const std::array<CanvasLine, kSayingCount>& usageSayings();

// Opened by the feedback button. A placeholder of the project until the
// owner gives the real page.
inline constexpr std::string_view kFeedbackAddress = "https://paylog.example.org/feedback";

}  // namespace paylog
