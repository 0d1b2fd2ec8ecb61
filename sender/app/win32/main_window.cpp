#include "sender/app/win32/main_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>

#include "sender/app/profile_file.h"
#include "sender/app/win32/about_dlg.h"
#include "sender/app/win32/cfg_dlg.h"
#include "sender/app/win32/file_name_dialog.h"
#include "sender/app/win32/macro_print_windows.h"
#include "sender/pipeline/win32/exclusive_open.h"
#include "sender/res/resource.h"
#include "ui/win32/resources.h"
#include "ui/win32/utf16_text.h"

namespace tarnik {
namespace {

// Shown by the version label in place of the template's text.
constexpr char kVersionLabel[] = "V2.6";
// The filter of the cut-from-file open dialog, '|' separated as written.
constexpr char kPltOpenFilter[] = "Plt Files (*.Plt)(CorelDraw)|*.Plt||";

// The first static control without an id: the version label.
HWND FirstUnnamedStatic(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = {};
        GetClassNameA(child, kind, sizeof kind);
        const LONG_PTR id = GetWindowLongPtrA(child, GWLP_ID);
        if (lstrcmpiA(kind, "Static") == 0 && (id == 0xFFFF || id == -1)) {
            return child;
        }
    }
    return nullptr;
}

// Enter presses a focused push button before the default one. The Exit
// button answers as a plain button, so that keyboard focus (Tab, the arrow
// keys) never makes it the button that Enter presses.
LRESULT CALLBACK ExitButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR) {
    const LRESULT answer = DefSubclassProc(button, message, wparam, lparam);
    if (message == WM_GETDLGCODE) {
        return answer & ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    }
    return answer;
}

}  // namespace

CTestDlg::CTestDlg(NotifyArea& notify_area)
    : ui::Dialog(IDD_TARNIK_DIALOG),
      icon_(LoadIconA(ui::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      taskbar_created_(RegisterWindowMessageA("TaskbarCreated")),
      controller_(*this, shared_port_, *this, *this),
      line_faults_(*this, line_monitor_),
      tray_(notify_area),
      export_watcher_(watcher_thread_, *this) {
    controller_.Job().OpenExportFileAlone = &OpenWithoutSharing;
    BuildMessageTable();
}

CTestDlg::~CTestDlg() = default;

void CTestDlg::BuildMessageTable() {
    OnCommand(IDC_CUT_FROM_FILE, BN_CLICKED, [this] { CutFromFile(); });
    OnCommand(IDC_OPTION, BN_CLICKED, [this] { RunSettings(); });
    OnCommand(ID_TRAY_OPTIONS, [this] { RunSettings(); });
    OnCommand(IDC_CANCEL_WORK, BN_CLICKED, [this] { controller_.OnCancelWork(); });
    OnCommand(ID_TRAY_CANCEL, [this] { controller_.OnCancelWork(); });
    OnCommand(IDOK, BN_CLICKED, [this] { Exit(); });
    OnCommand(ID_TRAY_EXIT, [this] { Exit(); });
    OnCommand(ID_TRAY_ABOUT, [this] { RunAbout(); });
    // A background program must not vanish on Escape, Enter, the caption's
    // close box or Alt+F4: only Exit ends it (Enter is kept from the Exit
    // button, id 1, in OnInitDialog).
    OnCommand(IDCANCEL, [] {});
    OnMessage(WM_CLOSE, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    OnCommand(ID_TRAY_HELP, [] {});
    OnCommand(IDC_SPARE, [] {});
    OnCommand(IDC_STATUS_TEXT, [] {});
    OnCommand(IDC_AUTO_MODE, BN_CLICKED, [this] { controller_.OnAutoModeRadio(); });
    OnCommand(IDC_FILE_MODE, BN_CLICKED, [this] {
        if (controller_.OnFileModeRadio()) {
            export_watcher_.Stop();
        }
    });

    OnMessage(WM_SYSCOMMAND, [this](WPARAM w, LPARAM) { return OnSysCommand(w); });
    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) { return OnPaint(); });
    OnMessage(WM_QUERYDRAGICON,
              [this](WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); });
    OnMessage(WM_CTLCOLORSTATIC, [this](WPARAM w, LPARAM l) { return OnControlColour(w, l); });
    OnMessage(WM_CTLCOLOREDIT, [this](WPARAM w, LPARAM l) { return OnControlColour(w, l); });
    OnMessage(WM_DESTROY, [this](WPARAM, LPARAM) -> LRESULT {
        OnDestroy();
        return 0;
    });
    OnMessage(WM_TIMER, [this](WPARAM w, LPARAM) -> LRESULT {
        controller_.OnTimer(static_cast<int>(w));
        return 0;
    });
    OnMessage(kWmBlockSent, [this](WPARAM, LPARAM l) -> LRESULT {
        controller_.OnBlockSent(static_cast<int32_t>(l));
        return 0;
    });
    OnMessage(kWmTrayNotify, [this](WPARAM w, LPARAM l) { return OnTrayCallback(w, l); });
    OnMessage(kWmJobReady, [this](WPARAM w, LPARAM l) -> LRESULT {
        return controller_.OnJobReady(static_cast<int32_t>(w), static_cast<int32_t>(l));
    });
    OnMessage(kWmMacroPrint, [this](WPARAM, LPARAM) -> LRESULT {
        Win32MacroPrintWindows windows(Handle());
        return controller_.OnMacroPrint(windows);
    });
    OnMessage(kWmLineFault, [this](WPARAM, LPARAM l) -> LRESULT { return HandleLineFault(l); });
    OnMessage(kWmNextStrip, [this](WPARAM, LPARAM) -> LRESULT {
        controller_.OnNextStrip();
        return 0;
    });
    // The drawing program's macro asks whether the job sender runs.
    OnMessage(kWmMacroQuery, [](WPARAM, LPARAM) -> LRESULT { return 1; });
    if (taskbar_created_ != 0) {
        OnMessage(taskbar_created_, [this](WPARAM, LPARAM) -> LRESULT {
            tray_.AddAgain();
            return 0;
        });
    }
}

