#pragma once
// Writing a result file: the bytes go to a new file beside the target and
// are renamed over it only when every byte is on disk, so a run that fails
// part-way leaves neither a partial file nor a damaged old one. A target
// that is not a regular file (a device, a pipe) is written in place: it
// holds no older contents, and a rename would replace the node itself.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace tarnik::cli {

// A result file written piece by piece. Nothing appears under the target's
// name until Commit succeeds; an output dropped before that (or failing)
// removes its temporary file, and so does a signal that ends the tool.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file beside path (beside the file a link at
    // path names); opens a target that is not a regular file instead. False
    // when it cannot.
    bool Create(const std::string& path);
    // Gives the finished file existing a temporary name beside path instead
    // of writing a copy (a hard link: no byte is copied); Commit then renames
    // it over path. False, with nothing left behind, when the system cannot
    // link it there (another volume, no links) or path is not a regular
    // file: the caller copies instead.
    bool CreateAsLinkOf(const std::string& path, const char* existing);
    // Appends bytes; false (and every later call false) when a write failed.
    bool Write(const char* data, size_t size);
    // Flushes, closes and renames the file over the target; false when any
    // step since Create failed (the temporary file is gone then). A target
    // written in place keeps whatever reached it.
    bool Commit();

  private:
    struct FileCloser {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    void Discard();
    void DropTemporary();
    bool RenameOverTarget();

    std::unique_ptr<FILE, FileCloser> file_;
    std::string path_;
    std::string temporary_;
    bool linked_ = false;    // temporary_ is a second name of a finished file
    bool in_place_ = false;  // file_ is the target itself (a device, a pipe)
    bool failed_ = false;
};

// Whether two names lead to one existing file (the same device and file
// number: other spellings and hard or symbolic links count as the same).
bool SameFile(const std::string& a, const std::string& b);

// Returns true when path holds exactly the size bytes at data.
bool WriteFileWhole(const std::string& path, const char* data, size_t size);

}  // namespace tarnik::cli
