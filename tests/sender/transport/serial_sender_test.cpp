// The block sender driven by hand through recording fakes: block split, NUL
// stop, progress, every kind of finish, and what happens on the port.
#include "sender/transport/serial_sender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/sender/transport/fake_send_seams.h"

namespace tarnik {
namespace {

using testing::serial_send::EventLog;
namespace fakes = testing::serial_send;

class SerialSenderTest : public ::testing::Test {
  protected:
    void Start(const std::vector<uint8_t>& job) {
        ASSERT_TRUE(sender.OpenJobPort(3));
        auto buffer = std::make_unique<char[]>(job.size() + 1);
        if (!job.empty())
            std::memcpy(buffer.get(), job.data(), job.size());
        const auto size = static_cast<uint32_t>(job.size());
        ASSERT_TRUE(sender.StartTransfer(std::move(buffer), size, size));
    }
    // Ticks timer 2 as the window would until no block is in flight.
    void RunToEnd() {
        for (int tick = 0; timers.Running(kBlockPollTimer) && tick < 100000; ++tick) {
            sender.OnTimer(kBlockPollTimer);
        }
    }
    std::vector<std::string> Writes() const { return Matching("write "); }
    std::vector<std::string> Matching(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& event : log) {
            if (event.rfind(prefix, 0) == 0) {
                found.push_back(event);
            }
        }
        return found;
    }
    long At(const std::string& event) const {
        const auto it = std::find(log.begin(), log.end(), event);
        return it == log.end() ? -1 : it - log.begin();
    }
    bool Logged(const std::string& event) const { return At(event) >= 0; }

