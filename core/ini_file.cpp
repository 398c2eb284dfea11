#include "core/ini_file.h"

#include <cstddef>
#include <utility>

#include "core/safe_file.h"

namespace paylog {
namespace {

// Far above any settings file; a bigger file is not one of ours and is never
// read whole into memory, nor replaced.
constexpr size_t kMaxIniFileBytes = 16u << 20;

// Blanks around names and values. A carriage return counts too, so that a
// last line ending in a bare CR still reads cleanly; values never hold one.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A byte with the high bit set starts a two-byte GBK character, whose second
// byte may look like an ASCII letter or ']' and must not be read as one.
size_t charLength(std::string_view s, size_t i) {
    return (static_cast<unsigned char>(s[i]) & 0x80) != 0 && i + 1 < s.size() ? 2 : 1;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        const size_t n = charLength(a, i);
        if (n == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) return false;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}

// Position of the first character `c` (ASCII) at a character start, or npos.
size_t findChar(std::string_view s, char c) {
    for (size_t i = 0; i < s.size(); i += charLength(s, i)) {
        if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

enum class LineKind { Other, Section, Entry };

struct Line {
    size_t begin = 0;       // first byte of the line
    size_t contentEnd = 0;  // first byte of its "\n" or "\r\n", or the end of the text
    size_t end = 0;         // first byte after the ending
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key, without blanks
    size_t valueBegin = 0;  // entries: first byte after '=' and its blanks
};

Line parseLine(std::string_view text, size_t begin, size_t contentEnd, size_t end) {
    Line line;
    line.begin = begin;
    line.contentEnd = contentEnd;
    line.end = end;
    const std::string_view content = text.substr(begin, contentEnd - begin);
    const std::string_view body = trimBlanks(content);
    if (body.empty() || body.front() == ';' || body.front() == '#') return line;
    if (body.front() == '[') {
        const size_t close = findChar(body, ']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = trimBlanks(body.substr(1, close - 1));
        }
        return line;
    }
    // '=' is below every GBK second byte, so a byte search is safe here.
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) return line;
    line.kind = LineKind::Entry;
    line.name = trimBlanks(content.substr(0, equals));
    size_t value = equals + 1;
    while (value < content.size() && isBlank(content[value])) ++value;
    line.valueBegin = begin + value;
    return line;
}

std::vector<Line> parseLines(std::string_view text) {
    std::vector<Line> lines;
    for (size_t begin = 0; begin < text.size();) {
        const size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos) {
            lines.push_back(parseLine(text, begin, text.size(), text.size()));
            break;
        }
        const size_t contentEnd = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(parseLine(text, begin, contentEnd, lf + 1));
        begin = lf + 1;
    }
    return lines;
}

// The line ending new lines get: the file's first one, LF when it has none.
std::string_view lineEndingOf(std::string_view text) {
    const size_t lf = text.find('\n');
    return lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

Text decodeValue(std::string_view raw) {
    raw = trimBlanks(raw);
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        raw = raw.substr(1, raw.size() - 2);
    return Text(raw);
}

Text encodeValue(std::string_view value) {
    const bool quote =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                           (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    return quote ? joinTexts({"\"", value, "\""}) : Text(value);
}

// Where a key lives, and where a new one of the section would go.
struct KeyPlace {
    std::optional<size_t> entry;        // line of the key's first occurrence
    std::optional<size_t> sectionLast;  // last header or entry of the section's first run
};

KeyPlace findKey(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    KeyPlace place;
    bool inSection = false;
    bool firstRunDone = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == LineKind::Section) {
            if (inSection) firstRunDone = true;
            inSection = sameName(line.name, section);
            if (inSection && !firstRunDone) place.sectionLast = i;
        } else if (inSection && line.kind == LineKind::Entry) {
            if (!firstRunDone) place.sectionLast = i;
            if (sameName(line.name, key)) {
                place.entry = i;
                return place;
            }
        }
    }
    return place;
}

IniResult checkNames(std::string_view section, std::span<const IniEntry> entries) {
    const auto bad = [](std::string_view what, std::string_view name) {
        return IniResult{IniStatus::BadName,
                         joinTexts({what, " \"", utf8(name), "\" cannot be stored"})};
    };
    // The reader closes the header at the first ']' that starts a character:
    // a ']' in the name, or a lone lead byte at its end that would take the
    // closing bracket as its second byte, would hide the section.
    const Text header = joinTexts({"[", section, "]"});
    if (section.empty() || trimBlanks(section) != section || hasLineBreak(section) ||
        findChar(header, ']') != header.size() - 1) {
        return bad("section", section);
    }
    for (const IniEntry& e : entries) {
        if (e.key.empty() || trimBlanks(e.key) != e.key || hasLineBreak(e.key) ||
            e.key.find('=') != Text::npos || e.key.front() == '[' || e.key.front() == ';' ||
            e.key.front() == '#') {
            return bad("key", e.key);
        }
        if (hasLineBreak(e.value)) {
            return IniResult{IniStatus::BadValue,
                             joinTexts({"the value of \"", utf8(e.key), "\" holds a line break"})};
        }
    }
    return {};
}

// Where the next line goes after `line`; a last line without an ending gets
// one first (only the last line can lack it).
size_t placeAfter(Text& text, const Line& line, std::string_view eol) {
    if (line.end != line.contentEnd) return line.end;
    text.insert(line.end, eol);
    return line.end + eol.size();
}

void setOne(Text& text, std::string_view section, const IniEntry& entry, std::string_view eol) {
    const std::vector<Line> lines = parseLines(text);
    const KeyPlace place = findKey(lines, section, entry.key);
    const Text value = encodeValue(entry.value);
    if (place.entry) {
        const Line& line = lines[*place.entry];
        text.replace(line.valueBegin, line.contentEnd - line.valueBegin, value);
        return;
    }
    const Text newLine = joinTexts({entry.key, "=", value, eol});
    if (place.sectionLast) {
        text.insert(placeAfter(text, lines[*place.sectionLast], eol), newLine);
        return;
    }
    if (!lines.empty()) placeAfter(text, lines.back(), eol);
    text += joinTexts({"[", section, "]", eol, newLine});
}

std::optional<Text> lookUp(std::string_view text, const std::vector<Line>& lines,
                           std::string_view section, std::string_view key) {
    const KeyPlace place = findKey(lines, section, key);
    if (!place.entry) return std::nullopt;
    const Line& line = lines[*place.entry];
    return decodeValue(text.substr(line.valueBegin, line.contentEnd - line.valueBegin));
}

}  // namespace

std::optional<Text> iniValue(std::string_view iniText, std::string_view section,
                             std::string_view key) {
    return lookUp(iniText, parseLines(iniText), section, key);
}

std::vector<Text> iniValues(std::string_view iniText, std::string_view section,
                            std::span<const IniKey> keys) {
    const std::vector<Line> lines = parseLines(iniText);
    std::vector<Text> values;
    values.reserve(keys.size());
    for (const IniKey& k : keys) {
        values.push_back(lookUp(iniText, lines, section, k.key).value_or(k.fallback));
    }
    return values;
}

IniResult setIniValues(Text& iniText, std::string_view section, std::span<const IniEntry> entries) {
    if (IniResult checked = checkNames(section, entries); !checked) return checked;
    const Text eol(lineEndingOf(iniText));
    for (const IniEntry& e : entries) setOne(iniText, section, e, eol);
    return {};
}

IniReadResult readIniFile(const std::filesystem::path& file, std::string_view section,
                          std::span<const IniKey> keys) {
    IniReadResult out;
    const ReadResult read = readFile(file, kMaxIniFileBytes);
    if (!read) {
        const IniStatus status =
            read.status == ReadStatus::Missing ? IniStatus::Missing : IniStatus::Unreadable;
        out.result = {status, read.detail};
    }
    out.values = iniValues(read.bytes, section, keys);
    return out;
}

Text readIniFileValue(const std::filesystem::path& file, std::string_view section,
                      std::string_view key, std::string_view fallback) {
    const IniKey k{Text(key), Text(fallback)};
    return std::move(readIniFile(file, section, std::span(&k, 1)).values.front());
}

IniResult writeIniFile(const std::filesystem::path& file, std::string_view section,
                       std::span<const IniEntry> entries, const std::shared_ptr<FileLayer>& files) {
    ReadResult read = readFile(file, kMaxIniFileBytes);
    if (!read && read.status != ReadStatus::Missing) {
        return {IniStatus::Unreadable, read.detail};
    }
    Text text = std::move(read.bytes);
    if (IniResult set = setIniValues(text, section, entries); !set) return set;
    if (text.size() > kMaxIniFileBytes) {
        return {IniStatus::BadValue, "the values are too long for a settings file"};
    }
    const SaveResult saved = saveFile(file, text, files);
    if (!saved) return {IniStatus::SaveFailed, saved.detail};
    return {};
}

}  // namespace paylog
