#include "log/key_cache.h"

#include <sodium.h>

#include <algorithm>
#include <deque>
#include <mutex>

namespace paylog {
namespace {

// Up to MODERATE: about a second and 256 MiB at worst, which a file of this
// program never asks for (it uses INTERACTIVE).
constexpr uint64_t kMinOps = crypto_pwhash_OPSLIMIT_MIN;
constexpr uint64_t kMaxOps = crypto_pwhash_OPSLIMIT_SENSITIVE;
constexpr uint64_t kMinMem = crypto_pwhash_MEMLIMIT_MIN;
constexpr uint64_t kMaxMem = crypto_pwhash_MEMLIMIT_MODERATE;

// Enough for the log, its backup and a changed password in one run.
constexpr size_t kMaxKeys = 8;

struct CachedKey {
    PasswordDigest digest;
    KdfParams params;
    std::shared_ptr<const SecretKey> key;
};

class KeyCache {
  public:
    static KeyCache& instance() {
        static KeyCache cache;
        return cache;
    }

    PasswordDigest digest(std::string_view password) {
        PasswordDigest out;
        crypto_generichash(out.data(), out.size(),
                           reinterpret_cast<const unsigned char*>(password.data()), password.size(),
                           digestKey_.data(), digestKey_.size());
        return out;
    }

    std::shared_ptr<const SecretKey> keyFor(std::string_view password, const KdfParams& params) {
        std::lock_guard lock(mutex_);
        const PasswordDigest wanted = digest(password);
        for (const CachedKey& entry : keys_) {
            if (entry.digest == wanted && entry.params.opsLimit == params.opsLimit &&
                entry.params.memLimit == params.memLimit && entry.params.salt == params.salt) {
                return entry.key;
            }
        }
        std::shared_ptr<SecretKey> key = SecretKey::allocate();
        if (!key) return nullptr;
        if (crypto_pwhash(key->data(), kKeyBytes, password.data(), password.size(),
                          params.salt.data(), params.opsLimit, static_cast<size_t>(params.memLimit),
                          crypto_pwhash_ALG_ARGON2ID13) != 0) {
            return nullptr;
        }
        if (keys_.size() == kMaxKeys) keys_.pop_front();
        keys_.push_back({wanted, params, key});
        return key;
    }

    void forget(const Salt& salt) {
        std::lock_guard lock(mutex_);
        std::erase_if(keys_, [&](const CachedKey& entry) { return entry.params.salt == salt; });
    }

  private:
    KeyCache() { randombytes_buf(digestKey_.data(), digestKey_.size()); }

    std::mutex mutex_;
    std::array<unsigned char, crypto_generichash_KEYBYTES> digestKey_{};
    std::deque<CachedKey> keys_;
};

}  // namespace

bool kdfCostAllowed(uint64_t opsLimit, uint64_t memLimit) {
    return opsLimit >= kMinOps && opsLimit <= kMaxOps && memLimit >= kMinMem && memLimit <= kMaxMem;
}

uint64_t allowedOpsLimit(uint64_t wanted) { return std::clamp(wanted, kMinOps, kMaxOps); }
uint64_t allowedMemLimit(uint64_t wanted) { return std::clamp(wanted, kMinMem, kMaxMem); }

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

std::unique_ptr<SecretKey> SecretKey::allocate() {
    if (!sodiumReady()) return nullptr;
    auto* bytes = static_cast<unsigned char*>(sodium_malloc(kKeyBytes));
    if (bytes == nullptr) return nullptr;
    return std::unique_ptr<SecretKey>(new SecretKey(bytes));
}

SecretKey::~SecretKey() { sodium_free(bytes_); }

PasswordDigest passwordDigest(std::string_view password) {
    sodiumReady();
    return KeyCache::instance().digest(password);
}

std::shared_ptr<const SecretKey> keyFor(std::string_view password, const KdfParams& params) {
    if (!sodiumReady() || !kdfCostAllowed(params.opsLimit, params.memLimit)) return nullptr;
    return KeyCache::instance().keyFor(password, params);
}

void forgetKeys(const Salt& salt) { KeyCache::instance().forget(salt); }

}  // namespace paylog
