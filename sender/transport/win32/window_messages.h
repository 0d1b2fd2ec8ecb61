#pragma once
// The job sender's own window messages (WM_USER + n), every one of them
// here: the drawing program's macro posts some, the program's own threads,
// timers and notification icon the others.
#include <windows.h>

namespace tarnik {

inline constexpr UINT kWmBlockSent = WM_USER + 9;     // WM_BLOCK_SENT: lParam bytes, 0 or -1
inline constexpr UINT kWmTrayNotify = WM_USER + 10;   // the notification icon's callback
inline constexpr UINT kWmJobReady = WM_USER + 100;    // WM_JOB_READY: the export file is written
inline constexpr UINT kWmMacroPrint = WM_USER + 101;  // the contour-cut macro's print
inline constexpr UINT kWmMacroQuery = WM_USER + 102;  // the macro asks whether the sender runs
inline constexpr UINT kWmLineFault = WM_USER + 108;   // WM_LINE_FAULT: lParam a LineFault
inline constexpr UINT kWmNextStrip = WM_USER + 109;   // the next strip of a job cut in strips

}  // namespace tarnik
