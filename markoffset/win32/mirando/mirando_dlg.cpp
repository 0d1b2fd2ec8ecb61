#include "markoffset/win32/mirando/mirando_dlg.h"

#include <commdlg.h>

#include "markoffset/modify_sequence.h"
#include "markoffset/res/mirando_resource.h"
#include "sender/transport/win32/win32_job_port.h"
#include "ui/win32/data_exchange.h"
#include "ui/win32/resources.h"
#include "ui/win32/wide_text.h"

namespace tarnik {
namespace {

using markoffset::OffsetField;

constexpr COLORREF kInstructionsText = 0x0000FF;  // red
constexpr COLORREF kInstructionsBack = 0x000000;  // black

// The background's size, and the window size the dialog is centred as.
constexpr int kBackgroundWidth = 338;
constexpr int kBackgroundHeight = 231;
constexpr int kCentreWidth = 410;
constexpr int kCentreHeight = 255;

struct OffsetEdit {
    int id;
    OffsetField field;
};
constexpr OffsetEdit kOffsetEdits[] = {{IDC_UPPER_OFFSET, OffsetField::kUpper},
                                       {IDC_LOWER_OFFSET, OffsetField::kLower},
                                       {IDC_LEFT_OFFSET, OffsetField::kLeft},
                                       {IDC_RIGHT_OFFSET, OffsetField::kRight}};

// Where each control stands, in pixels of the client area: the offset edits
// and their "mm" beside the red arrows of the background (upper and lower
// to the right of theirs, left and right below theirs; see
// markoffset/res/make_art.py), the rest in a column right of the picture.
struct Place {
    int id, x, y, width, height;
};
constexpr int kColumn = kBackgroundWidth + 8;
constexpr int kColumnWidth = 100;
constexpr Place kPlaces[] = {
    {IDC_UPPER_OFFSET, 162, 12, 48, 20},
    {IDC_UPPER_MM, 213, 15, 20, 14},
    {IDC_LOWER_OFFSET, 162, 180, 48, 20},
    {IDC_LOWER_MM, 213, 183, 20, 14},
    {IDC_LEFT_OFFSET, 10, 94, 48, 20},
    {IDC_LEFT_MM, 61, 97, 20, 14},
    {IDC_RIGHT_OFFSET, 262, 94, 48, 20},
    {IDC_RIGHT_MM, 313, 97, 20, 14},
    {IDC_INSTRUCTIONS, kColumn, 6, kColumnWidth, 84},
    {IDC_PORT_LABEL, kColumn, 98, kColumnWidth, 14},
    {IDC_PORT, kColumn, 114, kColumnWidth, 200},
    {IDC_SAVE_TO_FILE, kColumn, 142, kColumnWidth, 18},
    {IDOK, kColumn, 164, kColumnWidth, 24},
    {IDCANCEL, kColumn, 192, kColumnWidth, 24},
    {IDC_VERSION, kColumn, 218, kColumnWidth, 13},
};
constexpr int kClientWidth = kColumn + kColumnWidth + 8;

// Waits `ms` while the windows keep painting: a Modify waits up to
// markoffset::kModifyWaitMs, and a window uncovered meanwhile would stay
// blank. Only paint messages are taken: a click now would start another
// Modify inside this one.
void WaitPainting(uint32_t ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_PAINT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

CMirandoDlg::CMirandoDlg()
    : ui::Dialog(IDD_MIRANDO_DIALOG),
      instructions_(
          "1.Press ONLINE \r\nkey of plotter\r\n2.Input offset\r\n3.Set Port\r\n4.Click "
          "Modify") {
    HINSTANCE module = ui::ResourceModule();
    icon_.reset(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON),
                                              GetSystemMetrics(SM_CYICON), 0)));
    small_icon_.reset(static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
    background_.reset(static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, 0)));
    black_.reset(CreateSolidBrush(kInstructionsBack));

    OnMessage(WM_SYSCOMMAND, [this](WPARAM w, LPARAM) { return OnSysCommand(w); });
    OnMessage(WM_ERASEBKGND, [this](WPARAM w, LPARAM) { return OnEraseBackground(w); });
    OnMessage(WM_CTLCOLOREDIT, [this](WPARAM w, LPARAM l) { return OnControlColour(w, l); });
    // A read-only edit asks for the colours of a static control.
    OnMessage(WM_CTLCOLORSTATIC, [this](WPARAM w, LPARAM l) { return OnControlColour(w, l); });
    for (const OffsetEdit& edit : kOffsetEdits) {
        const OffsetField field = edit.field;
        OnCommand(edit.id, EN_UPDATE, [this, field] { ValidateOffset(field); });
        OnCommand(edit.id, EN_KILLFOCUS, [this, field] { FormatOffset(field); });
    }
}

CMirandoDlg::~CMirandoDlg() = default;

void CMirandoDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Text(IDC_UPPER_OFFSET, offsets_.upper);
    exchange.Text(IDC_LOWER_OFFSET, offsets_.lower);
    exchange.Text(IDC_LEFT_OFFSET, offsets_.left);
    exchange.Text(IDC_RIGHT_OFFSET, offsets_.right);
    exchange.Text(IDC_INSTRUCTIONS, instructions_);
    exchange.Check(IDC_SAVE_TO_FILE, save_to_file_);
    if (exchange.Saving()) {
        // The box's text is the port: picked or typed, it names a listed one.
        std::string port;
        exchange.Text(IDC_PORT, port);
        port_index_ = markoffset::ListedPortIndex(port);
    } else {
        exchange.ListIndex(IDC_PORT, port_index_);
    }
}

