#pragma once
// File names that ignore ASCII letter case, as the program's users expect:
// "加班.EDB" and "加班.edb" are one file even on a case-sensitive file
// system. Names are UTF-8, whose multi-byte characters never contain an
// ASCII letter, so folding ASCII letters alone is safe.

#include <filesystem>
#include <string_view>

namespace paylog {

// Equal after folding ASCII letters to lower case.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

// `utf8Name` (a relative name, possibly with folders, or an absolute one that
// then stays absolute) resolved against `dir`. Each part that matches an
// existing entry only when letter case is ignored takes that entry's actual
// spelling: an exact match first, else the first match in byte order. The
// last part matches only a file (anything but a directory); the path of a
// new file keeps the spelling given.
std::filesystem::path resolveIgnoringCase(const std::filesystem::path& dir,
                                          std::string_view utf8Name);

// The same, with the last part matching only a directory (a file of that
// name does not count).
std::filesystem::path resolveDirectoryIgnoringCase(const std::filesystem::path& dir,
                                                   std::string_view utf8Name);

}  // namespace paylog
