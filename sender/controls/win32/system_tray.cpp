#include "sender/controls/win32/system_tray.h"

#include <string>

#include "sender/controls/tray_menu_rules.h"
#include "sender/res/resource.h"
#include "ui/win32/resources.h"
#include "ui/win32/utf16_text.h"

namespace tarnik {
namespace {

// Balloons disappear after a second unless the user points at them.
constexpr UINT kBalloonTimeoutMs = 1000;

// A UTF-8 text into a UTF-16 field, cut to fit with its terminator.
template <size_t N>
void CopyBounded(wchar_t (&field)[N], const char* text) {
    const std::wstring wide = ui::Utf16FromUtf8(text != nullptr ? text : "");
    const size_t length = wide.size() < N - 1 ? wide.size() : N - 1;
    wide.copy(field, length);
    field[length] = L'\0';
}

class ShellArea : public NotifyArea {
  public:
    bool Notify(DWORD message, NOTIFYICONDATAW& record) override {
        return Shell_NotifyIconW(message, &record) != FALSE;
    }
};

}  // namespace

NotifyArea& ShellNotifyArea() {
    static ShellArea area;
    return area;
}

void PrepareTrayPopup(HMENU popup, bool idle) {
    SetMenuDefaultItem(popup, 0, TRUE);
    for (const int item : GreyedTrayItems(idle).items) {
        if (item != 0) {
            EnableMenuItem(popup, static_cast<UINT>(item), MF_BYCOMMAND | MF_GRAYED);
        }
    }
}

CSystemTray::CSystemTray(NotifyArea& area) : area_(area) {
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
}

CSystemTray::~CSystemTray() {
    Remove();
}

BOOL CSystemTray::Create(HWND owner, UINT callback_message, const char* tooltip, HICON icon,
                         UINT id) {
    const DWORD version = GetVersion();
    if (LOBYTE(LOWORD(version)) < 4 || !IsWindow(owner)) {
        return FALSE;
    }
    data_ = {};
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data_.hWnd = owner;
    data_.uID = id;
    data_.hIcon = icon;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    data_.uCallbackMessage = callback_message;
    CopyBounded(data_.szInfo, ui::LoadResourceStringUtf8(IDS_STARTED_BALLOON).c_str());
    data_.uTimeout = kBalloonTimeoutMs;
    CopyBounded(data_.szInfoTitle, ui::LoadResourceStringUtf8(IDS_STARTED_TITLE).c_str());
    data_.dwInfoFlags = NIIF_INFO;
    CopyBounded(data_.szTip, tooltip);
    enabled_ = area_.Notify(NIM_ADD, data_);
    return enabled_ ? TRUE : FALSE;
}

BOOL CSystemTray::AddAgain() {
    if (data_.hWnd == nullptr) {
        return FALSE;
    }
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (area_.Notify(NIM_ADD, data_)) {
        enabled_ = true;
    } else if (enabled_) {
        // The announcement came while the icon was still there.
        enabled_ = area_.Notify(NIM_MODIFY, data_);
    }
    return enabled_ ? TRUE : FALSE;
}

void CSystemTray::Remove() {
    if (enabled_) {
        data_.uFlags = 0;
        area_.Notify(NIM_DELETE, data_);
        enabled_ = false;
    }
}

void CSystemTray::Modify(UINT flags) {
    if (!enabled_) {
        return;
    }
    data_.uFlags = flags;
    area_.Notify(NIM_MODIFY, data_);
}

void CSystemTray::SetIcon(HICON icon) {
    data_.hIcon = icon;
    Modify(NIF_ICON);
}

void CSystemTray::SetIcon(UINT icon_resource_id) {
    SetIcon(LoadIconA(ui::ResourceModule(), MAKEINTRESOURCEA(icon_resource_id)));
}

void CSystemTray::SetTooltipText(const char* text) {
    CopyBounded(data_.szTip, text);
    Modify(NIF_TIP);
}

void CSystemTray::ShowBalloon(const char* text, int warning) {
    CopyBounded(data_.szInfo, text);
    data_.dwInfoFlags = warning != 0 ? NIIF_WARNING : NIIF_INFO;
    Modify(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO);
}

LRESULT CSystemTray::OnTrayNotification(WPARAM id, LPARAM mouse_message) {
    if (id != data_.uID) {
        return 0;
    }
    if (LOWORD(mouse_message) != WM_RBUTTONUP || !menu_enabled_) {
        return 1;
    }
    HMENU menu = LoadMenuA(ui::ResourceModule(), MAKEINTRESOURCEA(data_.uID));
    if (menu == nullptr) {
        return 0;
    }
    HMENU popup = GetSubMenu(menu, 0);
    if (popup == nullptr) {
        DestroyMenu(menu);
        return 0;
    }
    PrepareTrayPopup(popup, idle_ != 0);
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(data_.hWnd);
    TrackPopupMenu(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
    // Lets the menu close when the user clicks elsewhere.
    PostMessageA(data_.hWnd, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return 1;
}

}  // namespace tarnik
