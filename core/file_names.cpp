#include "core/file_names.h"

#include <optional>
#include <string>
#include <system_error>

namespace paylog {
namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

enum class EntryKind { File, Directory };

// The actual name of the entry of `dir` that `name` stands for, if any.
std::optional<std::string> findEntry(const std::filesystem::path& dir, const std::string& name,
                                     EntryKind kind) {
    auto matchesKind = [kind](const std::filesystem::directory_entry& entry) {
        std::error_code ignored;
        return entry.is_directory(ignored) == (kind == EntryKind::Directory);
    };
    std::error_code error;
    const std::filesystem::directory_entry exact(dir / name, error);
    if (!error && exact.exists(error) && matchesKind(exact)) return name;

    std::optional<std::string> best;
    std::filesystem::directory_iterator it(dir, error);
    // An unreadable or missing directory simply has no entries to reuse.
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (sameNameIgnoringCase(candidate, name) && matchesKind(*it) &&
            (!best || candidate < *best)) {
            best = std::move(candidate);
        }
    }
    return best;
}

std::filesystem::path resolve(const std::filesystem::path& dir, std::string_view utf8Name,
                              EntryKind lastKind) {
    const std::filesystem::path name{std::string(utf8Name)};
    std::filesystem::path result = name.is_absolute() ? name.root_path() : dir;
    const std::filesystem::path parts = name.relative_path();
    for (auto part = parts.begin(); part != parts.end(); ++part) {
        const std::string text = part->string();
        const bool last = std::next(part) == parts.end();
        if (text.empty() || text == "." || text == "..") {
            result /= *part;
            continue;
        }
        const auto found = findEntry(result, text, last ? lastKind : EntryKind::Directory);
        result /= found ? *found : text;
    }
    return result;
}

}  // namespace

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

std::filesystem::path resolveIgnoringCase(const std::filesystem::path& dir,
                                          std::string_view utf8Name) {
    return resolve(dir, utf8Name, EntryKind::File);
}

std::filesystem::path resolveDirectoryIgnoringCase(const std::filesystem::path& dir,
                                                   std::string_view utf8Name) {
    return resolve(dir, utf8Name, EntryKind::Directory);
}

}  // namespace paylog
