// Runs saved inputs through the fuzzer's entry point without libFuzzer, so
// that an ordinary build replays the committed corpus, or one crash file.
//   request_fuzz_replay FOLDER|FILE...
#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

// The files named, and those directly inside the folders named, in order.
std::vector<fs::path> InputFiles(int count, char **names)
{
    std::vector<fs::path> files;
    for (int i = 0; i < count; ++i) {
        if (!fs::is_directory(names[i])) {
            files.emplace_back(names[i]);
            continue;
        }
        for (const fs::directory_entry &entry : fs::directory_iterator(names[i]))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> Contents(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char **argv)
{
    std::vector<fs::path> files = InputFiles(argc - 1, argv + 1);
    // An empty run would pass without checking anything.
    if (files.empty()) {
        fprintf(stderr, "usage: %s FOLDER|FILE... (no input found)\n", argv[0]);
        return 2;
    }
    for (const fs::path &file : files) {
        if (!fs::exists(file)) {
            fprintf(stderr, "%s: no such file\n", file.c_str());
            return 2;
        }
        std::vector<uint8_t> data = Contents(file);
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    printf("%zu inputs replayed\n", files.size());
    return 0;
}
