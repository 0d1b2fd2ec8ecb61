#include "cli/serial_job_runner.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

#include "sender/transport/serial_sender.h"

namespace tarnik::cli {
namespace {

// Long enough not to spin, short enough that a pseudo-terminal's or a
// driver's queue never runs dry at 3840 bytes/s (38 bytes per poll).
constexpr auto kPollInterval = std::chrono::milliseconds(10);

class LoopTimers : public SenderTimers {
  public:
    void StartTimer(int id, uint32_t) override { Set(id, true); }
    void KillTimer(int id) override { Set(id, false); }
    bool PollRunning() const { return poll_running_; }

  private:
    void Set(int id, bool running) {
        if (id == kBlockPollTimer) {
            poll_running_ = running;
        }
    }
    bool poll_running_ = false;
};

// The window's messages become sink messages; the look, icon and status
// texts have no place on a terminal.
class LoopView : public SenderView {
  public:
    LoopView(JobPort& port, ProgressSink& sink) : port_(port), sink_(sink) {}

    std::string LoadString(int) override { return {}; }
    void SetStatusString(int) override {}
    void SetTipString(int) override {}
    void SetTipText(const std::string&) override {}
    void SetTrayIcon(int) override {}
    void SetProgressPosition(int) override {}
    void ApplyLook(const SenderLook&) override {}
    // Balloons are the window's; the sender's boxes hold fixed texts.
    void Notify(NoticeText text, NoticeStyle style) override {
        if (style != NoticeStyle::kMessageBox || text.IsStringId()) {
            return;
        }
        if (std::strcmp(text.Text(), kTextShortBlock) == 0) {
            failed = true;
        }
        sink_.OnMessage(text.Text());
    }
    void PostLineFault(LineFault) override {
        // Posted while the port is still open: its last error is the write's.
        failed = true;
        sink_.OnMessage(port_.FailureText());
    }

    bool failed = false;

  private:
    JobPort& port_;
    ProgressSink& sink_;
};

double PercentOf(uint32_t sent, uint32_t size) {
    return size == 0 ? 100.0 : static_cast<double>(sent) / static_cast<double>(size) * 100.0;
}

}  // namespace

int RunSerialJob(JobPort& port, std::unique_ptr<char[]> job, uint32_t size, ProgressSink& sink,
                 const std::atomic<bool>& cancel, uint8_t com_port) {
    LoopTimers timers;
    LoopView view(port, sink);
    SerialSender sender(port, timers, view);

    if (!sender.OpenJobPort(com_port)) {
        sink.OnMessage(std::string(kTextInitComPortFailed) + " " + port.FailureText());
        return kSerialJobFailed;
    }
    sender.StartTransfer(std::move(job), size, size);

    bool cancelled = false;
    uint32_t reported = 0;
    while (!sender.Idle()) {
        if (cancel.load()) {
            cancelled = true;
            sender.OnCancelWork();
            break;
        }
        const uint32_t before = sender.BytesSent();
        if (timers.PollRunning()) {
            sender.CheckSendBytes();
        }
        const uint32_t after = sender.BytesSent();
        if (after != reported) {
            reported = after;
            sink.OnProgress(PercentOf(after, size), after, size);
        }
        if (!sender.Idle() && after == before) {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    // A cancel that arrived while the last bytes were draining broke the
    // drain off: the job did not reach its end either.
    if (cancelled || cancel.load()) {
        return kSerialJobCancelled;
    }
    return view.failed ? kSerialJobFailed : kSerialJobDone;
}

}  // namespace tarnik::cli
