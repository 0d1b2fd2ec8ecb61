#pragma once
// The codes of WM_LINE_FAULT (its lParam): what went wrong on the serial
// line. The line monitor, the job driver and the block sender post them; the
// main window's line fault handler answers each.
#include <cstdint>

namespace tarnik {

enum class LineFault : int32_t {
    kUnknown = 1,      // handled like a failed write
    kWatchFailed = 2,  // the line monitor's comm-event wait failed
    kJobRefused = 3,   // a job came while the line is unusable
    kWriteFailed = 4,  // a block write on the job port failed
};

}  // namespace tarnik
