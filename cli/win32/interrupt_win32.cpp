// Ctrl-C in a Windows console arrives as SIGINT on a thread of its own.
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

}  // namespace tarnik::cli
