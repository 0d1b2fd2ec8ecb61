#pragma once
// The block sender of serial jobs: one whole job in memory goes to the
// plotter in blocks of at most 1000 bytes, one block in flight at a time,
// with progress in the notification tip and the progress bar, and a cancel.
// It never waits: the window feeds it timer ticks and block completions
// (WM_TIMER, WM_BLOCK_SENT), the command-line tool its own loop, tests
// their hands. Everything runs on one thread; no lock is needed.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "sender/transport/job_port.h"
#include "sender/transport/sender_seams.h"

namespace tarnik {

// Largest block written at once: what the plotter's input side is sized
// for, and a granularity at which progress and cancel stay responsive.
inline constexpr uint32_t kBlockSize = 1000;

// The tip text: `tip_template` (IDS_DONE_TIP, "完成: %.0f %% ") with its
// "%.0f" replaced by the percent rounded as printf rounds and "%%" by "%".
// Nothing else in the template is interpreted, so a translated table can
// never make the formatting read arguments that are not there.
std::string FormatDoneTip(const std::string& tip_template, double percent);

// Where a send stands. Idle until a job is taken; Sending while its blocks
// go out; Draining from the last block's completion until the port has
// drained (timer 2 polls the drain, Cancel stays offered). Every end goes
// back to Idle.
enum class SendState { kIdle, kSending, kDraining };

class SerialSender {
  public:
    // `owner` (may be null) is told when each send ends.
    SerialSender(JobPort& port, SenderTimers& timers, SenderView& view,
                 SendEndListener* owner = nullptr);
    SerialSender(const SerialSender&) = delete;
    SerialSender& operator=(const SerialSender&) = delete;

    // InitComPort on the job's COM port; false when it cannot be opened
    // (the caller shows kTextInitComPortFailed and does not start).
    bool OpenJobPort(uint8_t com_port);

    // Takes the job over: `size` bytes of `job` (a size beyond `capacity`
    // is cut to it), switches the window to its sending look, starts the
    // icon timer and the first block. From here the sender owns the buffer
    // and frees it at the job's finish. Refused (false, buffer freed) while
    // a job is being sent.
    bool StartTransfer(std::unique_ptr<char[]> job, uint32_t size, uint32_t capacity);

    // WM_BLOCK_SENT: `count` bytes of a block completed; 0 starts a job,
    // -1 stops it.
    void OnBlockSent(int32_t count);
    // Writes one block; 1 when it is written or in flight, 0 when the write
    // failed at once (a line fault is posted then).
    int SendBytes(const uint8_t* data, int32_t count);
    // Poll of the block in flight (timer 2).
    void CheckSendBytes();
    // The Cancel button and the tray menu's cancel command.
    void OnCancelWork();
    // WM_TIMER for timers 1 and 2; other ids are ignored (the window gives
    // them to default processing in any case).
    void OnTimer(int timer_id);

    bool Idle() const { return state_ == SendState::kIdle; }
    // Whether the job that ended last went out whole (not stopped or cut short).
    bool SentWhole() const { return sent_whole_; }
    uint32_t JobSize() const { return job_size_; }
    uint32_t BytesSent() const { return bytes_sent_; }

  private:
    // The one place the send state changes.
    void Enter(SendState next) { state_ = next; }
    void SendNextBlock();
    void BeginDrain();
    void EndDrain(DrainState state);
    void Finish();
    void ReleasePort();

    JobPort& port_;
    SenderTimers& timers_;
    SenderView& view_;
    SendEndListener* owner_;
    SendState state_ = SendState::kIdle;

    std::unique_ptr<char[]> job_;
    uint32_t job_size_ = 0;
    uint32_t cursor_ = 0;      // index of the next byte to send
    uint32_t bytes_sent_ = 0;  // bytes of completed blocks
    int32_t block_length_ = 0;
    // Set when every byte up to the job's end (or its NUL stop) went out and
    // drained: only such a finish says "finished".
    bool sent_whole_ = false;
    uint8_t icon_phase_ = 1;
    std::array<uint8_t, kBlockSize> block_ = {};
};

}  // namespace tarnik
