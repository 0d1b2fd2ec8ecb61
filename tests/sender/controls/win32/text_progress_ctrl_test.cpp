#include "sender/controls/win32/text_progress_ctrl.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sender/controls/progress_text.h"

namespace tarnik {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 20;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using Pixels = std::vector<uint32_t>;

// An off-screen bitmap the size of the control, like the screen's.
class Canvas {
  public:
    Canvas() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    // The pixels, top row first.
    Pixels Read() const {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        Pixels pixels(static_cast<size_t>(kWidth) * kHeight);
        GetDIBits(dc_, bitmap_, 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS);
        return pixels;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

// What `text` looks like in black on white, centred on one line in the
// control's font: what the control must show when bar and background are
// both white and both text colours black.
Pixels Expected(const std::string& text, HFONT font) {
    Canvas canvas;
    RECT area = {0, 0, kWidth, kHeight};
    SetBkColor(canvas.Dc(), kWhite);
    ExtTextOutA(canvas.Dc(), 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    HGDIOBJ old_font = SelectObject(canvas.Dc(), font);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), kBlack);
    DrawTextA(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(canvas.Dc(), old_font);
    return canvas.Read();
}

// A real progress control, kWidth pixels wide, in a shown top-level window,
// its painting taken over.
class ProgressControl : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        parent_ =
            CreateWindowExA(WS_EX_TOPMOST, "STATIC", "progress test", WS_POPUP | WS_VISIBLE, 0, 0,
                            kWidth + 40, kHeight + 20, nullptr, nullptr, nullptr, nullptr);
        control_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth,
                                   kHeight, parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(control_, nullptr);
        SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
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
    // Repaints the whole control now and copies what it shows.
    Pixels Shown() const {
        RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        Canvas canvas;
        HDC window = GetDC(control_);
        BitBlt(canvas.Dc(), 0, 0, kWidth, kHeight, window, 0, 0, SRCCOPY);
        ReleaseDC(control_, window);
        return canvas.Read();
    }

    HFONT font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
    CTextProgressCtrl progress_;
};

// Each block of a job sets the position; only a change of the bar's pixel
// width may cost a repaint.
TEST_F(ProgressControl, RepaintsOnlyWhenTheBarWidthChanges) {
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

TEST_F(ProgressControl, SetPosReturnsThePreviousPosition) {
    EXPECT_EQ(progress_.SetPos(30), 0);
    EXPECT_EQ(progress_.SetPos(60), 30);
    CTextProgressCtrl unattached;
    EXPECT_EQ(unattached.SetPos(5), -1);
}

TEST_F(ProgressControl, TextIsKeptByTheControl) {
    SetWindowTextA(control_, "busy");
    char text[16] = {};
    EXPECT_EQ(GetWindowTextA(control_, text, sizeof text), 4);
    EXPECT_STREQ(text, "busy");
    char small[3] = {};
    EXPECT_EQ(SendMessageA(control_, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "bu");
}

// The control paints the text of the progress rule (tested on its own):
// one colour for bar and background and one for the text over either, so
// the picture is the text alone, wherever the bar ends.
TEST_F(ProgressControl, PaintsThePercentageOrTheStoredText) {
    progress_.SetBarColour(kWhite);
    progress_.SetBkColour(kWhite);
    progress_.SetTextForeColour(kBlack);
    progress_.SetTextBkColour(kBlack);
    // The comparison tells texts apart and the text is really there.
    ASSERT_NE(Expected("50%", font_), Expected("49%", font_));
    ASSERT_NE(Expected("99%", font_), Expected("", font_));

    const std::pair<int, const char*> positions_and_texts[] = {
        {50, ""}, {0, ""}, {100, ""}, {99, ""}, {50, "Save OK"},
    };
    for (const auto& [position, stored] : positions_and_texts) {
        const std::string text = ProgressText(stored, ProgressFraction({0, 100, position}));
        SCOPED_TRACE(text);
        SetWindowTextA(control_, stored);
        progress_.SetPos(position);
        EXPECT_TRUE(Shown() == Expected(text, font_)) << "the control does not show it";
    }
}

}  // namespace
}  // namespace tarnik
