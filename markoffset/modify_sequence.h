#pragma once
// What the Modify button does once the command text is built: send it to
// the plotter on a COM port after a line check, or save it to a file; and
// which message follows and whether the dialog then closes. The port is the
// job sender's job port, so Mirando and tarnik-cli use the same Win32 and
// POSIX ports, and tests a recording fake.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sender/transport/job_port.h"

namespace tarnik::markoffset {

enum class ModifyOutcome {
    kPortUnusable,  // the port could not be opened or set up (also port 0)
    kNotOnline,     // a line-check blank did not leave within its second
    kWriteFailed,   // the commands failed, came short or took too long
    kSent,
    kSaveFailed,
    kSaved,
};

// The message box text of an outcome.
const char* OutcomeMessage(ModifyOutcome outcome);
// A successful send or save ends the program; every failure leaves the
// dialog open with the values entered, for another try.
bool OutcomeClosesDialog(ModifyOutcome outcome);

// Waits `ms` milliseconds (Sleep in Mirando; tests record the waits).
using WaitMs = std::function<void(uint32_t ms)>;

// How long a write may take before the plotter is taken to be off line:
// with CTS flow control, a plotter that is not on line holds the data back.
inline constexpr uint32_t kWriteWaitMs = 1000;
// How long the bytes of a finished write may take to leave the port, and
// the step at which that is looked at.
inline constexpr uint32_t kDrainWaitMs = 1000;
inline constexpr uint32_t kDrainStepMs = 10;
// How long one Modify may wait in all: the dialog does not answer while it
// waits, and the line check and the commands are three one-second waits.
inline constexpr uint32_t kModifyWaitMs = 3000;

// The waiting time left to one Modify: every wait is cut to what is left.
class WaitBudget {
  public:
    WaitBudget(uint32_t ms, const WaitMs& wait) : left_ms_(ms), wait_(wait) {}
    // Waits `ms`, or what is left when that is less; false when nothing
    // was left to wait.
    bool Wait(uint32_t ms);

  private:
    uint32_t left_ms_;
    const WaitMs& wait_;
};

// Purges, writes `count` bytes and, unless the write is done at once,
// waits one second and looks again without waiting: true only when all
// `count` bytes were written. Then lets them leave the port (up to
// kDrainWaitMs): a write can be done while its bytes still sit in the
// driver's transmit queue, which a purge would drop. The purge aborts and
// clears both queues unless `drained` says the last write on the port has
// drained: then the transmit queue holds nothing of ours and only the
// receive side is cleared (a pseudo-terminal would otherwise drop what its
// reader has not taken yet). Every wait comes out of `budget`.
bool WritePortWait(JobPort& port, const uint8_t* data, uint32_t count, WaitBudget& budget,
                   bool drained = false);

// The list index of the port combo box (-1: no selection) as a COM number:
// index i is COM i+1, taken as an unsigned 8-bit value; no selection is 0.
uint8_t ComNumberOfIndex(int index);

// Opens COM `com`, checks the line with two one-blank writes, writes the
// commands, and after a successful open purges and closes the port; waits
// kModifyWaitMs at most in all.
ModifyOutcome SendMarkOffset(JobPort& port, uint8_t com, std::string_view commands,
                             const WaitMs& wait);

// Creates (or replaces) the file at `path` and writes the commands.
ModifyOutcome SaveMarkOffset(const std::string& path, std::string_view commands);

}  // namespace tarnik::markoffset