BOOL CTestDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    line_monitor_.SetOwner(Handle());
    const std::wstring about = ui::Utf16FromUtf8(ui::LoadResourceStringUtf8(IDS_ABOUTBOX));
    HMENU system_menu = GetSystemMenu(Handle(), FALSE);
    if (!about.empty() && system_menu != nullptr) {
        AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system_menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
    // The window ignores Close; it should not invite a click (this greys
    // the caption's close box too).
    if (system_menu != nullptr) {
        EnableMenuItem(system_menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
    // Enter presses the default button, which without one is id 1, Exit:
    // the hidden spare button, disabled and without an action, takes that
    // role so that a stray Enter ends no program.
    SendMessageA(Handle(), DM_SETDEFID, IDC_SPARE, 0);
    SetWindowSubclass(Item(IDOK), &ExitButtonProc, 0, 0);
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SetWindowTextA(FirstUnnamedStatic(Handle()), kVersionLabel);

    const std::string tip = ui::LoadResourceStringUtf8(IDS_TRAY_TIP);
    // At logon the taskbar may not be up yet and the add fails; the window
    // starts all the same and adds the icon when the taskbar announces
    // itself. The icon set here is kept for that add.
    tray_.Create(Handle(), kWmTrayNotify, tip.c_str(), nullptr, IDR_TRAY_MENU);
    tray_.SetIcon(icon_);
    SetUpButtons();

    // The bar starts in the window's grey, invisible until a job colours it.
    progress_.Attach(Item(IDC_PROGRESS));
    progress_.SetBarColour(kIdleLook.colours.bar);
    progress_.SetBkColour(kIdleLook.colours.background);
    progress_.SetTextBkColour(kIdleLook.colours.text_on_bar);
    progress_.SetTextForeColour(kIdleLook.colours.text_on_background);
    InvalidateRect(Handle(), nullptr, TRUE);
    HDC dc = GetDC(Handle());
    window_background_ = GetBkColor(dc);
    ReleaseDC(Handle(), dc);

    std::array<char, MAX_PATH + 1> module = {};
    GetModuleFileNameA(nullptr, module.data(), MAX_PATH);
    SenderSettings& settings = controller_.Settings();
    ComputeSettingsPath(module.data(), settings.SettingsPath, sizeof settings.SettingsPath);
    auto profile = OpenProfileFile(settings.SettingsPath);
    controller_.Initialise(*profile, *this);

    controls_.auto_mode.SetChecked(true);
    return TRUE;
}

void CTestDlg::SetUpButtons() {
    controls_.Attach(Handle(), EnglishUI == 1);
    EnableWindow(Item(IDC_CUT_FROM_FILE), TRUE);
    EnableWindow(Item(IDC_CANCEL_WORK), FALSE);
}

void CTestDlg::RunAbout() {
    CAboutDlg about;
    about.DoModal(Handle());
}

// The settings dialog on a copy of the settings; what it holds is saved
// (on cancel only the two scale divisors, which it never changes).
void CTestDlg::RunSettings() {
    CCfgdlg settings_dialog;
    settings_dialog.SerialLine = DefaultSerialLine();
    settings_dialog.SetValues(controller_.Settings());
    const bool ok = settings_dialog.DoModal(Handle()) == IDOK;
    SenderSettings& settings = controller_.Settings();
    auto profile = OpenProfileFile(settings.SettingsPath);
    if (!SaveSettings({*profile, *this, *this}, settings_dialog.TakeValues(), ok,
                      controller_.AutoMode(), settings)) {
        // The settings hold until the program ends; the user must know that
        // the next start will not have them.
        const std::string said = LoadString(IDS_SETTINGS_NOT_SAVED) + settings.SettingsPath;
        Notify(said, NoticeStyle::kMessageBox);
    }
}

void CTestDlg::Exit() {
    UpdateData(true);
    EndDialog(IDOK);
}

// The open dialog for any plot file; the controller copies it over the
// export file and runs the job as the macro's message would.
void CTestDlg::CutFromFile() {
    std::string chosen;
    if (!ChooseFileName(Handle(), FileNameDialog::Open, kPltOpenFilter,
                        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, chosen)) {
        return;
    }
    controller_.OnCutFromFile(chosen.c_str());
}

LRESULT CTestDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        RunAbout();
        return 0;
    }
    if ((command & 0xFFF0) == SC_MINIMIZE) {
        // The window lives on in the notification area.
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    }
    PassOn();
    return 0;
}

