#pragma once
// What an input of log_file_fuzz holds, shared with the seed generator: the
// first byte says how to take the rest.

#include <cstdint>

#include "core/text.h"

namespace paylog {

// Bit 0 clear: the rest is a log file as it lies on disk. Bit 0 set: the rest
// is a table's database image, which the program's own encoder wraps into a
// sound file (header and checksum), sealed with the fuzz password when bit 1
// is set too. The checksum and the sealing turn away nearly every mutated
// file, so only the second way reaches the image reader.
inline constexpr uint8_t kImageInputBit = 1;
inline constexpr uint8_t kSealedInputBit = 2;

// The one password the seeds are protected with and the target tries.
inline const Text& fuzzLogPassword() {
    static const Text kPassword = gbk("工资123");
    return kPassword;
}

}  // namespace paylog
