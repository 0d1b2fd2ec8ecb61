#pragma once
// How the installer waits on a CorelDRAW that does not answer an automation
// call, by the OLE convention: quietly for a while, then the busy choice
// (retry or cancel) to the user. Two ways to be kept waiting: the server
// turns the call away as busy (the caller retries it), or it takes the
// call and does not return (the caller can only wait or cancel). Without a
// bound on the second, a CorelDRAW blocked in a dialog of its own leaves
// the installer waiting for ever, deaf to every click.
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace tarnik::installer {

// How long a call may go unanswered before the user is asked.
inline constexpr uint32_t kBusyPatienceMs = 8000;
// The pause between quiet retries of a call turned away as busy.
inline constexpr uint32_t kBusyRetryPauseMs = 100;

// The message that ends a run whose call the user cancelled.
inline constexpr const char* kCallCancelledMessage =
    "CorelDRAW does not answer: the installation was cancelled.\n"
    "Close the dialogs open in CorelDRAW, then press Install again.";

class BusyCallWait {
  public:
    // Shows the busy choice; true for Retry, false for Cancel.
    using AskRetry = std::function<bool()>;
    explicit BusyCallWait(AskRetry ask_retry) : ask_retry_(std::move(ask_retry)) {}

    // A call taken and not yet answered, `elapsed_ms` after it was made
    // (asked whenever a message comes while it waits). False: cancel it;
    // so for the rest of that call, without asking again.
    bool KeepWaiting(uint32_t elapsed_ms);

    // A call turned away as busy, `elapsed_ms` after it was first made: the
    // pause before it is tried again, or nullopt to give it up. A server
    // that rejects the call for good gives it up at once.
    std::optional<uint32_t> RetryAfter(uint32_t elapsed_ms, bool rejected_for_good);

  private:
    // A new call starts its time again from 0.
    void FollowCall(uint32_t elapsed_ms);
    bool AskWhenDue(uint32_t elapsed_ms);

    AskRetry ask_retry_;
    uint32_t last_elapsed_ms_ = 0;
    uint32_t ask_at_ms_ = kBusyPatienceMs;
    bool asking_ = false;
    bool cancelled_ = false;
};

}  // namespace tarnik::installer
