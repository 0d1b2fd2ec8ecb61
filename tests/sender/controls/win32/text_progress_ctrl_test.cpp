#include "sender/controls/win32/text_progress_ctrl.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "sender/res/resource.h"
#include "ui/win32/resources.h"

namespace tarnik {
namespace {

// A real progress control, 200 pixels wide, in a top-level window.
class ProgressWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        parent_ = CreateWindowExA(0, "STATIC", "progress test", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                  60, nullptr, nullptr, nullptr, nullptr);
        control_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20,
                                   parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(control_, nullptr);
        ASSERT_TRUE(progress_.Attach(control_));
        Pump();
    }
    void TearDown() override { DestroyWindow(parent_); }
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }

    HWND parent_ = nullptr;
    HWND control_ = nullptr;
    CTextProgressCtrl progress_;
};

// Each block of a job sets the position; only a change of the bar's pixel
// width may cost a repaint.
TEST_F(ProgressWindow, RepaintsOnlyWhenTheBarWidthChanges) {
    struct Step {
        const char* label;
        int position;
        bool repaint;
    };
    const Step steps[] = {
        {"first position", 50, true}, {"same position", 50, false}, {"next pixel", 51, true},
        {"back", 10, true},           {"end", 100, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        const int before = progress_.PaintCount();
        progress_.SetPos(step.position);
        Pump();
        EXPECT_EQ(progress_.PaintCount() > before, step.repaint);
    }
}

TEST_F(ProgressWindow, SetPosReturnsThePreviousPosition) {
    EXPECT_EQ(progress_.SetPos(30), 0);
    EXPECT_EQ(progress_.SetPos(60), 30);
    CTextProgressCtrl unattached;
    EXPECT_EQ(unattached.SetPos(5), -1);
}

TEST_F(ProgressWindow, TextIsKeptByTheControl) {
    SetWindowTextA(control_, "busy");
    char text[16] = {};
    EXPECT_EQ(GetWindowTextA(control_, text, sizeof text), 4);
    EXPECT_STREQ(text, "busy");
    char small[3] = {};
    EXPECT_EQ(SendMessageA(control_, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "bu");
}

}  // namespace
}  // namespace tarnik
