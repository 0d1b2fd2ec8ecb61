#include "installer/win32/ostrel_dlg.h"

#include <array>
#include <string>

#include "installer/install_operation.h"
#include "installer/res/resource.h"
#include "installer/version_table.h"
#include "installer/win32/automation_client.h"
#include "installer/win32/install_seams_win32.h"
#include "ui/win32/resources.h"
#include "ui/win32/wide_text.h"

namespace tarnik::ostrel {
namespace {

// The folder of the installer's own executable, without a trailing
// separator: every installed file is taken from there.
std::string SourceFolder() {
    std::array<char, MAX_PATH> module = {};
    const DWORD length = GetModuleFileNameA(nullptr, module.data(), MAX_PATH);
    std::string folder(module.data(), length < MAX_PATH ? length : 0);
    const size_t slash = folder.rfind('\\');
    folder.resize(slash != std::string::npos ? slash : 0);
    return folder;
}

}  // namespace

CAboutDlg::CAboutDlg() : ui::Dialog(IDD_ABOUTBOX) {}

COstrelDlg::COstrelDlg() : ui::Dialog(IDD_OSTREL_DIALOG) {
    OnMessage(WM_SYSCOMMAND, [this](WPARAM w, LPARAM) { return OnSysCommand(w); });
    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) { return OnPaint(); });
    OnMessage(WM_QUERYDRAGICON,
              [this](WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); });
}

BOOL COstrelDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    ui::AppendSystemMenuItem(Handle(), IDS_ABOUTBOX, IDM_ABOUTBOX);

    icon_ = LoadIconA(ui::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    HWND list = Item(IDC_VERSION_LIST);
    for (const installer::VersionRow& row : installer::kVersionTable) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.list_text));
    }
    SendMessageA(list, CB_SETCURSEL, installer::kInitialVersionIndex, 0);

    // Without OLE no version can be created, and Install says so per row.
    ole_.Start(Handle());
    return TRUE;
}

void COstrelDlg::OnOK() {
    // The box is editable: only a text that names an entry selects a version.
    std::array<char, 128> text = {};
    GetWindowTextA(Item(IDC_VERSION_LIST), text.data(), static_cast<int>(text.size()));
    const int index = installer::FindVersion(text.data());

    installer::InstallOutcome outcome;
    {
        AutomationClient automation(Handle());
        Win32InstallFiles files;
        Win32InstallMessages messages(Handle());
        outcome = installer::RunInstall(index, SourceFolder(),
                                        installer::InstallSeams{automation, files, messages});
    }
    if (outcome == installer::InstallOutcome::kSucceeded) {
        EndDialog(IDOK);
    }
}

LRESULT COstrelDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal(Handle());
        return 0;
    }
    PassOn();
    return 0;
}

// Minimised, the window shows its icon centred in the client area.
LRESULT COstrelDlg::OnPaint() {
    if (!IsIconic(Handle())) {
        PassOn();
        return 0;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(Handle(), &paint);
    return 0;
}

}  // namespace tarnik::ostrel
