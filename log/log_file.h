#pragma once
// The bytes of a log file: a header, the payload (the table's database
// image, encrypted when the table has a password) and a checksum.
//
// Version 1, integers little-endian:
//    0  magic, 8 bytes
//    8  format version, u32
//   12  flags, u32 (bit 0: the payload is encrypted)
//   16  Argon2id ops limit, u64
//   24  Argon2id memory limit, u64
//   32  salt, 16 bytes
//   48  nonce, 24 bytes (bytes 16..71 all zero when not encrypted)
//   72  payload length, u64
//   80  payload: the image, or the image sealed with XChaCha20-Poly1305
//       under the password's key with the 80 header bytes as associated data
//   then BLAKE2b-256 (unkeyed) of everything before it.
// The magic, the place of the version and the checksum at the very end are
// kept by every later version, so that an old program can tell a newer file
// from a damaged one.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "log/key_cache.h"
#include "log/record_store.h"

namespace paylog {

// Far above ten years of daily entries; a bigger file is not read at all.
inline constexpr size_t kMaxLogFileBytes = size_t{64} << 20;
inline constexpr size_t kMagicBytes = 8;

// How a table's file is sealed; unencrypted when it has no password.
struct Protection {
    bool encrypted = false;
    KdfParams kdf;
    PasswordDigest password{};  // of the password the key belongs to
    std::shared_ptr<const SecretKey> key;
};

// A new protection for `password` (none for the empty text): a fresh salt
// and the key derived at `limits`. IoError when the derivation fails.
StoreResult protectionFor(std::string_view password, const KdfLimits& limits, Protection& out);

// A fresh nonce every time.
std::string encodeLogFile(std::string_view image, const Protection& protection);

struct DecodedLog {
    StoreResult result;
    std::string image;
    Protection protection;
};

// Tells apart a foreign file (NotALog), a newer format (NewerFormat), a
// damaged file (Damaged) and a wrong password (WrongPassword). Header values
// are checked before any costly work.
DecodedLog decodeLogFile(std::string_view bytes, std::string_view password);

// A file that starts with these bytes (its first kMagicBytes or fewer) is
// something other than a log of this program, which must not be replaced by
// a copy. An empty file is not foreign: it holds nothing to lose.
bool isForeignFileStart(std::string_view start);

}  // namespace paylog
