#include "support/test_files.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace tarnik::testing {

ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> serial{0};
    std::random_device random;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = std::filesystem::temp_directory_path() /
                                          ("tarnik-test-" + std::to_string(random()) + "-" +
                                           std::to_string(stamp) + "-" + std::to_string(serial++));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate;
            return;
        }
    }
    path_ = std::filesystem::temp_directory_path();
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    if (path_ != std::filesystem::temp_directory_path())
        std::filesystem::remove_all(path_, error);
}

std::string ScratchFolder::File(const std::string& name) const {
    return (path_ / name).string();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace tarnik::testing
