#pragma once
// Recording fakes of the block sender's seams. Every call lands in one
// shared event log, so tests can check the order of what the user sees and
// what reaches the port.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "sender/res/resource.h"
#include "sender/transport/job_port.h"
#include "sender/transport/sender_seams.h"
#include "tests/support/notice_words.h"

namespace tarnik::testing::serial_send {

using EventLog = std::vector<std::string>;

// A port whose polls are scripted: by default every block completes whole
// on the first poll.
class FakeJobPort : public JobPort {
  public:
    explicit FakeJobPort(EventLog& log) : log_(log) {}

    bool Open(uint8_t port) override {
        open_ = port != 0 && open_succeeds;
        return open_;
    }
    bool IsOpen() const override { return open_; }
    bool WriteBlock(const uint8_t* data, uint32_t count) override {
        log_.push_back("write " + std::to_string(count));
        if (!write_succeeds) {
            return false;
        }
        block_length_ = count;
        written.insert(written.end(), data, data + count);
        return true;
    }
    BlockPoll PollBlock() override {
        if (scripted_polls.empty()) {
            return {BlockState::Done, block_length_};
        }
        const BlockPoll poll = scripted_polls.front();
        scripted_polls.pop_front();
        return poll;
    }
    void PurgeReceive() override { log_.push_back("purge rx"); }
    void PurgeAll() override { log_.push_back("purge all"); }
    DrainState StartDrain() override {
        log_.push_back("drain");
        return drain_start;
    }
    DrainState PollDrain() override {
        log_.push_back("drain poll");
        return drain_poll;
    }
    bool Close() override {
        log_.push_back("close");
        open_ = false;
        return close_succeeds;
    }
    std::string FailureText() const override { return "fake failure"; }

    bool open_succeeds = true;
    bool write_succeeds = true;
    bool close_succeeds = true;
    DrainState drain_start = DrainState::Done;
    DrainState drain_poll = DrainState::Done;  // for a drain that started Pending
    std::deque<BlockPoll> scripted_polls;
    std::vector<uint8_t> written;

  private:
    EventLog& log_;
    bool open_ = false;
    uint32_t block_length_ = 0;
};

class FakeTimers : public SenderTimers {
  public:
    explicit FakeTimers(EventLog& log) : log_(log) {}
    void StartTimer(int id, uint32_t period_ms) override {
        log_.push_back("timer+" + std::to_string(id) + " " + std::to_string(period_ms));
        running_[id] = true;
    }
    void KillTimer(int id) override { running_[id] = false; }
    bool Running(int id) const { return running_[id]; }

  private:
    EventLog& log_;
    bool running_[3] = {};
};

class RecordingView : public SenderView {
  public:
    explicit RecordingView(EventLog& log) : log_(log) {}

    std::string LoadString(int string_id) override {
        if (string_id == IDS_TIME_LEFT)
            return "剩余 %s";
        return string_id == IDS_DONE_TIP ? "完成: %.0f %% " : "?";
    }
    void SetStatusString(int id) override { Log("status " + std::to_string(id)); }
    void SetTipString(int id) override { Log("tip " + std::to_string(id)); }
    void SetTipText(const std::string& text) override {
        tip = text;
        Log("tip " + text);
    }
    // "balloon ID" for the end-of-send balloon, "message TEXT" for boxes.
    void Notify(NoticeText text, NoticeStyle style) override {
        const char* kind = style == NoticeStyle::kInfoBalloon      ? "balloon "
                           : style == NoticeStyle::kWarningBalloon ? "warn-balloon "
                                                                   : "message ";
        Log(kind + NoticeWords(text));
    }
    void SetTrayIcon(int id) override { Log("icon " + std::to_string(id)); }
    void SetProgressPosition(int position) override {
        progress = position;
        Log("progress " + std::to_string(position));
    }
    void ApplyLook(const SenderLook& look) override {
        last_look = look;
        Log(look == kSendingLook ? "look sending" : look == kIdleLook ? "look idle" : "look ?");
    }
    void PostLineFault(LineFault fault) override {
        Log("fault " + std::to_string(static_cast<int32_t>(fault)));
    }

    std::string tip;
    int progress = -1;
    SenderLook last_look;

  private:
    void Log(std::string event) { log_.push_back(std::move(event)); }
    EventLog& log_;
};

}  // namespace tarnik::testing::serial_send
