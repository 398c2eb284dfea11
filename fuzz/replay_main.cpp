// Stands in for libFuzzer in ordinary builds: feeds every file named on the
// command line, and every file under each folder named, to the target once,
// so that the seeds and every former crash stay tests. A check that fails
// aborts, which fails the test and names the input last started.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// Sorted, so that every run replays in the same order.
bool collectInputs(const fs::path& path, std::vector<fs::path>& inputs) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, error)) {
        std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", path.c_str());
        return false;
    }
    std::vector<fs::path> found;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file()) found.push_back(it->path());
    }
    if (error) {
        std::fprintf(stderr, "replay: cannot list %s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
    return true;
}

bool readInput(const fs::path& file, std::vector<uint8_t>& bytes) {
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!collectInputs(argv[i], inputs)) return 2;
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "replay: no inputs found\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!readInput(input, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
            return 2;
        }
        std::fprintf(stderr, "replay: %s\n", input.c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
