// Replays a fuzz target's corpus once, file by file, without libFuzzer: the
// regression test of the native and sanitizer builds. Arguments are corpus
// files or folders; prints how many inputs ran, and any broken invariant
// aborts as it does under the fuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int ReplayFile(const std::filesystem::path& path) {
    std::string bytes;
    if (!tarnik::fuzz::ReadBytes(path.string(), bytes)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 0;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    bool unreadable = false;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path argument(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(argument)) {
            for (const auto& entry : std::filesystem::directory_iterator(argument))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.push_back(argument);
        }
        for (const auto& file : files) {
            const int done = ReplayFile(file);
            replayed += done;
            unreadable = unreadable || done == 0;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return unreadable || replayed == 0 ? 1 : 0;
}
