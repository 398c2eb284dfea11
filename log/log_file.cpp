#include "log/log_file.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace paylog {
namespace {

constexpr std::array<char, kMagicBytes> kMagic = {'\x89', 'P', 'L', 'O', 'G', '\r', '\n', '\x1a'};
constexpr uint32_t kFormatVersion = 1;
constexpr uint32_t kEncryptedFlag = 1;
constexpr size_t kNonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr size_t kTagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr size_t kChecksumBytes = 32;

constexpr size_t kVersionAt = 8;
constexpr size_t kFlagsAt = 12;
constexpr size_t kOpsAt = 16;
constexpr size_t kMemAt = 24;
constexpr size_t kSaltAt = 32;
constexpr size_t kNonceAt = 48;
constexpr size_t kLengthAt = 72;
constexpr size_t kHeaderBytes = 80;
static_assert(kNonceAt + kNonceBytes == kLengthAt);

void putLittleEndian(std::string& out, size_t at, uint64_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t getLittleEndian(std::string_view in, size_t at, size_t bytes) {
    uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i) {
        value |= uint64_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
    }
    return value;
}

const unsigned char* bytesOf(std::string_view s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}
unsigned char* bytesOf(std::string& s) { return reinterpret_cast<unsigned char*>(s.data()); }

std::array<unsigned char, kChecksumBytes> checksumOf(std::string_view data) {
    std::array<unsigned char, kChecksumBytes> sum;
    crypto_generichash(sum.data(), sum.size(), bytesOf(data), data.size(), nullptr, 0);
    return sum;
}

bool allZero(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

StoreResult damaged(std::string detail) { return {StoreStatus::Damaged, std::move(detail)}; }

}  // namespace

StoreResult protectionFor(std::string_view password, const KdfLimits& limits, Protection& out) {
    Protection made;
    made.password = passwordDigest(password);
    if (!password.empty()) {
        made.encrypted = true;
        made.kdf.opsLimit = allowedOpsLimit(limits.opsLimit);
        made.kdf.memLimit = allowedMemLimit(limits.memLimit);
        randombytes_buf(made.kdf.salt.data(), made.kdf.salt.size());
        made.key = keyFor(password, made.kdf);
        if (!made.key)
            return {StoreStatus::IoError, "the password key could not be derived (out of memory)"};
    }
    out = std::move(made);
    return {};
}

std::string encodeLogFile(std::string_view image, const Protection& protection) {
    const size_t payloadBytes = image.size() + (protection.encrypted ? kTagBytes : 0);
    std::string file(kHeaderBytes + payloadBytes + kChecksumBytes, '\0');
    std::copy(kMagic.begin(), kMagic.end(), file.begin());
    putLittleEndian(file, kVersionAt, kFormatVersion, 4);
    putLittleEndian(file, kLengthAt, payloadBytes, 8);
    if (protection.encrypted) {
        putLittleEndian(file, kFlagsAt, kEncryptedFlag, 4);
        putLittleEndian(file, kOpsAt, protection.kdf.opsLimit, 8);
        putLittleEndian(file, kMemAt, protection.kdf.memLimit, 8);
        std::copy(protection.kdf.salt.begin(), protection.kdf.salt.end(), file.begin() + kSaltAt);
        randombytes_buf(bytesOf(file) + kNonceAt, kNonceBytes);
        unsigned long long sealedBytes = 0;
        crypto_aead_xchacha20poly1305_ietf_encrypt(
            bytesOf(file) + kHeaderBytes, &sealedBytes, bytesOf(image), image.size(), bytesOf(file),
            kHeaderBytes, nullptr, bytesOf(file) + kNonceAt, protection.key->data());
    } else {
        std::copy(image.begin(), image.end(), file.begin() + kHeaderBytes);
    }
    const auto sum = checksumOf(std::string_view(file).substr(0, kHeaderBytes + payloadBytes));
    std::copy(sum.begin(), sum.end(),
              file.begin() + static_cast<std::ptrdiff_t>(kHeaderBytes + payloadBytes));
    return file;
}

DecodedLog decodeLogFile(std::string_view bytes, std::string_view password) {
    DecodedLog decoded;
    const std::string_view magic(kMagic.data(), kMagic.size());
    if (bytes.size() < kMagicBytes || bytes.substr(0, kMagicBytes) != magic) {
        decoded.result = isForeignFileStart(bytes.substr(0, kMagicBytes))
                             ? StoreResult{StoreStatus::NotALog, "not a log file of this program"}
                             : damaged("the file is cut short");
        return decoded;
    }
    if (bytes.size() < kHeaderBytes + kChecksumBytes) {
        decoded.result = damaged("the file is cut short");
        return decoded;
    }
    const std::string_view covered = bytes.substr(0, bytes.size() - kChecksumBytes);
    const auto sum = checksumOf(covered);
    if (std::memcmp(sum.data(), bytes.data() + covered.size(), kChecksumBytes) != 0) {
        decoded.result = damaged("the checksum does not match");
        return decoded;
    }

    const std::string_view header = bytes.substr(0, kHeaderBytes);
    const uint64_t version = getLittleEndian(header, kVersionAt, 4);
    if (version > kFormatVersion) {
        decoded.result = {StoreStatus::NewerFormat, "written by a newer version of the program"};
        return decoded;
    }
    const uint64_t flags = getLittleEndian(header, kFlagsAt, 4);
    const uint64_t payloadBytes = getLittleEndian(header, kLengthAt, 8);
    if (version == 0 || (flags & ~uint64_t{kEncryptedFlag}) != 0 ||
        payloadBytes != covered.size() - kHeaderBytes) {
        decoded.result = damaged("the header is not valid");
        return decoded;
    }
    const std::string_view payload = covered.substr(kHeaderBytes);
    Protection& protection = decoded.protection;
    protection.encrypted = (flags & kEncryptedFlag) != 0;
    if (!protection.encrypted) {
        if (!allZero(header.substr(kOpsAt, kLengthAt - kOpsAt))) {
            decoded.result = damaged("the header is not valid");
        } else if (!password.empty()) {
            decoded.result = {StoreStatus::WrongPassword, "the table has no password"};
        } else {
            protection.password = passwordDigest(password);
            decoded.image.assign(payload);
        }
        return decoded;
    }

    protection.kdf.opsLimit = getLittleEndian(header, kOpsAt, 8);
    protection.kdf.memLimit = getLittleEndian(header, kMemAt, 8);
    std::copy_n(header.begin() + kSaltAt, kSaltBytes, protection.kdf.salt.begin());
    if (!kdfCostAllowed(protection.kdf.opsLimit, protection.kdf.memLimit) ||
        payloadBytes < kTagBytes) {
        decoded.result = damaged("the header is not valid");
        return decoded;
    }
    if (password.empty()) {
        decoded.result = {StoreStatus::WrongPassword, "the table needs a password"};
        return decoded;
    }
    protection.password = passwordDigest(password);
    protection.key = keyFor(password, protection.kdf);
    if (!protection.key) {
        decoded.result = {StoreStatus::IoError,
                          "the password key could not be derived (out of memory)"};
        return decoded;
    }
    decoded.image.resize(payload.size() - kTagBytes);
    unsigned long long imageBytes = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            bytesOf(decoded.image), &imageBytes, nullptr, bytesOf(payload), payload.size(),
            bytesOf(header), kHeaderBytes, bytesOf(header) + kNonceAt,
            protection.key->data()) != 0) {
        decoded.image.clear();
        decoded.result = {StoreStatus::WrongPassword, "the password does not open the table"};
    }
    return decoded;
}

bool isForeignFileStart(std::string_view start) {
    start = start.substr(0, kMagicBytes);
    return start != std::string_view(kMagic.data(), start.size());
}

}  // namespace paylog