LRESULT CTestDlg::OnPaint() {
    if (!IsIconic(Handle())) {
        PassOn();
        return 0;
    }
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(Handle(), &paint);
    return 0;
}

HBRUSH CTestDlg::BrushOf(COLORREF colour) {
    auto found = brushes_.find(colour);
    if (found != brushes_.end()) {
        return found->second.get();
    }
    HBRUSH brush = CreateSolidBrush(colour);
    brushes_.emplace(colour, ui::UniqueBrush(brush));
    return brush;
}

LRESULT CTestDlg::OnControlColour(WPARAM dc_param, LPARAM control_param) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(control_param));
    ControlColours colours;
    if (id == IDC_STATUS_TEXT) {
        colours = StatusLineColours(controller_.Idle(), window_background_);
    } else if (id == IDC_SIGNAL_LAMP) {
        colours = SignalLampColours(line_faults_.LineOnline() != 0);
    } else {
        PassOn();
        return 0;
    }
    HDC dc = reinterpret_cast<HDC>(dc_param);
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.background);
    return reinterpret_cast<LRESULT>(BrushOf(colours.background));
}

LRESULT CTestDlg::OnTrayCallback(WPARAM id, LPARAM mouse_message) {
    if (LOWORD(mouse_message) == WM_LBUTTONDBLCLK) {
        ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
    }
    tray_.OnTrayNotification(id, mouse_message);
    return 1;
}

void CTestDlg::OnDestroy() {
    port_.PurgeAll();
    tray_.Remove();
    // The watcher must not outlive the window whose folder it watches.
    export_watcher_.Shutdown();
}

}  // namespace tarnik
