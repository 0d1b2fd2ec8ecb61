// How the main window shows the line faults: balloons of the notification
// icon, topmost message boxes captioned with the contour-cut macro's window
// titles, and the status, port and line-status edits.
#include <windows.h>

#include "sender/app/win32/main_window.h"
#include "sender/res/resource.h"
#include "ui/win32/utf16_text.h"

namespace tarnik {
namespace {

UINT BoxStyle(FaultBox kind) {
    switch (kind) {
        case FaultBox::kWarningTopmost:
            return MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST;
        case FaultBox::kQuestionTopmost:
            return MB_YESNO | MB_ICONERROR | MB_TOPMOST;
        case FaultBox::kExclamation:
            break;
    }
    return MB_OK | MB_ICONEXCLAMATION;
}

}  // namespace

int CTestDlg::HandleLineFault(LPARAM code) {
    const SenderSettings& settings = controller_.Settings();
    const LineVerdict verdict = line_faults_.OnLineFault(static_cast<int32_t>(code),
                                                         settings.CurrentCom, settings.BaudRate);
    if (verdict != LineVerdict::kUnchanged) {
        controller_.SetLineUsable(verdict == LineVerdict::kUsable);
    }
    InvalidateRect(Item(IDC_SIGNAL_LAMP), nullptr, TRUE);
    return 1;
}

bool CTestDlg::ShowFaultBox(const std::string& text, const char* caption, FaultBox kind) {
    return MessageBoxW(Handle(), ui::Utf16FromUtf8(text).c_str(),
                       ui::Utf16FromUtf8(caption).c_str(), BoxStyle(kind)) == IDYES &&
           kind == FaultBox::kQuestionTopmost;
}

// The macro's question box is a standard message box: its No button is
// control IDNO.
void CTestDlg::DismissMacroQuestion() {
    HWND question = FindWindowA("#32770", kCaptionMacroQuestion);
    if (question != nullptr) {
        SendMessageA(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    }
}

void CTestDlg::SetStatusText(const std::string& text) {
    ui::SetWindowTextUtf8(Item(IDC_STATUS_TEXT), text);
}

void CTestDlg::SetPortText(const std::string& text) {
    SetDlgItemTextA(Handle(), IDC_PORT_TEXT, text.c_str());
}

void CTestDlg::SetLineStatusText(const std::string& text) {
    ui::SetWindowTextUtf8(Item(IDC_SIGNAL_LAMP), text);
}

void CTestDlg::CancelWork() {
    controller_.OnCancelWork();
}

}  // namespace tarnik
