// Ctrl-C in a Windows console arrives as SIGINT on a thread of its own; it
// cancels a job in flight. Windows has no SIGTERM, SIGHUP or SIGPIPE to end
// a console program with, and a file that is open cannot be removed from
// that thread, so nothing is removed on a signal here.
#include <csignal>

#include "cli/interrupt.h"

namespace tarnik::cli {
namespace {

std::atomic<bool> g_requested{false};
void (*g_previous)(int) = SIG_DFL;

extern "C" void OnInterrupt(int) {
    g_requested.store(true);
}

}  // namespace

EndOnSignal::EndOnSignal() = default;
EndOnSignal::~EndOnSignal() = default;
HoldEndingSignals::HoldEndingSignals() = default;
HoldEndingSignals::~HoldEndingSignals() = default;

bool RemoveOnSignal(const std::string&) {
    return true;
}

void KeepOnSignal(const std::string&) {}

CancelOnInterrupt::CancelOnInterrupt() {
    g_requested.store(false);
    g_previous = std::signal(SIGINT, OnInterrupt);
    if (g_previous == SIG_ERR)
        g_previous = SIG_DFL;
}

CancelOnInterrupt::~CancelOnInterrupt() {
    std::signal(SIGINT, g_previous);
}

const std::atomic<bool>& CancelOnInterrupt::Requested() const {
    return g_requested;
}

int CancelOnInterrupt::CancelStatus() const {
    return 128 + SIGINT;
}

}  // namespace tarnik::cli