    EventLog log;
    fakes::FakeJobPort port{log};
    fakes::FakeTimers timers{log};
    fakes::RecordingView view{log};
    struct EndCount : SendEndListener {
        int ends = 0;
        void OnSendEnded() override { ++ends; }
    } owner;
    SerialSender sender{port, timers, view, &owner};
};

std::vector<uint8_t> Job(std::size_t size, std::vector<std::size_t> nul_at = {}) {
    std::vector<uint8_t> job(size);
    for (std::size_t i = 0; i < size; ++i) {
        job[i] = static_cast<uint8_t>('A' + i % 26);
    }
    for (std::size_t at : nul_at) {
        job[at] = 0;
    }
    return job;
}

TEST_F(SerialSenderTest, JobsAreSplitIntoBlocksAndStopAtALeadingNul) {
    struct Case {
        const char* label;
        std::size_t size;
        std::vector<std::size_t> nul_at;
        std::vector<std::string> writes;
        std::size_t bytes_written;
    };
    const Case cases[] = {
        {"1000 bytes: one block", 1000, {}, {"write 1000"}, 1000},
        {"1001 bytes: 1000 and 1", 1001, {}, {"write 1000", "write 1"}, 1001},
        {"2500 bytes", 2500, {}, {"write 1000", "write 1000", "write 500"}, 2500},
        {"NUL first: nothing written", 1001, {0}, {}, 0},
        {"NUL opening block two: one block", 1500, {1000}, {"write 1000"}, 1000},
        {"NUL inside a block is data", 1001, {500, 999}, {"write 1000", "write 1"}, 1001},
        {"empty job", 0, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        log.clear();
        port.written.clear();
        const auto job = Job(c.size, c.nul_at);
        Start(job);
        RunToEnd();
        EXPECT_EQ(Writes(), c.writes);
        ASSERT_EQ(port.written.size(), c.bytes_written);
        EXPECT_TRUE(std::equal(port.written.begin(), port.written.end(), job.begin()));
        EXPECT_TRUE(sender.Idle());
        EXPECT_TRUE(Logged("drain"));
        EXPECT_TRUE(Logged("close"));
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST_F(SerialSenderTest, EmptyJobFinishesAtOnceWithoutDividingByZero) {
    Start({});
    EXPECT_TRUE(sender.Idle());
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(view.tip, "完成: 100 % ");
    EXPECT_EQ(view.progress, 100);
    EXPECT_TRUE(Logged("balloon 112"));
}

TEST_F(SerialSenderTest, TipRoundsWhereTheBarTruncates) {
    struct Case {
        const char* label;
        std::size_t size;
        const char* tip;
        int bar;
    };
    const Case cases[] = {
        {"1000 of 2001 = 49.98 %", 2001, "完成: 50 % 剩余 0:01", 49},
        {"1000 of 1500 = 66.67 %", 1500, "完成: 67 % 剩余 0:01", 66},
        {"1000 of 3000 = 33.33 %", 3000, "完成: 33 % 剩余 0:01", 33},
        {"499000 bytes left at 3840 a second", 500000, "完成: 0 % 剩余 2:10", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Start(Job(c.size));
        sender.OnTimer(kBlockPollTimer);  // first block done
        EXPECT_EQ(view.tip, c.tip);
        EXPECT_EQ(view.progress, c.bar);
        sender.OnCancelWork();
    }
}

TEST_F(SerialSenderTest, DoneTipInterpretsOnlyItsOwnPlaceholders) {
    struct Case {
        const char* label;
        const char* tip_template;
        const char* expected;
    };
    const Case cases[] = {
        {"Chinese table", "完成: %.0f %% ", "完成: 46 % "},
        {"English table", "Done: %.0f %% ", "Done: 46 % "},
        {"stray conversions stay literal", "%s%n %.0f %d", "%s%n 46 %d"},
        {"second number not filled", "%.0f/%.0f", "46/%.0f"},
        {"no placeholder", "Done", "Done"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(FormatDoneTip(c.tip_template, 45.5), c.expected);
    }
}

TEST_F(SerialSenderTest, SendingLookThenIdleLook) {
    Start(Job(1500));
    EXPECT_EQ(view.last_look, kSendingLook);
    EXPECT_TRUE(Logged("status 115"));
    EXPECT_TRUE(Logged("timer+1 1000"));
    EXPECT_TRUE(Logged("timer+2 100"));
    EXPECT_FALSE(sender.Idle());

    sender.OnTimer(kIconTimer);
    sender.OnTimer(kIconTimer);
    sender.OnTimer(kIconTimer);
    EXPECT_EQ(Matching("icon "), (std::vector<std::string>{"icon 186", "icon 187", "icon 186"}));

    RunToEnd();
    EXPECT_TRUE(sender.Idle());
    EXPECT_EQ(owner.ends, 1);
    EXPECT_EQ(view.last_look, kIdleLook);
    EXPECT_FALSE(timers.Running(kIconTimer));
    EXPECT_FALSE(timers.Running(kBlockPollTimer));
    // Finish order: balloon, idle icon, status and tip "ready", idle look.
    const long balloon = At("balloon 112");
    ASSERT_GE(balloon, 0);
    EXPECT_LT(balloon, At("icon 128"));
    EXPECT_LT(At("icon 128"), At("status 108"));
    EXPECT_LT(At("status 108"), At("tip 108"));
    EXPECT_LT(At("tip 108"), At("look idle"));
    EXPECT_EQ(sender.JobSize(), 0u);  // buffer freed
}

TEST_F(SerialSenderTest, NormalFinishDrainsAndNeverClearsTheTransmitQueue) {
    Start(Job(2500));
    RunToEnd();
    // One receive purge before each of the three blocks, one after the drain.
    EXPECT_EQ(Matching("purge rx").size(), 4u);
    EXPECT_FALSE(Logged("purge all"));
    EXPECT_LT(At("write 500"), At("drain"));
    const auto last_purge = std::find(log.rbegin(), log.rend(), "purge rx");
    EXPECT_LT(At("drain"), log.rend() - last_purge - 1);
    EXPECT_LT(At("drain"), At("close"));
}

TEST_F(SerialSenderTest, DrainBrokenOffDropsWhatIsStillQueued) {
    // Ctrl-C during the last bytes' drain: what is left in the driver must
    // not trickle out to the plotter after the tool says it stopped.
    port.drain_start = DrainState::Failed;
    Start(Job(1500));
    RunToEnd();
    EXPECT_LT(At("drain"), At("purge all"));
    EXPECT_LT(At("purge all"), At("close"));
}

// A plotter holding CTS off at the job's end: the drain never ends. The
// window's thread is never held (the fake would not return otherwise),
// Cancel stays offered and ends the job with both queues dropped.
TEST_F(SerialSenderTest, DrainThatNeverEndsLeavesTheWindowFreeAndCancelWorks) {
    port.drain_start = DrainState::Pending;
    port.drain_poll = DrainState::Pending;
    Start(Job(1500));
    for (int tick = 0; tick < 50; ++tick) {
        sender.OnTimer(kBlockPollTimer);
    }
    EXPECT_EQ(Matching("drain poll").size(), 48u);
    EXPECT_FALSE(sender.Idle());
    EXPECT_TRUE(timers.Running(kBlockPollTimer));
    EXPECT_EQ(view.last_look, kSendingLook);
    EXPECT_FALSE(Logged("close"));
    sender.OnCancelWork();
    EXPECT_TRUE(sender.Idle());
    EXPECT_FALSE(timers.Running(kBlockPollTimer));
    EXPECT_LT(At("purge all"), At("close"));
    EXPECT_TRUE(Logged("balloon 135"));
}

TEST_F(SerialSenderTest, DrainThatEndsLaterFinishesTheJobWhole) {
    port.drain_start = DrainState::Pending;
    port.scripted_polls = {{BlockState::Done, 1000}, {BlockState::Done, 500}};
    Start(Job(1500));
    sender.OnTimer(kBlockPollTimer);
    sender.OnTimer(kBlockPollTimer);  // last block done: the drain starts
    EXPECT_FALSE(sender.Idle());
    sender.OnTimer(kBlockPollTimer);  // the drain is done
    EXPECT_TRUE(sender.Idle());
    EXPECT_TRUE(Logged("balloon 112"));
    EXPECT_FALSE(Logged("purge all"));
    EXPECT_LT(At("drain poll"), At("close"));
}

TEST_F(SerialSenderTest, BalloonSaysFinishedOnlyForAJobSentWhole) {
    struct Case {
        const char* label;
        std::size_t size;
        bool cancel;
        const char* balloon;
    };
    const Case cases[] = {
        {"sent whole", 2500, false, "balloon 112"},
        {"cancelled after a block", 2500, true, "balloon 135"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        log.clear();
        Start(Job(c.size));
        sender.OnTimer(kBlockPollTimer);
        if (c.cancel) {
            sender.OnCancelWork();
        }
        RunToEnd();
        EXPECT_EQ(Matching("balloon "), std::vector<std::string>{c.balloon});
    }
}

TEST_F(SerialSenderTest, PendingPollsWaitForTheBlock) {
    port.scripted_polls = {{BlockState::Pending, 0}, {BlockState::Pending, 0}};
    Start(Job(1001));
    sender.OnTimer(kBlockPollTimer);
    sender.OnTimer(kBlockPollTimer);
    EXPECT_EQ(Writes().size(), 1u);
    EXPECT_EQ(sender.BytesSent(), 0u);
    RunToEnd();
    EXPECT_EQ(Writes().size(), 2u);
    EXPECT_EQ(sender.BytesSent(), 1001u);
}

TEST_F(SerialSenderTest, FailuresEndTheJobWithoutDrain) {
    struct Case {
        const char* label;
        bool write_succeeds;
        BlockPoll poll;
        const char* first_report;  // must come before the finish's balloon
    };
    const Case cases[] = {
        {"short block", true, {BlockState::Done, 999}, "message SendBytes is problem!"},
        {"poll failure", true, {BlockState::Failed, 0}, "fault 4"},
        {"write fails at once", false, {}, "fault 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        log.clear();
        port.write_succeeds = c.write_succeeds;
        port.scripted_polls = {c.poll};
        Start(Job(3000));
        RunToEnd();
        EXPECT_TRUE(sender.Idle());
        EXPECT_EQ(Writes().size(), 1u);
        const long report = At(c.first_report);
        ASSERT_GE(report, 0);
        EXPECT_LT(report, At("balloon 135"));
        EXPECT_FALSE(Logged("drain"));
        EXPECT_LT(At("purge all"), At("close"));
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(view.last_look, kIdleLook);
    }
}

TEST_F(SerialSenderTest, CancelMidJobAbortsAndClosesAtOnce) {
    port.scripted_polls = {{BlockState::Done, 1000}, {BlockState::Pending, 0}};
    Start(Job(5000));
    sender.OnTimer(kBlockPollTimer);
    sender.OnTimer(kBlockPollTimer);
    ASSERT_EQ(Writes().size(), 2u);
    sender.OnCancelWork();
    EXPECT_TRUE(sender.Idle());
    EXPECT_FALSE(timers.Running(kBlockPollTimer));
    EXPECT_FALSE(Logged("drain"));
    EXPECT_TRUE(Logged("purge all"));
    EXPECT_TRUE(Logged("close"));
    EXPECT_TRUE(Logged("balloon 135"));
    EXPECT_EQ(Writes().size(), 2u);
}

TEST_F(SerialSenderTest, CancelWhileIdleResetsTheWindowWithNoPortToClose) {
    sender.OnCancelWork();
    EXPECT_TRUE(sender.Idle());
    EXPECT_TRUE(Logged("balloon 135"));
    EXPECT_EQ(view.last_look, kIdleLook);
    EXPECT_FALSE(Logged("close"));
    EXPECT_FALSE(Logged("drain"));
}

TEST_F(SerialSenderTest, CloseFailureIsReportedAndThePortForgotten) {
    port.close_succeeds = false;
    Start(Job(10));
    RunToEnd();
    EXPECT_TRUE(Logged("message com can not  be closed!"));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialSenderTest, SecondJobIsRefusedWhileSending) {
    port.scripted_polls = {{BlockState::Pending, 0}};
    Start(Job(2000));
    EXPECT_FALSE(sender.StartTransfer(std::make_unique<char[]>(5), 5, 5));
    EXPECT_EQ(sender.JobSize(), 2000u);
    RunToEnd();
    EXPECT_EQ(port.written.size(), 2000u);
}

TEST_F(SerialSenderTest, SizeBeyondTheBufferIsCut) {
    ASSERT_TRUE(sender.OpenJobPort(3));
    auto buffer = std::make_unique<char[]>(10);
    std::memset(buffer.get(), 'x', 10);
    ASSERT_TRUE(sender.StartTransfer(std::move(buffer), 5000, 10));
    RunToEnd();
    EXPECT_EQ(port.written.size(), 10u);
}

}  // namespace
}  // namespace tarnik
