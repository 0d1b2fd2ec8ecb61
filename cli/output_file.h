#pragma once
// Writing a result file all at once: the bytes go to a new file beside the
// target and are renamed over it only when every byte is on disk, so a run
// that fails part-way leaves neither a partial file nor a damaged old one.
#include <cstddef>
#include <string>

namespace tarnik::cli {

// Returns true when path holds exactly the size bytes at data.
bool WriteFileWhole(const std::string& path, const char* data, size_t size);

}  // namespace tarnik::cli
