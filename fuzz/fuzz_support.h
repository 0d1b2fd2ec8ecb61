#pragma once
// What the fuzz targets share: a broken invariant aborts (so libFuzzer and
// the corpus replay both report it), and scratch files live in a private
// folder on a memory file system, removed when the process ends.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnik::fuzz {

// Aborts with `what` on stderr when `condition` is false.
void Require(bool condition, const char* what);

// A private folder for this process, with a trailing '/'; created on first
// use under /dev/shm (or the temporary folder) and removed at exit.
const std::string& ScratchFolder();

// ScratchFolder() followed by name.
std::string ScratchPath(const char* name);

bool WriteBytes(const std::string& path, const uint8_t* data, std::size_t size);
bool ReadBytes(const std::string& path, std::string& bytes);

// Reads a little-endian value of sizeof(T) bytes from the input, advancing
// it; zero bytes stand in past its end.
class InputBytes {
  public:
    InputBytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    template <typename T>
    T Take() {
        uint8_t raw[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && used_ < size_; ++i) raw[i] = data_[used_++];
        T value;
        __builtin_memcpy(&value, raw, sizeof(T));
        return value;
    }
    const uint8_t* Rest() const { return data_ + used_; }
    std::size_t RestSize() const { return size_ - used_; }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

}  // namespace tarnik::fuzz
