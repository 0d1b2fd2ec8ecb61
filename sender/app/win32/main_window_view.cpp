// How the main window shows what the controller, the job pipeline and the
// block sender report: its controls, the notification icon, the dialogs.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <string>

#include "sender/app/cut_plan_settings.h"
#include "sender/app/file_settings_rules.h"
#include "sender/app/media_fields.h"
#include "sender/app/profile_file.h"
#include "sender/app/win32/file_name_dialog.h"
#include "sender/app/win32/main_window.h"
#include "sender/app/win32/plt_file_cfg.h"
#include "sender/plan/job_estimate.h"
#include "sender/res/resource.h"
#include "sender/transport/win32/win32_printer_spooler.h"
#include "ui/win32/resources.h"
#include "ui/win32/utf16_text.h"

namespace tarnik {

void CTestDlg::Notify(NoticeText text, NoticeStyle style) {
    const std::string shown = text.IsStringId() ? LoadString(text.StringIdValue()) : text.Text();
    switch (style) {
        case NoticeStyle::kInfoBalloon:
            tray_.ShowBalloon(shown.c_str(), 0);
            return;
        case NoticeStyle::kWarningBalloon:
            tray_.ShowBalloon(shown.c_str(), 1);
            return;
        case NoticeStyle::kMessageBox:
            ui::AppMessageBoxUtf8(Handle(), shown, MB_OK);
            return;
    }
}

void CTestDlg::SetTrayTip(const char* text) {
    tray_.SetTooltipText(text);
}

JobView::FileSettingsResult CTestDlg::RunFileSettings(float width_mm, float height_mm) {
    Cpltfilecfg dialog;
    dialog.LeftMargin = 0;
    dialog.TopMargin = 0;
    dialog.Width = width_mm;
    dialog.Height = height_mm;
    SenderSettings& settings = controller_.Settings();
    dialog.OrderIndex = CutOrderListIndex(settings.CutPlan.Order);
    dialog.PanelLength = settings.CutPlan.PanelLength;
    dialog.Media = MediaFieldsOf(settings.CutPlan.Media);
    const JobContext& job = controller_.Job();
    const std::string plot_path = job.ExportFilePath();
    dialog.EstimateBytes = [&](const CutPlanOptions& options) {
        SenderSettings trial = settings;
        trial.CutPlan = options;
        return EstimateJobBytes(plot_path.c_str(), job, trial);
    };
    const INT_PTR result = dialog.DoModal(Handle());
    if (result == IDOK) {
        // The choice holds for this job and the next ones: it is kept in
        // tarnik.ini.
        settings.CutPlan.Order = CutOrderFromListIndex(dialog.OrderIndex);
        settings.CutPlan.PanelLength = BoundedPanelLength(dialog.PanelLength);
        // The margins place this job only; tarnik.ini keeps none.
        settings.CutPlan.Media = MediaOptionsOf(dialog.Media, dialog.LeftMargin, dialog.TopMargin);
        SaveCutPlanSettings(*OpenProfileFile(settings.SettingsPath), settings.CutPlan);
    }
    return FileSettingsResult{result == IDOK, dialog.CutToFile != 0};
}

bool CTestDlg::RunSaveDialog(const char* filter, std::string& chosen) {
    return ChooseFileName(Handle(), FileNameDialog::Save, filter,
                          OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, chosen);
}

bool CTestDlg::AskNextStrip(int32_t done, int32_t count) {
    // The table's text names the strip cut, their count and the next strip,
    // in this order.
    std::string text = LoadString(IDS_NEXT_STRIP);
    for (const int32_t number : {done, count, done + 1}) {
        const std::size_t at = text.find("%d");
        if (at == std::string::npos)
            break;
        text.replace(at, 2, std::to_string(number));
    }
    return ui::AppMessageBoxUtf8(Handle(), text, MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

void CTestDlg::PostNextStrip() {
    PostMessageA(Handle(), kWmNextStrip, 0, 0);
}

void CTestDlg::SetSendingLook(bool sending) {
    ApplyLook(sending ? kSendingLook : kIdleLook);
    SetStatusString(sending ? IDS_SENDING : IDS_READY);
}

// UTF-8, shown through the UTF-16 calls: the Chinese strings stay readable
// whatever the system's code page.
std::string CTestDlg::LoadString(int string_id) {
    return ui::LoadResourceStringUtf8(static_cast<UINT>(string_id));
}

void CTestDlg::SetStatusString(int string_id) {
    ui::SetWindowTextUtf8(Item(IDC_STATUS_TEXT), LoadString(string_id));
}

void CTestDlg::SetTipString(int string_id) {
    tray_.SetTooltipText(LoadString(string_id).c_str());
}

void CTestDlg::SetTipText(const std::string& text) {
    tray_.SetTooltipText(text.c_str());
}

void CTestDlg::SetTrayIcon(int icon_id) {
    tray_.SetIcon(static_cast<UINT>(icon_id));
}

void CTestDlg::SetProgressPosition(int position) {
    progress_.SetPos(position);
}

void CTestDlg::ApplyLook(const SenderLook& look) {
    EnableWindow(Item(IDC_CANCEL_WORK), look.cancel_enabled ? TRUE : FALSE);
    for (const int id : {IDC_OPTION, IDC_CUT_FROM_FILE, IDOK, IDC_AUTO_MODE, IDC_FILE_MODE}) {
        EnableWindow(Item(id), look.controls_enabled ? TRUE : FALSE);
    }
    tray_.SetIdle(look.tray_idle ? 1 : 0);
    progress_.SetBarColour(look.colours.bar);
    progress_.SetBkColour(look.colours.background);
    progress_.SetTextBkColour(look.colours.text_on_bar);
    progress_.SetTextForeColour(look.colours.text_on_background);
    InvalidateRect(Handle(), nullptr, look.erase ? TRUE : FALSE);
    if (progress_.Handle() != nullptr) {
        InvalidateRect(progress_.Handle(), nullptr, FALSE);
    }
}

void CTestDlg::PostLineFault(LineFault fault) {
    PostMessageA(Handle(), kWmLineFault, 0, static_cast<LPARAM>(fault));
}

void CTestDlg::ShowPortText(const char* text) {
    SetDlgItemTextA(Handle(), IDC_PORT_TEXT, text);
}

void CTestDlg::ShowModelText(const char* text) {
    SetDlgItemTextA(Handle(), IDC_MODEL_TEXT, text);
}

void CTestDlg::StartTimer(int id, uint32_t period_ms) {
    SetTimer(Handle(), static_cast<UINT_PTR>(id), period_ms, nullptr);
}

void CTestDlg::KillTimer(int id) {
    ::KillTimer(Handle(), static_cast<UINT_PTR>(id));
}

bool CTestDlg::Send(uint8_t usb_port, const char* data, uint32_t length) {
    return SendToUsbPrinter(usb_port, data, length, *this);
}

void CTestDlg::HandExportFolderToWatcher(const char* folder) {
    export_watcher_.SetFolder(folder);
}

void CTestDlg::RestartExportWatcher() {
    export_watcher_.Start();
}

void CTestDlg::MarkLineUsable() {
    controller_.SetLineUsable(true);
}

}  // namespace tarnik
