#pragma once
// How a send of a job to a plotter ended, for the report after it.
#include <cstdint>

namespace tarnik::cli {

struct SendResult {
    // 0 delivered, 1 failed, 128 + the signal's number when a signal
    // cancelled it (130 for Ctrl-C): the tool's exit status.
    int status = 1;
    // Bytes the device took before the send ended (the whole job when it was
    // delivered).
    uint32_t took = 0;
};

}  // namespace tarnik::cli
