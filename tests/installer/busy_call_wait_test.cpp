// The wait on a CorelDRAW that does not answer: quiet until the patience
// is spent, then the user's busy choice, for a call taken and left
// unanswered as for one turned away as busy.
#include "installer/busy_call_wait.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace tarnik::installer {
namespace {

constexpr uint32_t kDue = kBusyPatienceMs;

TEST(BusyCallWait, UnansweredCallAsksOnceDueAndCancelsOnRequest) {
    struct Case {
        const char* label;
        std::vector<uint32_t> elapsed;  // the call's age at each look
        std::deque<bool> answers;       // the user's choices: true is Retry
        std::vector<bool> keep_waiting;
        size_t asked;
    } cases[] = {
        {"quiet while patience lasts", {0, 500, kDue - 1}, {}, {true, true, true}, 0},
        {"cancel once due (mended: waited for ever)", {kDue - 1, kDue}, {false}, {true, false}, 1},
        {"retry gives a full wait again",
         {kDue, kDue + 10, 2 * kDue - 1, 2 * kDue},
         {true, false},
         {true, true, true, false},
         2},
        {"cancelled stays cancelled, unasked",
         {kDue, kDue + 10, 2 * kDue + 10},
         {false},
         {false, false, false},
         1},
        {"a new call starts its time again", {kDue, 10, kDue - 1}, {true}, {true, true, true}, 1},
    };
    for (const Case& c : cases) {
        std::deque<bool> answers = c.answers;
        size_t asked = 0;
        BusyCallWait wait([&] {
            ++asked;
            const bool retry = !answers.empty() && answers.front();
            if (!answers.empty()) {
                answers.pop_front();
            }
            return retry;
        });
        std::vector<bool> keep;
        for (const uint32_t elapsed : c.elapsed) {
            keep.push_back(wait.KeepWaiting(elapsed));
        }
        EXPECT_EQ(keep, c.keep_waiting) << c.label;
        EXPECT_EQ(asked, c.asked) << c.label;
    }
}

TEST(BusyCallWait, CallTurnedAwayRetriesQuietlyThenAsks) {
    struct Case {
        const char* label;
        uint32_t elapsed;
        bool for_good;
        bool retry_answer;
        std::optional<uint32_t> pause;
        size_t asked;
    } cases[] = {
        {"quiet retry while patience lasts", 100, false, true, kBusyRetryPauseMs, 0},
        {"due: Retry tries again at once", kDue, false, true, 0u, 1},
        {"due: Cancel gives the call up", kDue, false, false, std::nullopt, 1},
        {"rejected for good: given up unasked", 100, true, true, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        size_t asked = 0;
        BusyCallWait wait([&] {
            ++asked;
            return c.retry_answer;
        });
        EXPECT_EQ(wait.RetryAfter(c.elapsed, c.for_good), c.pause) << c.label;
        EXPECT_EQ(asked, c.asked) << c.label;
    }
}

// The busy choice's own box passes messages on, and a message that comes
// while it is up must not stack a second box on the first.
TEST(BusyCallWait, NoSecondChoiceWhileTheFirstIsUp) {
    size_t asked = 0;
    BusyCallWait* outer = nullptr;
    bool inner_keeps_waiting = false;
    BusyCallWait wait([&] {
        ++asked;
        inner_keeps_waiting = outer->KeepWaiting(kDue + 100);
        return false;
    });
    outer = &wait;
    EXPECT_FALSE(wait.KeepWaiting(kDue));
    EXPECT_EQ(asked, 1u);
    EXPECT_TRUE(inner_keeps_waiting);
}

}  // namespace
}  // namespace tarnik::installer
