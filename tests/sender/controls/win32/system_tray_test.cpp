#include "sender/controls/win32/system_tray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sender/res/resource.h"
#include "sender/transport/win32/window_messages.h"
#include "tests/sender/controls/win32/fake_notify_area.h"
#include "ui/win32/resources.h"

namespace tarnik {
namespace {

// The tray menu as the right click shows it: the first pop-up of menu 173
// of the program's own resources (linked into the test program), readied
// for the idle or the sending state.
class TrayPopup {
  public:
    explicit TrayPopup(bool idle)
        : menu_(LoadMenuA(ui::ResourceModule(), MAKEINTRESOURCEA(IDR_TRAY_MENU))) {
        popup_ = menu_ != nullptr ? GetSubMenu(menu_, 0) : nullptr;
        if (popup_ != nullptr) {
            PrepareTrayPopup(popup_, idle);
        }
    }
    ~TrayPopup() {
        if (menu_ != nullptr) {
            DestroyMenu(menu_);
        }
    }
    TrayPopup(const TrayPopup&) = delete;
    TrayPopup& operator=(const TrayPopup&) = delete;

    HMENU Popup() const { return popup_; }
    bool Greyed(UINT command) const {
        const UINT state = GetMenuState(popup_, command, MF_BYCOMMAND);
        return state != 0xFFFFFFFFu && (state & MF_GRAYED) != 0;
    }
    bool Present(UINT command) const {
        return GetMenuState(popup_, command, MF_BYCOMMAND) != 0xFFFFFFFFu;
    }

  private:
    HMENU menu_;
    HMENU popup_ = nullptr;
};

// While idle there is nothing to cancel; while a job is sent, ending the
// program or changing its settings would pull the job from under the
// plotter. About and Help stay usable in both states.
TEST(TrayMenu, GreysTheItemsTheStateForbids) {
    struct Case {
        const char* label;
        bool idle;
        bool options_greyed;
        bool exit_greyed;
        bool cancel_greyed;
    };
    const Case cases[] = {
        {"idle", true, false, false, true},
        {"sending", false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TrayPopup menu(c.idle);
        ASSERT_NE(menu.Popup(), nullptr);
        for (const UINT item :
             {ID_TRAY_ABOUT, ID_TRAY_OPTIONS, ID_TRAY_CANCEL, ID_TRAY_HELP, ID_TRAY_EXIT}) {
            EXPECT_TRUE(menu.Present(item)) << item;
        }
        EXPECT_EQ(menu.Greyed(ID_TRAY_OPTIONS), c.options_greyed);
        EXPECT_EQ(menu.Greyed(ID_TRAY_EXIT), c.exit_greyed);
        EXPECT_EQ(menu.Greyed(ID_TRAY_CANCEL), c.cancel_greyed);
        EXPECT_FALSE(menu.Greyed(ID_TRAY_ABOUT));
        EXPECT_FALSE(menu.Greyed(ID_TRAY_HELP));
        EXPECT_EQ(GetMenuItemID(menu.Popup(), 0), static_cast<UINT>(ID_TRAY_ABOUT));
        EXPECT_EQ(GetMenuDefaultItem(menu.Popup(), TRUE, 0), 0u);
    }
}

// At logon the taskbar may not be up: the add fails, and the icon must come
// once the taskbar announces itself, with what the window set meanwhile.
// After an Explorer restart the icon is gone and comes back the same way.
TEST(SystemTray, AddsTheIconAgainWhenTheTaskbarAnnouncesItself) {
    struct Case {
        const char* label;
        bool up_at_create;
        bool icon_lost;  // Explorer restarted: the shell forgot the icon
        BOOL created;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"taskbar not up at logon",
         false,
         false,
         FALSE,
         {"add Tarnik", "add icon tip", "modify icon tip"}},
        {"Explorer restarted",
         true,
         true,
         TRUE,
         {"add Tarnik", "modify icon Tarnik", "modify icon tip", "add icon tip",
          "modify icon tip"}},
        {"announced while the icon is still there",
         true,
         false,
         TRUE,
         {"add Tarnik", "modify icon Tarnik", "modify icon tip", "add icon tip", "modify icon tip",
          "modify icon tip"}},
    };
    HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        testing::FakeNotifyArea area;
        area.taskbar_up = c.up_at_create;
        CSystemTray tray(area);
        EXPECT_EQ(tray.Create(owner, kWmTrayNotify, "Tarnik", nullptr, IDR_TRAY_MENU), c.created);
        tray.SetIcon(icon);
        tray.SetTooltipText("tip");
        area.taskbar_up = true;
        if (c.icon_lost) {
            area.has_icon = false;
        }
        EXPECT_TRUE(tray.AddAgain());
        EXPECT_TRUE(tray.Enabled());
        EXPECT_EQ(tray.Record().uFlags & NIF_INFO, 0u) << "no second start balloon";
        tray.SetTooltipText("tip");
        EXPECT_EQ(area.calls, c.calls);
        area.calls.clear();
    }
    DestroyWindow(owner);
}

}  // namespace
}  // namespace tarnik
