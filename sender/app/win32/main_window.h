#pragma once
// The job sender's main window (dialog 102): model, port and status lines,
// the icon buttons, the progress bar and the notification icon. Its
// message table translates every message and command into a call on the
// portable MainWindowController; the view methods (main_window_view.cpp)
// are how the controller answers.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "sender/app/export_watcher.h"
#include "sender/app/line_fault_handler.h"
#include "sender/app/main_window_controller.h"
#include "sender/app/monitor_sharing_port.h"
#include "sender/app/settings_store.h"
#include "sender/app/win32/export_watcher_thread.h"
#include "sender/app/win32/line_monitor.h"
#include "sender/app/win32/main_window_controls.h"
#include "sender/controls/win32/system_tray.h"
#include "sender/controls/win32/text_progress_ctrl.h"
#include "sender/transport/usb_printer.h"
#include "sender/transport/win32/win32_job_port.h"
#include "sender/transport/win32/window_messages.h"
#include "ui/win32/dialog.h"
#include "ui/win32/gdi_handles.h"

namespace tarnik {

class CTestDlg : public ui::Dialog,
                 private MainWindowView,
                 private SenderTimers,
                 private UsbOutput,
                 private UsbNotices,
                 private SystemSettingsEnvironment,
                 private LineFaultView,
                 private WatcherNotices {
  public:
    // `notify_area` is the shell's unless a test gives its own.
    explicit CTestDlg(NotifyArea& notify_area = ShellNotifyArea());
    ~CTestDlg() override;

    uint8_t EnglishUI = 0;

  protected:
    BOOL OnInitDialog() override;

  private:
    void BuildMessageTable();
    void SetUpButtons();
    void RunAbout();
    void RunSettings();
    void CutFromFile();
    void Exit();
    LRESULT OnSysCommand(WPARAM command);
    LRESULT OnPaint();
    LRESULT OnControlColour(WPARAM dc, LPARAM control);
    LRESULT OnTrayCallback(WPARAM id, LPARAM mouse_message);
    void OnDestroy();
    HBRUSH BrushOf(COLORREF colour);
    // WM_LINE_FAULT (line_fault_view.cpp).
    int HandleLineFault(LPARAM code);

    // Every notice of the controller, the pipeline, the block sender, the
    // USB transport, the export watcher and the line faults
    // (main_window_view.cpp).
    void Notify(NoticeText text, NoticeStyle style) override;
    // JobView.
    void SetTrayTip(const char* text) override;
    FileSettingsResult RunFileSettings(float width_mm, float height_mm) override;
    bool RunSaveDialog(const char* filter, std::string& chosen) override;
    void SetSendingLook(bool sending) override;
    bool AskNextStrip(int32_t done, int32_t count) override;
    void PostNextStrip() override;
    // SenderView (SetStatusString: the SettingsView's too).
    std::string LoadString(int string_id) override;
    void SetStatusString(int string_id) override;
    void SetTipString(int string_id) override;
    void SetTipText(const std::string& text) override;
    void SetTrayIcon(int icon_id) override;
    void SetProgressPosition(int position) override;
    void ApplyLook(const SenderLook& look) override;
    void PostLineFault(LineFault fault) override;
    // SettingsView.
    void ShowPortText(const char* text) override;
    void ShowModelText(const char* text) override;
    // SenderTimers.
    void StartTimer(int id, uint32_t period_ms) override;
    void KillTimer(int id) override;
    // UsbOutput.
    bool Send(uint8_t usb_port, const char* data, uint32_t length) override;
    // SettingsEnvironment: the export watcher's folder and restart.
    void HandExportFolderToWatcher(const char* folder) override;
    void RestartExportWatcher() override;
    void MarkLineUsable() override;
    // LineFaultView (line_fault_view.cpp); LoadString is the SenderView's.
    bool ShowFaultBox(const std::string& text, const char* caption, FaultBox kind) override;
    void DismissMacroQuestion() override;
    void SetStatusText(const std::string& text) override;
    void SetPortText(const std::string& text) override;
    void SetLineStatusText(const std::string& text) override;
    void CancelWork() override;

    HICON icon_ = nullptr;
    // The shell's "TaskbarCreated" message: the taskbar is (again) up.
    UINT taskbar_created_ = 0;
    Win32JobPort port_;
    // What the controller sends through: the line monitor lets go of its
    // port while a job uses it.
    MonitorSharingJobPort shared_port_{port_, line_monitor_};
    MainWindowController controller_;
    Win32LineMonitor line_monitor_;
    LineFaultHandler line_faults_;
    CSystemTray tray_;
    CTextProgressCtrl progress_;
    COLORREF window_background_ = 0xFFFFFF;
    std::map<COLORREF, ui::UniqueBrush> brushes_;
    MainWindowControls controls_;
    Win32WatcherThread watcher_thread_;
    ExportWatcherControl export_watcher_;
};

}  // namespace tarnik
