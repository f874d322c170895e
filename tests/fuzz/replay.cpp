// Feeds every file of the given corpus folders to one target's entry
// function, one after the other, so that an input once found stays
// harmless. Files under a folder named "known" are findings not yet fixed
// and are left out. Builds with any compiler; no fuzzing engine needed.
//
//     fuzz_replay TARGET CORPUS_FOLDER...
//
// One program holds every target: the build compiles each target's entry
// function under a name of its own (tessaline_fuzz_<target>) and lists the
// targets in TESSALINE_FUZZ_TARGETS, as X(records) X(link) ...

#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

#define X(target) extern "C" int tessaline_fuzz_##target(const std::uint8_t *data, std::size_t size);
TESSALINE_FUZZ_TARGETS
#undef X

namespace {

struct Target {
    const char *name;
    int (*entry)(const std::uint8_t *data, std::size_t size);
};

#define X(target) {#target, tessaline_fuzz_##target},
constexpr Target targets[] = {TESSALINE_FUZZ_TARGETS};
#undef X

bool underKnown(const fs::path &path)
{
    return std::any_of(path.begin(), path.end(), [](const fs::path &part) { return part == "known"; });
}

}  // namespace

int main(int argc, char **argv)
{
    const Target *target = nullptr;
    if (argc >= 2) {
        const auto named = std::find_if(std::begin(targets), std::end(targets),
                                        [&](const Target &t) { return std::strcmp(t.name, argv[1]) == 0; });
        if (named != std::end(targets))
            target = named;
    }
    if (argc < 3 || !target) {
        std::cerr << "usage: " << argv[0] << " TARGET CORPUS_FOLDER...\n  targets:";
        for (const Target &t : targets)
            std::cerr << ' ' << t.name;
        std::cerr << '\n';
        return 2;
    }
    std::vector<fs::path> files;
    for (int i = 2; i < argc; ++i) {
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
        target->entry(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
    std::cout << files.size() << " inputs replayed\n";
    return 0;
}
