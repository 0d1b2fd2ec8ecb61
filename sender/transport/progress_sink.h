#pragma once
// What a transport that runs a job to its end without a window tells its
// caller as the job goes: the command-line tool draws it on the terminal.
#include <cstdint>
#include <string>

namespace tarnik {

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // After each completed block: percent done (0 to 100, not rounded),
    // bytes whose blocks completed, and the job's size.
    virtual void OnProgress(double percent, uint32_t bytes_sent, uint32_t job_size) = 0;
    // What the window would show in a message box, and the system's text
    // of a failed open or write.
    virtual void OnMessage(const std::string& text) = 0;
};

}  // namespace tarnik
