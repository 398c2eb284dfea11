#include "app/data_directory.h"

#include <unistd.h>

namespace paylog {
namespace {

bool isWritableDirectory(const std::filesystem::path& directory) {
    std::error_code ignored;
    return std::filesystem::is_directory(directory, ignored) &&
           ::access(directory.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::filesystem::path chooseDataDirectory(const std::filesystem::path& programDirectory,
                                          const std::filesystem::path& userDirectory,
                                          std::error_code& error) {
    error.clear();
    if (isWritableDirectory(programDirectory)) return programDirectory;
    std::filesystem::create_directories(userDirectory, error);
    if (!error && !isWritableDirectory(userDirectory))
        error = std::make_error_code(std::errc::permission_denied);
    return error ? std::filesystem::path{} : userDirectory;
}

}  // namespace paylog
