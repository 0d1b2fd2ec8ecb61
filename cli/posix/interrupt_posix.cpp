// SIGINT without SA_RESTART: a wait in the kernel (the drain of the last
// bytes while the plotter holds CTS off) is broken off at once, not resumed.
#include <signal.h>

#include "cli/interrupt.h"

namespace tarnik::cli {
namespace {

std::atomic<bool> g_requested{false};
struct sigaction g_previous = {};

extern "C" void OnInterrupt(int) {
    g_requested.store(true);
}

}  // namespace

CancelOnInterrupt::CancelOnInterrupt() {
    g_requested.store(false);
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &g_previous);
}

CancelOnInterrupt::~CancelOnInterrupt() {
    sigaction(SIGINT, &g_previous, nullptr);
}

const std::atomic<bool>& CancelOnInterrupt::Requested() const {
    return g_requested;
}

}  // namespace tarnik::cli
