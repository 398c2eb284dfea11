#pragma once
// Where the program keeps its files: beside itself when it may write there,
// otherwise in the user's data directory.

#include <filesystem>
#include <system_error>

namespace paylog {

// `programDirectory` when it is a writable directory; otherwise `userDirectory`,
// created if needed. An error when neither can be used.
std::filesystem::path chooseDataDirectory(const std::filesystem::path& programDirectory,
                                          const std::filesystem::path& userDirectory,
                                          std::error_code& error);

}  // namespace paylog
