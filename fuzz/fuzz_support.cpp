#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace tarnik::fuzz {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        // A memory file system keeps the per-input files cheap.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::random_device random;
        const std::filesystem::path path = base / ("tarnik-fuzz-" + std::to_string(random()));
        std::filesystem::create_directories(path, error);
        Require(!error, "the scratch folder can be created");
        return path.string() + "/";
    }();
    static const bool removed_at_exit = std::atexit([] {
                                            std::error_code ignored;
                                            std::filesystem::remove_all(ScratchFolder(), ignored);
                                        }) == 0;
    (void)removed_at_exit;
    return folder;
}

std::string ScratchPath(const char* name) {
    return ScratchFolder() + name;
}

bool WriteBytes(const std::string& path, const uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

bool ReadBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace tarnik::fuzz
