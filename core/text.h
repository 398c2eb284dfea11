#pragma once
// Texts are GBK byte strings inside the program; every length and cut counts
// bytes. Conversion to and from UTF-8 happens only at the edges.

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace paylog {

using Text = std::string;  // GBK (code page 936) bytes

// GBK bytes of a UTF-8 text. Chinese literals in the sources are UTF-8 and
// go through this once: `static const Text kName = gbk("元旦 ");`.
// Characters GBK lacks become '?'.
Text gbk(std::string_view utf8);

// UTF-8 of a GBK text, for the edges that speak UTF-8 (Qt, tests).
std::string utf8(std::string_view gbkText);

// Full-width forms of ASCII ("１", "．", "－", "　", "～", "☆", "★") become
// their ASCII counterparts; a final lead byte without its second byte is
// dropped. Everything else stays.
Text normaliseFullWidth(std::string_view t);

int32_t textLength(std::string_view t);
Text textLeft(std::string_view t, int32_t n);
Text textRight(std::string_view t, int32_t n);
Text joinTexts(std::initializer_list<std::string_view> parts);
// Byte-wise unsigned comparison: negative, 0 or positive.
int compareText(std::string_view a, std::string_view b);
// Pieces between separators, scanning whole characters so that a separator
// never matches inside a two-byte character. With maxCount the scan stops at
// that many pieces; a maxCount of 0 or below gives nothing.
inline constexpr int32_t kNoPieceLimit = std::numeric_limits<int32_t>::max();
std::vector<Text> splitText(std::string_view t, std::string_view sep = ",",
                            int32_t maxCount = kNoPieceLimit);

}  // namespace paylog
