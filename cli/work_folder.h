#pragma once
// The private work folder of one run of the command-line tool. The job
// pipeline writes fixed file names ("tempfile.001", the export file) into
// its temporary folder; giving every run a folder of its own keeps two runs
// apart and keeps those names out of the shared temporary folder, where a
// planted file or link of the same name could otherwise be written through.
#include <string>

namespace tarnik::cli {

class WorkFolder {
  public:
    WorkFolder() = default;
    // Removes the folder and everything in it (a signal that ends the tool
    // removes it as well; see interrupt.h).
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Creates the folder; false when the system refused.
    bool Create();
    bool IsOpen() const { return !path_.empty(); }

    // The folder without a trailing separator.
    const std::string& Path() const { return path_; }
    // The folder with the platform's separator at its end, as the pipeline
    // expects its temporary folder.
    std::string PathWithSeparator() const;
    // The full path of a file in the folder.
    std::string File(const char* name) const;

  private:
    std::string path_;
};

}  // namespace tarnik::cli
