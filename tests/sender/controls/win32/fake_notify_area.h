#pragma once
// A notification area that notes each call with the icon and tooltip it was
// given, and refuses adds while the taskbar is not up (as at logon) or while
// it still holds the icon.
#include <string>
#include <vector>

#include "sender/controls/win32/system_tray.h"
#include "ui/win32/utf16_text.h"

namespace tarnik::testing {

class FakeNotifyArea : public NotifyArea {
  public:
    bool taskbar_up = false;
    bool has_icon = false;
    std::vector<std::string> calls;

    bool Notify(DWORD message, NOTIFYICONDATAW& record) override {
        const char* name = message == NIM_ADD ? "add" : message == NIM_MODIFY ? "modify" : "delete";
        calls.push_back(std::string(name) + (record.hIcon != nullptr ? " icon " : " ") +
                        ui::Utf8FromUtf16(record.szTip));
        if (message == NIM_ADD) {
            if (!taskbar_up || has_icon) {
                return false;
            }
            has_icon = true;
            return true;
        }
        if (message == NIM_DELETE) {
            has_icon = false;
        }
        return taskbar_up && has_icon;
    }
};

}  // namespace tarnik::testing
