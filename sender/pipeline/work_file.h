#pragma once
// Files of a job: the work file the encoders write the job into, and the
// deletes and copies of the export file and of cut to file. Paths are 8-bit
// text in the ANSI code page, so everything goes through the C library's
// narrow-path calls.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "sender/pipeline/command_text.h"

namespace tarnik {

// A work file being written. Text collects in a 64 KiB buffer and goes to
// the file in pieces of that size. Every write and the close are checked: a
// job whose work file is incomplete (read-only folder, full disk) must never
// reach the plotter.
class WorkFile : public CommandOutput {
  public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    WorkFile() = default;
    ~WorkFile() override;

    // Deletes an existing file of that name, then creates it anew.
    bool Create(const std::string& path);
    // Appends bytes; false (and Failed() from then on) once a write to the
    // file failed. A failure may show only when the buffer goes out.
    bool Write(const char* data, std::size_t length);
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // Writes what is buffered, flushes and closes; false when anything since
    // Create failed.
    bool Close();
    bool Failed() const { return failed_; }

  private:
    void Take(const char* data, std::size_t length) override;

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    bool failed_ = false;
};

// The message shown when a work file cannot be created or written.
inline constexpr char kWorkFileError[] = "Cannot write the work file!";
// The message shown when a job kept in its work file cannot be read back.
inline constexpr char kWorkFileUnreadable[] = "Cannot read the work file!";

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
