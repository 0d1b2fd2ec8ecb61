#pragma once
// Scratch files for tests: a private folder removed with everything in it
// when the test ends, and whole-file read and write helpers.
#include <filesystem>
#include <string>

namespace tarnik::testing {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Full path of a file inside the folder, as a narrow string.
    std::string File(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

void WriteWholeFile(const std::string& path, const std::string& bytes);
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace tarnik::testing
