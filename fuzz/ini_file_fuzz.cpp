// The settings-file reader and writer on any file. Input: either
// "section\0key\0value\0" followed by the file, which sets that one key, or
// (with fewer than three zero bytes) the file alone, which gets the keys the
// program's shutdown writes. After the write, the keys written read back with
// their values, every other key reads as before, and every other line of the
// file is still there byte for byte; a refused write changes nothing. The
// same write then goes through the file functions and must give the same
// bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ini_file.h"
#include "core/safe_file.h"
#include "core/text.h"
#include "fuzz/fuzz_support.h"

namespace paylog {
namespace {

struct Request {
    Text section;
    std::vector<IniEntry> entries;
    Text file;
};

Request requestFrom(std::string_view input) {
    std::vector<size_t> zeros;
    for (size_t i = 0; i < input.size() && zeros.size() < 3; ++i) {
        if (input[i] == '\0') zeros.push_back(i);
    }
    if (zeros.size() == 3) {
        return {Text(input.substr(0, zeros[0])),
                {{Text(input.substr(zeros[0] + 1, zeros[1] - zeros[0] - 1)),
                  Text(input.substr(zeros[1] + 1, zeros[2] - zeros[1] - 1))}},
                Text(input.substr(zeros[2] + 1))};
    }
    static const Text kSection = gbk("工资总项目");
    static const std::vector<IniEntry> kEntries = {
        {gbk("正常工作时间工资"), "1820"},
        {gbk("夜班"), gbk("夜班")},
        {gbk("个税计算方法"), "2019"},
    };
    return {kSection, kEntries, Text(input)};
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }
bool hasOuterBlank(std::string_view s) {
    return !s.empty() && (isBlank(s.front()) || isBlank(s.back()));
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Equal ignoring the case of every ASCII letter byte: looser than the file's
// own rule, so whatever it tells apart, the file tells apart too.
bool looselySame(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Names that the rules of the format plainly allow. A ']' anywhere in a
// section name is left out: as the second byte of a two-byte character it
// may be allowed, and whether it is, is the writer's call.
// A lead byte takes the byte after it as its second: one at the end of a
// section name would take the header's closing bracket.
bool endsInLoneLeadByte(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) i += (static_cast<unsigned char>(s[i]) & 0x80) != 0 ? 2 : 1;
    return i > s.size();
}

bool plainlyStorable(const Request& r) {
    if (r.section.empty() || hasOuterBlank(r.section) || hasLineBreak(r.section) ||
        r.section.find(']') != Text::npos || endsInLoneLeadByte(r.section)) {
        return false;
    }
    return std::all_of(r.entries.begin(), r.entries.end(), [](const IniEntry& e) {
        return !e.key.empty() && !hasOuterBlank(e.key) && !hasLineBreak(e.key) &&
               e.key.find('=') == Text::npos && e.key.front() != '[' && e.key.front() != ';' &&
               e.key.front() != '#' && !hasLineBreak(e.value);
    });
}

// The lines of a text without their "\n"; no empty piece after a final one.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t lf = text.find('\n');
        lines.push_back(text.substr(0, lf));
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

std::optional<std::string_view> keyOfLine(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(0, equals));
}

bool writesKey(const Request& r, std::string_view key) {
    return std::any_of(r.entries.begin(), r.entries.end(),
                       [&](const IniEntry& e) { return looselySame(e.key, key); });
}

// Each comparison parses the whole text again; a long file is still checked
// well by its first keys.
constexpr size_t kMaxKeysCompared = 64;

// Every (section, key) the text seems to have, found by a simple scan; a
// pair that is not really there must stay absent, so any pair will do.
std::vector<std::pair<Text, Text>> keysOf(std::string_view text) {
    std::vector<std::pair<Text, Text>> keys;
    Text section;
    for (std::string_view line : linesOf(text)) {
        if (keys.size() == kMaxKeysCompared) break;
        const std::string_view body = trimmed(line);
        if (body.starts_with('[') && body.find(']') != std::string_view::npos) {
            section = Text(trimmed(body.substr(1, body.find(']') - 1)));
        } else if (const auto key = keyOfLine(line)) {
            keys.emplace_back(section, Text(*key));
        }
    }
    return keys;
}

// The old lines, but for those of the keys written, are a subsequence of the
// new ones; the old last line may have gained a line ending.
void checkLinesKept(const Request& r, std::string_view before, std::string_view after) {
    const std::vector<std::string_view> old = linesOf(before);
    const std::vector<std::string_view> now = linesOf(after);
    PAYLOG_FUZZ_CHECK(now.size() <= old.size() + 2 * r.entries.size());
    size_t j = 0;
    for (size_t i = 0; i < old.size(); ++i) {
        const auto key = keyOfLine(old[i]);
        if (key && writesKey(r, *key)) continue;
        const bool last = i + 1 == old.size();
        const auto matches = [&](std::string_view line) {
            return line == old[i] || (last && line.size() == old[i].size() + 1 &&
                                      line.starts_with(old[i]) && line.back() == '\r');
        };
        while (j < now.size() && !matches(now[j])) ++j;
        PAYLOG_FUZZ_CHECK(j < now.size());
        ++j;
    }
}

void checkInMemory(const Request& r, const Text& before, const Text& after, const IniResult& set) {
    if (!set) {
        PAYLOG_FUZZ_CHECK(set.status == IniStatus::BadName || set.status == IniStatus::BadValue);
        PAYLOG_FUZZ_CHECK(!plainlyStorable(r));
        PAYLOG_FUZZ_CHECK(after == before);
        return;
    }
    // The last value given for a key is the one that stands.
    for (size_t i = 0; i < r.entries.size(); ++i) {
        const IniEntry& e = r.entries[i];
        const bool overwritten =
            std::any_of(r.entries.begin() + static_cast<ptrdiff_t>(i) + 1, r.entries.end(),
                        [&](const IniEntry& l) { return looselySame(l.key, e.key); });
        if (!overwritten) PAYLOG_FUZZ_CHECK(iniValue(after, r.section, e.key) == e.value);
    }
    for (const auto& [section, key] : keysOf(before)) {
        if (looselySame(section, r.section) && writesKey(r, key)) continue;
        PAYLOG_FUZZ_CHECK(iniValue(after, section, key) == iniValue(before, section, key));
    }
    checkLinesKept(r, before, after);
}

// The file functions do what the text functions do. An empty file part
// stands for a missing file, which the write creates.
void checkOnDisk(const Request& r, const Text& after, const IniResult& set) {
    const std::filesystem::path file = ScratchFolder::path() / "settings.ini";
    if (r.file.empty()) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    } else {
        writeScratchFile(file, r.file);
    }
    const IniResult written = writeIniFile(file, r.section, r.entries);
    PAYLOG_FUZZ_CHECK(written.status == set.status);
    const ReadResult read = readFile(file, after.size() + 1);
    if (!set) {
        PAYLOG_FUZZ_CHECK(r.file.empty() ? read.status == ReadStatus::Missing
                                         : read.ok() && read.bytes == r.file);
        return;
    }
    PAYLOG_FUZZ_CHECK(read.ok() && read.bytes == after);
    std::vector<IniKey> keys;
    for (const IniEntry& e : r.entries) keys.push_back({e.key, "fallback"});
    const IniReadResult values = readIniFile(file, r.section, keys);
    PAYLOG_FUZZ_CHECK(values.result.ok() && values.values == iniValues(after, r.section, keys));
}

}  // namespace
}  // namespace paylog

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace paylog;
    const Request request = requestFrom(inputText(data, size));
    Text text = request.file;
    const IniResult set = setIniValues(text, request.section, request.entries);
    checkInMemory(request, request.file, text, set);
    checkOnDisk(request, text, set);
    return 0;
}
