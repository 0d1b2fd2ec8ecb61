#include "sender/app/line_fault_handler.h"

#include <cstdio>

#include "sender/res/resource.h"

namespace tarnik {

int RestartPort(int monitor_port, int current_com) {
    return monitor_port > 0 ? monitor_port : current_com;
}

LineVerdict LineFaultHandler::OnLineFault(int32_t code, int current_com, int32_t baud_rate) {
    switch (static_cast<LineFault>(code)) {
        case LineFault::kUnknown:
        case LineFault::kWriteFailed:
            Warn(IDS_JOB_ABORTED);
            view_.CancelWork();
            break;
        case LineFault::kJobRefused:
            // The job driver has deleted the job file already; nothing runs.
            Warn(IDS_PORT_NOT_READY);
            break;
        case LineFault::kWatchFailed:
            return RestartMonitor(current_com, baud_rate);
    }
    return LineVerdict::kUnchanged;
}

void LineFaultHandler::Warn(int string_id) {
    const std::string text = view_.LoadString(string_id);
    view_.Notify(text, NoticeStyle::kWarningBalloon);
    view_.ShowFaultBox(text, kCaptionMacro, FaultBox::kWarningTopmost);
}

LineVerdict LineFaultHandler::RestartMonitor(int current_com, int32_t baud_rate) {
    view_.CancelWork();
    // The macro's own question about the line would otherwise stand beside ours.
    view_.DismissMacroQuestion();
    const bool yes = view_.ShowFaultBox(view_.LoadString(IDS_SIGNAL_LOST), kCaptionMacroQuestion,
                                        FaultBox::kQuestionTopmost);
    if (yes) {
        const int port = RestartPort(monitor_.PortNumber(), current_com);
        if (monitor_.Open(port, baud_rate, kMonitorEventMaskCts)) {
            char port_text[32] = {};
            std::snprintf(port_text, sizeof port_text, "COM: COM%d", port);
            monitor_.StartWatch();
            uint32_t status = 0;
            if (!monitor_.ReadModemStatus(status)) {
                status = 0;  // unreadable lines count as all off
            }
            line_online_ = (status & kModemCtsOn) != 0 ? 1 : 0;
            view_.SetLineStatusText(
                view_.LoadString(line_online_ != 0 ? IDS_ON_LINE : IDS_OFF_LINE));
            view_.SetPortText(port_text);
            view_.Notify(view_.LoadString(IDS_PORT_OPENED), NoticeStyle::kInfoBalloon);
            view_.SetStatusText(view_.LoadString(IDS_READY));
            return LineVerdict::kUsable;
        }
        view_.ShowFaultBox(kTextComError, kCaptionMacro, FaultBox::kExclamation);
    }
    view_.SetStatusText(view_.LoadString(IDS_PORT_OPEN_FAILED));
    view_.SetPortText(kPortTextError);
    return LineVerdict::kUnusable;
}

}  // namespace tarnik
