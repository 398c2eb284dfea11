#pragma once
// Helpers shared by the fuzz targets: a check that holds in every build type
// (assert is compiled out with NDEBUG), the input as a text, and one scratch
// folder per process for the targets that go through files.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace paylog {

[[noreturn]] inline void fuzzCheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

// A broken promise of the code under test: abort, so that libFuzzer keeps the
// input and the replay test fails.
#define PAYLOG_FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::paylog::fuzzCheckFailed(#condition, __FILE__, __LINE__))

inline std::string_view inputText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A private folder under TMPDIR, made on first use and removed when the
// process ends normally. The fuzz script points TMPDIR at a memory file
// system, since every save syncs its file.
class ScratchFolder {
  public:
    static const std::filesystem::path& path() {
        static const ScratchFolder folder;
        return folder.path_;
    }

  private:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "paylog-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("paylog fuzz: cannot make a scratch folder");
            std::abort();
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::filesystem::path path_;
};

// A new file each time rather than the old one truncated, like a save does.
inline void writeScratchFile(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "paylog fuzz: cannot write %s\n", file.c_str());
        std::abort();
    }
}

}  // namespace paylog
