#pragma once
// The terminal progress of a job on its way to the plotter.
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

#include "sender/transport/line_time.h"
#include "sender/transport/progress_sink.h"

namespace tarnik::cli {

// A one-line bar redrawn in place: "[#####     ]  50%  1000/2000 bytes".
class TerminalProgressBar : public ProgressSink {
  public:
    explicit TerminalProgressBar(std::ostream& err) : err_(err) {}
    ~TerminalProgressBar() override {
        if (drawn_)
            err_ << "\n";
    }
    TerminalProgressBar(const TerminalProgressBar&) = delete;
    TerminalProgressBar& operator=(const TerminalProgressBar&) = delete;

    void OnProgress(double percent, uint32_t bytes_sent, uint32_t job_size) override {
        constexpr int kWidth = 40;
        const int filled = static_cast<int>(percent / 100.0 * kWidth);
        // The time left at the line's rate: the plotter takes bytes no faster.
        const std::string left =
            FormatLineTime(LineSeconds(job_size > bytes_sent ? job_size - bytes_sent : 0));
        char line[160];
        std::snprintf(line, sizeof(line), "\r[%-*.*s] %3.0f%%  %u/%u bytes, %s left", kWidth,
                      filled, "########################################", percent, bytes_sent,
                      job_size, left.c_str());
        err_ << line << std::flush;
        drawn_ = true;
        shown_bytes_ = bytes_sent;
    }
    void OnMessage(const std::string& text) override {
        if (drawn_)
            err_ << "\n";
        drawn_ = false;
        err_ << "tarnik-cli: " << text << "\n";
    }

    // The bytes the last progress counted: what the device took so far.
    uint32_t BytesShown() const { return shown_bytes_; }

  private:
    std::ostream& err_;
    bool drawn_ = false;
    uint32_t shown_bytes_ = 0;
};

}  // namespace tarnik::cli
