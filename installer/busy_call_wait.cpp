#include "installer/busy_call_wait.h"

namespace tarnik::installer {

void BusyCallWait::FollowCall(uint32_t elapsed_ms) {
    if (elapsed_ms < last_elapsed_ms_) {
        ask_at_ms_ = kBusyPatienceMs;
        cancelled_ = false;
    }
    last_elapsed_ms_ = elapsed_ms;
}

// Once due, the user chooses; Retry gives the call another full wait.
bool BusyCallWait::AskWhenDue(uint32_t elapsed_ms) {
    if (elapsed_ms < ask_at_ms_) {
        return true;
    }
    // The choice's own box passes messages on: while it is up, the call
    // simply goes on waiting.
    if (asking_) {
        return true;
    }
    asking_ = true;
    const bool retry = ask_retry_();
    asking_ = false;
    ask_at_ms_ = elapsed_ms + kBusyPatienceMs;
    return retry;
}

bool BusyCallWait::KeepWaiting(uint32_t elapsed_ms) {
    FollowCall(elapsed_ms);
    // A wait that goes on after the cancel is not asked about again.
    cancelled_ = cancelled_ || !AskWhenDue(elapsed_ms);
    return !cancelled_;
}

std::optional<uint32_t> BusyCallWait::RetryAfter(uint32_t elapsed_ms, bool rejected_for_good) {
    if (rejected_for_good) {
        return std::nullopt;
    }
    FollowCall(elapsed_ms);
    if (elapsed_ms < ask_at_ms_) {
        return kBusyRetryPauseMs;
    }
    return AskWhenDue(elapsed_ms) ? std::optional<uint32_t>(0) : std::nullopt;
}

}  // namespace tarnik::installer
