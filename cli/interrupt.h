#pragma once
// The signals that end a run of the tool: Ctrl-C (SIGINT), SIGTERM, SIGHUP
// (the terminal went away) and SIGPIPE (stdout, stderr or an output pipe
// lost its reader); on Windows Ctrl-C alone. A signal that was ignored when
// the tool started (nohup, a background job) stays ignored.
//
// While an EndOnSignal lives, such a signal ends the tool at once with
// status 128 + its number (130 for Ctrl-C), after removing every file and
// folder registered with RemoveOnSignal: the run's work folder and the
// temporary name of an output being written. While a CancelOnInterrupt
// lives as well, the signal is the Cancel button instead: the job in flight
// is stopped, the port purged and closed, and the sender returns
// CancelStatus(), so the tool ends with the same status.
#include <atomic>
#include <string>

namespace tarnik::cli {

class EndOnSignal {
  public:
    EndOnSignal();
    ~EndOnSignal();
    EndOnSignal(const EndOnSignal&) = delete;
    EndOnSignal& operator=(const EndOnSignal&) = delete;
};

// Registers path (a file, or a folder with everything in it) to be removed
// when a signal ends the tool; false when there is no room (a handful of
// paths, each shorter than 4096 bytes). KeepOnSignal takes it off again.
bool RemoveOnSignal(const std::string& path);
void KeepOnSignal(const std::string& path);

// Holds the ending signals back while it lives, so a file and its
// registration (or its rename and the registration's end) happen together.
class HoldEndingSignals {
  public:
    HoldEndingSignals();
    ~HoldEndingSignals();
    HoldEndingSignals(const HoldEndingSignals&) = delete;
    HoldEndingSignals& operator=(const HoldEndingSignals&) = delete;
};

class CancelOnInterrupt {
  public:
    CancelOnInterrupt();
    ~CancelOnInterrupt();
    CancelOnInterrupt(const CancelOnInterrupt&) = delete;
    CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;

    const std::atomic<bool>& Requested() const;
    // The status of a job cancelled by a signal: 128 + its number.
    int CancelStatus() const;
};

}  // namespace tarnik::cli
