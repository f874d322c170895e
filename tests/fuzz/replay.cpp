// Feeds every file of the given corpus folders to the target's entry
// function, one after the other, so that an input once found stays
// harmless. Files under a folder named "known" are findings not yet fixed
// and are left out. Builds with any compiler; no fuzzing engine needed.

#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool underKnown(const fs::path &path)
{
    return std::any_of(path.begin(), path.end(), [](const fs::path &part) { return part == "known"; });
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " CORPUS_FOLDER...\n";
        return 2;
    }
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path root(argv[i]);
        if (!fs::is_directory(root)) {
            std::cerr << root << " is not a folder\n";
            return 2;
        }
        for (const auto &entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file() && !underKnown(fs::relative(entry.path(), root)))
                files.push_back(entry.path());
        }
    }
    if (files.empty()) {
        std::cerr << "no corpus files found\n";
        return 2;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path &file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        // An oracle that disagrees aborts, naming its check; say which file.
        std::cerr << "replay " << file.filename().string() << '\n';
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
    std::cout << files.size() << " inputs replayed\n";
    return 0;
}
