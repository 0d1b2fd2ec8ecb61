#pragma once
// What the block sender asks of its window: timers and the visible state.
// The Win32 main window implements them with SetTimer and its controls,
// the command-line tool with its own loop and terminal, tests with fakes.
#include <cstdint>
#include <string>

#include "sender/pipeline/line_fault.h"
#include "sender/pipeline/notice.h"

namespace tarnik {

// Window timers of the send path.
inline constexpr int kIconTimer = 1;  // animates the notification icon
inline constexpr uint32_t kIconTimerPeriodMs = 1000;
inline constexpr int kBlockPollTimer = 2;  // polls the block in flight
inline constexpr uint32_t kBlockPollPeriodMs = 100;

// Fixed English texts of the send path (caption: the application title).
inline constexpr const char kTextShortBlock[] = "SendBytes is problem!";
inline constexpr const char kTextCloseFailed[] = "com can not  be closed!";
inline constexpr const char kTextInitComPortFailed[] = "Faild to InitComPort() !";

// Colours of the text progress bar as COLORREF values (0x00BBGGRR).
struct ProgressColours {
    uint32_t bar = 0;
    uint32_t background = 0;
    uint32_t text_on_bar = 0;
    uint32_t text_on_background = 0;

    bool operator==(const ProgressColours&) const = default;
};

// The main window's look while a job is sent, and while idle.
struct SenderLook {
    bool cancel_enabled = false;    // Cancel (1000)
    bool controls_enabled = false;  // Option 1001, cut from file 1002, Exit 1, radios 1017 1018
    bool tray_idle = false;         // the notification menu offers Option/Exit, not cancel
    ProgressColours colours;
    bool erase = false;  // invalidate the whole window with erase

    bool operator==(const SenderLook&) const = default;
};

// Sending: Cancel only; a blue bar on white with red text.
inline constexpr SenderLook kSendingLook = {
    true, false, false, {0xFF0000, 0xFFFFFF, 0x0000FF, 0x0000FF}, false};
// Idle: everything but Cancel; the bar in the dialog face colour (212, 208, 200).
inline constexpr SenderLook kIdleLook = {
    false, true, true, {0xC8D0D4, 0xC8D0D4, 0xC8D0D4, 0xC8D0D4}, true};

class SenderTimers {
  public:
    virtual ~SenderTimers() = default;
    virtual void StartTimer(int id, uint32_t period_ms) = 0;
    virtual void KillTimer(int id) = 0;
};

// The block sender's notices: the balloon that ends a send (information
// icon) and message boxes.
// The block sender's owner, told at the end of every send (sent whole,
// stopped or failed, and a stop that came while idle): the contour-cut
// macro's link may hand over its next job then.
class SendEndListener {
  public:
    virtual ~SendEndListener() = default;
    virtual void OnSendEnded() = 0;
};

class SenderView : public Notifier {
  public:
    // A text of the string table (in the user's language).
    virtual std::string LoadString(int string_id) = 0;
    // Status line (edit 1006) to a string of the table.
    virtual void SetStatusString(int string_id) = 0;
    // Notification icon tooltip, from the table or as text.
    virtual void SetTipString(int string_id) = 0;
    virtual void SetTipText(const std::string& text) = 0;
    // Notification icon image; shows the icon again if it was hidden.
    virtual void SetTrayIcon(int icon_id) = 0;
    // Progress bar position, 0 to 100.
    virtual void SetProgressPosition(int position) = 0;
    // Button enables, tray menu state, progress colours, repaint.
    virtual void ApplyLook(const SenderLook& look) = 0;
    // Posts WM_LINE_FAULT with a fault code: it is handled after the
    // current message, so a job's finish runs before the fault report.
    virtual void PostLineFault(LineFault fault) = 0;
};

}  // namespace tarnik
