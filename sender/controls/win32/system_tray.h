#pragma once
// The notification-area icon of the main window: its tooltip, balloons,
// the sending animation's icons and the pop-up menu on a right click.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>

namespace tarnik {

// Readies the first pop-up of the tray menu for showing: About becomes the
// default item, and the items that the idle or sending state forbids are
// greyed.
void PrepareTrayPopup(HMENU popup, bool idle);

// The shell's notification area as the icon reaches it (Shell_NotifyIconW:
// the tooltip and balloon texts may hold Chinese, which the ANSI call would
// turn into "?" outside code page 936).
// Tests give a fake whose add fails, as the shell's does at logon before the
// taskbar is up.
class NotifyArea {
  public:
    virtual ~NotifyArea() = default;
    // One NIM_ADD, NIM_MODIFY or NIM_DELETE; true when the shell took it.
    virtual bool Notify(DWORD message, NOTIFYICONDATAW& record) = 0;
};

// The real notification area of the shell.
NotifyArea& ShellNotifyArea();

class CSystemTray {
  public:
    explicit CSystemTray(NotifyArea& area = ShellNotifyArea());
    ~CSystemTray();
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;

    // Texts are UTF-8.
    // Adds the icon with the start balloon (strings 103 and 104). Fails,
    // adding nothing, on a shell older than version 4 or without an owner
    // window. `id` is also the id of the pop-up menu resource.
    BOOL Create(HWND owner, UINT callback_message, const char* tooltip, HICON icon, UINT id);
    void Remove();
    // The taskbar announced itself (its "TaskbarCreated" message, at logon
    // after a failed Create and again whenever Explorer restarts and forgets
    // every icon): adds the icon again with its current icon and tooltip,
    // without the start balloon. Nothing when Create never had an owner.
    BOOL AddAgain();

    void SetIcon(HICON icon);
    void SetIcon(UINT icon_resource_id);
    void SetTooltipText(const char* text);
    // Balloon with the information icon, or the warning icon when `warning`
    // is non-zero; title and time-out stay those of Create.
    void ShowBalloon(const char* text, int warning);
    // Idle: the menu greys Cancel; sending: Exit and Options.
    void SetIdle(uint8_t idle) { idle_ = idle; }

    // Every callback message of the icon; opens the menu on a right button
    // release. Returns 0 for another icon's id or when the menu cannot be
    // loaded, 1 otherwise.
    LRESULT OnTrayNotification(WPARAM id, LPARAM mouse_message);

    bool Enabled() const { return enabled_; }
    // The record handed to the shell, for inspection by tests.
    const NOTIFYICONDATAW& Record() const { return data_; }

  private:
    void Modify(UINT flags);

    // The record up to the balloon icon flags (the version-2 layout: 488
    // bytes in a 32-bit program's ANSI form, NOTIFYICONDATAW_V2_SIZE here).
    NotifyArea& area_;
    NOTIFYICONDATAW data_ = {};
    bool enabled_ = false;
    bool menu_enabled_ = true;
    uint8_t idle_ = 1;
};

}  // namespace tarnik
