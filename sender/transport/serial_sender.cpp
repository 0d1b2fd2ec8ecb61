#include "sender/transport/serial_sender.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "sender/res/resource.h"
#include "sender/transport/line_time.h"

namespace tarnik {

std::string FormatDoneTip(const std::string& tip_template, double percent) {
    char number[32] = {};
    std::snprintf(number, sizeof number, "%.0f", percent);
    std::string tip;
    bool number_placed = false;
    for (std::size_t i = 0; i < tip_template.size(); ++i) {
        if (tip_template.compare(i, 2, "%%") == 0) {
            tip += '%';
            ++i;
        } else if (!number_placed && tip_template.compare(i, 4, "%.0f") == 0) {
            tip += number;
            number_placed = true;
            i += 3;
        } else {
            tip += tip_template[i];
        }
    }
    return tip;
}

SerialSender::SerialSender(JobPort& port, SenderTimers& timers, SenderView& view,
                           SendEndListener* owner)
    : port_(port), timers_(timers), view_(view), owner_(owner) {}

bool SerialSender::OpenJobPort(uint8_t com_port) {
    return port_.Open(com_port);
}

bool SerialSender::StartTransfer(std::unique_ptr<char[]> job, uint32_t size, uint32_t capacity) {
    if (!Idle()) {
        return false;
    }
    job_ = std::move(job);
    job_size_ = job_ ? std::min(size, capacity) : 0;
    cursor_ = 0;
    bytes_sent_ = 0;
    sent_whole_ = false;

    Enter(SendState::kSending);
    view_.ApplyLook(kSendingLook);
    view_.SetStatusString(IDS_SENDING);
    timers_.StartTimer(kIconTimer, kIconTimerPeriodMs);
    OnBlockSent(0);
    return true;
}

void SerialSender::OnBlockSent(int32_t count) {
    if (Idle()) {
        Finish();
        return;
    }
    if (count == -1) {
        Enter(SendState::kIdle);
        Finish();
        return;
    }
    bytes_sent_ += static_cast<uint32_t>(count);
    // An empty job has nothing left to send: it counts as all done rather
    // than as 0 of 0 bytes.
    const double percent =
        job_size_ == 0 ? 100.0
                       : static_cast<double>(bytes_sent_) / static_cast<double>(job_size_) * 100.0;
    // The tip rounds and the bar truncates: at 45.5 % they read 46 and 45.
    // While bytes remain the tip also says how long they take on the line.
    const uint32_t left = job_size_ > bytes_sent_ ? job_size_ - bytes_sent_ : 0;
    view_.SetTipText(TipWithTimeLeft(FormatDoneTip(view_.LoadString(IDS_DONE_TIP), percent),
                                     left != 0 ? view_.LoadString(IDS_TIME_LEFT) : "", left));
    view_.SetProgressPosition(static_cast<int>(percent));

    SendNextBlock();
    if (Idle()) {
        Finish();
    }
}

void SerialSender::SendNextBlock() {
    // A NUL byte at the start of a block ends the job (the encoders end
    // their data with one); NUL bytes inside a block are data.
    if (bytes_sent_ == job_size_ || cursor_ >= job_size_ || job_[cursor_] == '\0') {
        BeginDrain();
        return;
    }
    block_.fill(0);
    const uint32_t count = std::min(kBlockSize, job_size_ - cursor_);
    std::copy_n(job_.get() + cursor_, count, block_.begin());
    cursor_ += count;
    if (SendBytes(block_.data(), static_cast<int32_t>(count)) == 0) {
        Enter(SendState::kIdle);
    }
}

// Every block completed: the driver's queue must still reach the plotter
// before the port closes. A plotter holding CTS off keeps the drain pending
// for as long as it likes, so it is polled like a block, with Cancel offered.
void SerialSender::BeginDrain() {
    const DrainState state = port_.StartDrain();
    if (state == DrainState::Pending) {
        Enter(SendState::kDraining);
        timers_.StartTimer(kBlockPollTimer, kBlockPollPeriodMs);
        return;
    }
    EndDrain(state);
}

void SerialSender::EndDrain(DrainState state) {
    // A drain broken off (Ctrl-C in the command-line tool) leaves bytes
    // queued: they are dropped as on a cancel.
    sent_whole_ = state == DrainState::Done;
    Enter(SendState::kIdle);
}

int SerialSender::SendBytes(const uint8_t* data, int32_t count) {
    // Only what the plotter sent back is dropped. The tail of the previous
    // block may still sit in the driver's transmit queue: clearing that
    // queue would cut it out of the job.
    port_.PurgeReceive();
    if (!port_.WriteBlock(data, static_cast<uint32_t>(count))) {
        view_.PostLineFault(LineFault::kWriteFailed);
        return 0;
    }
    // A block that completed at once is reported by the first poll.
    block_length_ = count;
    timers_.StartTimer(kBlockPollTimer, kBlockPollPeriodMs);
    return 1;
}

void SerialSender::CheckSendBytes() {
    if (!port_.IsOpen()) {
        return;
    }
    if (state_ == SendState::kDraining) {
        const DrainState state = port_.PollDrain();
        if (state != DrainState::Pending) {
            timers_.KillTimer(kBlockPollTimer);
            EndDrain(state);
            Finish();
        }
        return;
    }
    const BlockPoll poll = port_.PollBlock();
    switch (poll.state) {
        case BlockState::Pending:
            return;
        case BlockState::Done:
            timers_.KillTimer(kBlockPollTimer);
            if (poll.transferred == static_cast<uint32_t>(block_length_)) {
                OnBlockSent(static_cast<int32_t>(poll.transferred));
            } else {
                view_.Notify(kTextShortBlock, NoticeStyle::kMessageBox);
                OnBlockSent(-1);
            }
            return;
        case BlockState::Failed:
            timers_.KillTimer(kBlockPollTimer);
            // Posted first: the finish runs now, the fault report after it.
            view_.PostLineFault(LineFault::kWriteFailed);
            OnBlockSent(-1);
            return;
    }
}

void SerialSender::OnCancelWork() {
    timers_.KillTimer(kBlockPollTimer);
    OnBlockSent(-1);
}

void SerialSender::OnTimer(int timer_id) {
    if (timer_id == kIconTimer) {
        if (icon_phase_ != 0) {
            view_.SetTrayIcon(IDI_SENDING_A);
            icon_phase_ = 0;
        } else {
            view_.SetTrayIcon(IDI_SENDING_B);
            icon_phase_ = 1;
        }
    } else if (timer_id == kBlockPollTimer) {
        CheckSendBytes();
    }
}

// Every end of a job comes here: complete, NUL stop, write failure, short
// block, cancel, and a stop that arrives while idle.
void SerialSender::Finish() {
    view_.Notify(StringId{sent_whole_ ? IDS_SEND_FINISHED : IDS_SEND_STOPPED},
                 NoticeStyle::kInfoBalloon);
    timers_.KillTimer(kIconTimer);
    // A poll left running would look at a closed port; no finish leaves one.
    timers_.KillTimer(kBlockPollTimer);
    view_.SetTrayIcon(IDR_MAINFRAME);
    view_.SetStatusString(IDS_READY);
    view_.SetTipString(IDS_READY);
    view_.ApplyLook(kIdleLook);
    if (owner_ != nullptr) {
        owner_->OnSendEnded();
    }

    job_.reset();
    job_size_ = 0;
    cursor_ = 0;
    ReleasePort();
}

void SerialSender::ReleasePort() {
    if (sent_whole_) {
        // Drained: clear only what the plotter sent back. Clearing the
        // transmit side would throw away the job's last bytes wherever the
        // driver reports them gone before the far end has them (a
        // pseudo-terminal, many USB serial adapters).
        port_.PurgeReceive();
    } else {
        // Cancel and failures: abort the write or drain in flight, drop
        // both queues.
        port_.PurgeAll();
    }
    sent_whole_ = false;
    if (port_.IsOpen() && !port_.Close()) {
        view_.Notify(kTextCloseFailed, NoticeStyle::kMessageBox);
    }
}

}  // namespace tarnik
