#pragma once
// Password keys, derived once per run. Argon2id is slow by design, and the
// log is opened around every action; so each key is kept, in guarded memory
// that is wiped when it goes, for the rest of the run.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace paylog {

inline constexpr size_t kSaltBytes = 16;
inline constexpr size_t kKeyBytes = 32;
using Salt = std::array<unsigned char, kSaltBytes>;

struct KdfParams {
    uint64_t opsLimit = 0;
    uint64_t memLimit = 0;
    Salt salt{};
};

// What a file may ask of the key derivation. A file asking for more is not
// believed: a crafted one must not stall the program or exhaust memory.
bool kdfCostAllowed(uint64_t opsLimit, uint64_t memLimit);
uint64_t allowedOpsLimit(uint64_t wanted);  // `wanted` brought into the allowed range
uint64_t allowedMemLimit(uint64_t wanted);

// libsodium ready for use; false when it cannot start.
bool sodiumReady();

// 32 bytes in sodium_malloc'd memory, zeroed when freed.
class SecretKey {
  public:
    static std::unique_ptr<SecretKey> allocate();  // null when out of memory
    ~SecretKey();
    SecretKey(const SecretKey&) = delete;
    SecretKey& operator=(const SecretKey&) = delete;
    unsigned char* data() { return bytes_; }
    const unsigned char* data() const { return bytes_; }

  private:
    explicit SecretKey(unsigned char* bytes) : bytes_(bytes) {}
    unsigned char* bytes_;
};

// Tells passwords apart without keeping them: a hash keyed with a secret
// made for this run.
using PasswordDigest = std::array<unsigned char, 32>;
PasswordDigest passwordDigest(std::string_view password);

// The key for a password under a file's salt and cost, derived on first use
// in the run; null when the derivation fails (out of memory).
std::shared_ptr<const SecretKey> keyFor(std::string_view password, const KdfParams& params);

// Drops every key kept for this salt, e.g. when its password is replaced.
void forgetKeys(const Salt& salt);

}  // namespace paylog