BOOL CMirandoDlg::OnInitDialog() {
    ui::AppendSystemMenuItem(Handle(), IDS_ABOUTBOX, IDM_ABOUTBOX);
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
    HWND port = Item(IDC_PORT);
    for (int index = 0; index < markoffset::kListedPortCount; ++index) {
        const std::string name = markoffset::ListedPortName(index);
        SendMessageA(port, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    PlaceControls();
    showing_ = true;  // the edits' notifications of their first texts
    UpdateData(false);
    showing_ = false;

    ShowWindow(Handle(), SW_RESTORE);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kCentreWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kCentreHeight) / 2;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE);
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
    return TRUE;
}

void CMirandoDlg::PlaceControls() {
    for (const Place& place : kPlaces) {
        MoveWindow(Item(place.id), place.x, place.y, place.width, place.height, FALSE);
    }
    // The window is sized for the picture and the column beside it.
    RECT frame = {0, 0, kClientWidth, kBackgroundHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void CMirandoDlg::ShowState() {
    // Only texts that changed are set: setting an edit's text as it stands
    // would put the caret back to its start while the user types.
    showing_ = true;
    for (const OffsetEdit& edit : kOffsetEdits) {
        char shown[512] = {};
        GetDlgItemTextA(Handle(), edit.id, shown, sizeof(shown));
        const std::string& offset = markoffset::OffsetOf(offsets_, edit.field);
        if (offset != shown) {
            SetDlgItemTextA(Handle(), edit.id, offset.c_str());
        }
    }
    showing_ = false;
}

void CMirandoDlg::ValidateOffset(OffsetField field) {
    if (showing_) {
        return;
    }
    UpdateData(true);
    const bool accepted = markoffset::ValidateOffset(offsets_, field);
    // The refused text is reset before the message box takes the focus, so
    // the edit's focus loss formats "0.00", not what was refused.
    ShowState();
    if (!accepted) {
        ui::AppMessageBox(Handle(), markoffset::kTextInputNumberOrDot, MB_OK);
    }
}

void CMirandoDlg::FormatOffset(OffsetField field) {
    std::string& offset = markoffset::OffsetOf(offsets_, field);
    offset = markoffset::FormatOffset(offset);
    ShowState();
}

void CMirandoDlg::OnOK() {
    UpdateData(true);
    const bool save = save_to_file_ != 0;
    const std::string commands = markoffset::MarkOffsetCommands(offsets_, !save);
    markoffset::ModifyOutcome outcome;
    if (save) {
        std::string path;
        if (!ChooseSavePath(path)) {
            return;
        }
        outcome = markoffset::SaveMarkOffset(markoffset::PltSavePath(path), commands);
    } else {
        Win32JobPort port;
        HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // wait
        outcome = markoffset::SendMarkOffset(port, markoffset::ComNumberOfIndex(port_index_),
                                             commands, &WaitPainting);
        SetCursor(previous);
    }
    ui::AppMessageBox(Handle(), markoffset::OutcomeMessage(outcome), MB_OK);
    if (markoffset::OutcomeClosesDialog(outcome)) {
        EndDialog(IDOK);
    }
}

bool CMirandoDlg::ChooseSavePath(std::string& path) {
    char file[MAX_PATH + 1] = "Mirando";
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = Handle();
    request.lpstrFilter = "PLT Files (*.PLT)\0*.PLT\0";
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrDefExt = "PLT";
    request.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&request)) {
        return false;
    }
    path = file;
    return true;
}

LRESULT CMirandoDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) {
        PassOn();
        return 0;
    }
    // Its texts are Chinese: shown as UTF-16 whatever the ANSI code page.
    ui::Dialog about(IDD_ABOUTBOX);
    about.DoModalWide(Handle());
    return 0;
}

// The dialog's own colour first, then the picture at the top-left corner.
LRESULT CMirandoDlg::OnEraseBackground(WPARAM dc_param) {
    HDC dc = reinterpret_cast<HDC>(dc_param);
    RECT client = {};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (background_ != nullptr) {
        const ui::UniqueMemoryDc memory(CreateCompatibleDC(dc));
        if (memory != nullptr) {
            HGDIOBJ previous = SelectObject(memory.get(), background_.get());
            BitBlt(dc, 0, 0, kBackgroundWidth, kBackgroundHeight, memory.get(), 0, 0, SRCCOPY);
            SelectObject(memory.get(), previous);
        }
    }
    return TRUE;
}

LRESULT CMirandoDlg::OnControlColour(WPARAM dc_param, LPARAM control_param) {
    if (GetDlgCtrlID(reinterpret_cast<HWND>(control_param)) != IDC_INSTRUCTIONS) {
        PassOn();
        return 0;
    }
    HDC dc = reinterpret_cast<HDC>(dc_param);
    SetTextColor(dc, kInstructionsText);
    SetBkColor(dc, kInstructionsBack);
    return reinterpret_cast<LRESULT>(black_.get());
}

}  // namespace tarnik
