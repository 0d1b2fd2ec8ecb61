#pragma once
// The main window's answer to WM_LINE_FAULT: a warning for a failed or
// refused job, and for a failing line monitor the offer to restart it on
// its port, after which the plotter's CTS line tells whether it is on line.
// The window supplies the boxes, balloons and texts; the monitor is reached
// through LineMonitor so that the decision runs without a serial port.
#include <cstdint>
#include <string>

#include "sender/pipeline/line_fault.h"
#include "sender/pipeline/notice.h"

namespace tarnik {

// Captions: the contour-cut macro's window titles.
inline constexpr const char kCaptionMacro[] = "RAvivIZE";
inline constexpr const char kCaptionMacroQuestion[] = "DUdirEZEdezu";
inline constexpr const char kTextComError[] = "COM error!";
inline constexpr const char kPortTextError[] = "COM:error";
// The monitor watches the plotter's CTS line only.
inline constexpr uint32_t kMonitorEventMaskCts = 0x0008;  // EV_CTS
inline constexpr uint32_t kModemCtsOn = 0x0010;           // MS_CTS_ON

// How a message box looks: the three kinds the line faults use.
enum class FaultBox {
    kWarningTopmost,   // OK, exclamation icon, topmost
    kQuestionTopmost,  // Yes/No, error icon, topmost; true for Yes
    kExclamation,      // OK, exclamation icon
};

// The fault handler's balloons go through Notify; its boxes carry the
// macro's captions and an answer, so they have a call of their own.
class LineFaultView : public Notifier {
  public:
    virtual std::string LoadString(int string_id) = 0;
    // true when a Yes/No box was answered Yes; false for every other box.
    virtual bool ShowFaultBox(const std::string& text, const char* caption, FaultBox kind) = 0;
    // Presses No on an open question box of the contour-cut macro, if any.
    virtual void DismissMacroQuestion() = 0;
    virtual void SetStatusText(const std::string& text) = 0;      // edit 1006
    virtual void SetPortText(const std::string& text) = 0;        // edit 1007
    virtual void SetLineStatusText(const std::string& text) = 0;  // edit 1009
    virtual void CancelWork() = 0;
};

// The line monitor as the fault handler drives it.
class LineMonitor {
  public:
    virtual ~LineMonitor() = default;
    // The port the monitor opened last; 0 before it has opened one.
    virtual int PortNumber() const = 0;
    virtual bool Open(int port, int32_t baud, uint32_t event_mask) = 0;
    virtual bool StartWatch() = 0;
    // The modem status lines; false when they cannot be read.
    virtual bool ReadModemStatus(uint32_t& status) = 0;
    // A job is about to open COM `port`. Both open the port without
    // sharing, so a monitor holding that port closes it (its watch ends);
    // true when it did.
    virtual bool YieldPort(int port) = 0;
    // That job has closed the port: the monitor opens it again as its last
    // restart did, and watches again.
    virtual void ReclaimPort() = 0;
};

// What a line fault did to the line flag (the controller's LineUsable): a
// monitor restart that worked makes the line usable, one declined or failed
// makes it unusable, every other fault leaves it as it was.
enum class LineVerdict { kUnchanged, kUsable, kUnusable };

class LineFaultHandler {
  public:
    LineFaultHandler(LineFaultView& view, LineMonitor& monitor) : view_(view), monitor_(monitor) {}
    LineFaultHandler(const LineFaultHandler&) = delete;
    LineFaultHandler& operator=(const LineFaultHandler&) = delete;

    // Handles WM_LINE_FAULT `code` with the settings' `current_com` and
    // `baud_rate`; codes that are no LineFault are ignored.
    LineVerdict OnLineFault(int32_t code, int current_com, int32_t baud_rate);
    // 1 when the last modem-status read of a restart showed CTS on.
    int32_t LineOnline() const { return line_online_; }

  private:
    void Warn(int string_id);
    LineVerdict RestartMonitor(int current_com, int32_t baud_rate);

    LineFaultView& view_;
    LineMonitor& monitor_;
    int32_t line_online_ = 0;
};

// The port a restart opens: the monitor's own, or before it has ever held
// one (port 0, which no device name has) the configured port.
int RestartPort(int monitor_port, int current_com);

}  // namespace tarnik
