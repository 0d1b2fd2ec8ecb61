#pragma once
// Files of a job: the work file the encoders write the job into, and the
// deletes and copies of the export file and of cut to file. Paths are 8-bit
// text in the ANSI code page, so everything goes through the C library's
// narrow-path calls.
#include <cstddef>
#include <cstdio>
#include <string>

namespace tarnik {

// A work file being written. Every write and the close are checked: a job
// whose work file is incomplete (read-only folder, full disk) must never
// reach the plotter.
class WorkFile {
  public:
    WorkFile() = default;
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Deletes an existing file of that name, then creates it anew.
    bool Create(const std::string& path);
    // Appends bytes; false (and Failed() from then on) when not all were
    // written.
    bool Write(const char* data, std::size_t length);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // Flushes and closes; false when anything since Create failed.
    bool Close();
    bool Failed() const { return failed_; }

  private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// The message shown when a work file cannot be created or written.
inline constexpr char kWorkFileError[] = "Cannot write the work file!";

// Opens path for reading; when that works, closes and deletes it and returns
// true (the file existed). Returns false when it cannot be opened.
bool DeleteIfReadable(const char* path);

// Whether path can be opened for reading.
bool CanOpenForReading(const char* path);

// Copies from over to (replacing it). On failure a partly written target is
// removed and false returned. A target that is the source itself under
// another spelling is left alone (true).
bool CopyFileOverwrite(const char* from, const char* to);

}  // namespace tarnik
