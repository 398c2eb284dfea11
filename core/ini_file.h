#pragma once
// Keys of an INI-style settings file of GBK bytes: "[section]" lines with
// "key=value" lines beneath.
//
// The rules, the same for the text in memory and for the file:
// - Section and key names match ignoring ASCII letter case (a two-byte GBK
//   character is never folded). Blanks (space, tab) around names and values
//   are not part of them, so a hand-edited "key = value" reads as "value".
// - A value that has blanks at either end, or that starts and ends with a
//   double quote, is written inside double quotes; reading takes off one
//   pair of surrounding quotes. So every value reads back exactly as written.
// - Lines starting with ';' or '#' are comments. Lines before the first
//   section, lines without '=' and anything after "]" on a section line
//   belong to nobody and are kept.
// - When a key (or a section) appears more than once, the first one in file
//   order counts: reading returns it and writing replaces it. Sections of the
//   same name count as one; a new key joins the first of them.
// - Writing keeps every other line byte for byte, line endings included. A
//   new key goes after the last entry of its section, a new section at the
//   end of the file. New lines end like the file's first line (CRLF or LF;
//   LF for an empty file); a last line without an ending gets one when
//   something is added after it.
// - A value cannot hold a line break (CR or LF): it would split into a line
//   of its own, so such a write is refused and nothing changes. Names the
//   format cannot hold (empty, outer blanks, line breaks, '=' in a key or ']'
//   in a section, a key starting with '[', ';' or '#') are refused too.
// - A file of more than 16 MiB is no settings file: it is not read (the
//   fallbacks count) and never replaced.

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace paylog {

class FileLayer;

enum class IniStatus {
    Ok,
    Missing,     // no such file (a read then gives the fallbacks)
    Unreadable,  // the file exists but cannot be read: it is never replaced
    BadName,     // a section or key name the format cannot hold
    BadValue,    // a value with a line break, or values too long for the file
    SaveFailed,  // the file system refused the save: the old file stays (or, when
                 // only the folder's sync after the rename failed, the new one
                 // is in place but may not survive a power cut)
};

struct IniResult {
    IniStatus status = IniStatus::Ok;
    std::string detail;  // UTF-8, for messages and diagnostics
    bool ok() const { return status == IniStatus::Ok; }
    explicit operator bool() const { return ok(); }
};

// One key to read and what it gives when it is missing.
struct IniKey {
    Text key;
    Text fallback;
};

// One key to write.
struct IniEntry {
    Text key;
    Text value;
};

// --- INI text in memory --------------------------------------------------

// The value of a key, or nothing when the section or key is missing.
std::optional<Text> iniValue(std::string_view iniText, std::string_view section,
                             std::string_view key);

// The values of several keys of one section, in the order asked, each its
// fallback when missing.
std::vector<Text> iniValues(std::string_view iniText, std::string_view section,
                            std::span<const IniKey> keys);

// Sets the keys in order (a key named twice ends with its last value). On a
// bad name or value nothing is changed and the result says which.
IniResult setIniValues(Text& iniText, std::string_view section, std::span<const IniEntry> entries);

// --- INI file --------------------------------------------------------------

struct IniReadResult {
    std::vector<Text> values;  // always one per key asked: the fallback when unread
    IniResult result;          // Missing or Unreadable when the file was not read
};

IniReadResult readIniFile(const std::filesystem::path& file, std::string_view section,
                          std::span<const IniKey> keys);

// One key; a file that cannot be read gives the fallback.
Text readIniFileValue(const std::filesystem::path& file, std::string_view section,
                      std::string_view key, std::string_view fallback);

// Every key in one read-modify-save: the file holds either all the new
// values or none of them. A missing file is created; an existing file that
// cannot be read is left alone and the write fails. `files` is the file
// system seam; null means the real one.
IniResult writeIniFile(const std::filesystem::path& file, std::string_view section,
                       std::span<const IniEntry> entries,
                       const std::shared_ptr<FileLayer>& files = nullptr);

}  // namespace paylog
