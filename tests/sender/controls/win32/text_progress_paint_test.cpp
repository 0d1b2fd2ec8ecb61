#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sender/controls/win32/text_progress_ctrl.h"

namespace tarnik {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 20;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using Pixels = std::vector<uint32_t>;

// The pixels of a device context's bitmap, top row first.
Pixels ReadPixels(HDC dc, HBITMAP bitmap) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Pixels pixels(static_cast<size_t>(kWidth) * kHeight);
    GetDIBits(dc, bitmap, 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

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
    Pixels Read() const { return ReadPixels(dc_, bitmap_); }

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

// A real progress control in a shown window, its painting taken over, read
// back from the screen after it painted itself.
class ProgressPaint : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        parent_ =
            CreateWindowExA(WS_EX_TOPMOST, "STATIC", "progress paint test", WS_POPUP | WS_VISIBLE,
                            0, 0, kWidth + 40, kHeight + 20, nullptr, nullptr, nullptr, nullptr);
        control_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth,
                                   kHeight, parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(control_, nullptr);
        SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        ASSERT_TRUE(progress_.Attach(control_));
        // One colour for bar and background and one for the text over
        // either: the picture is the text alone, wherever the bar ends.
        progress_.SetBarColour(kWhite);
        progress_.SetBkColour(kWhite);
        progress_.SetTextForeColour(kBlack);
        progress_.SetTextBkColour(kBlack);
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

TEST_F(ProgressPaint, PaintsThePercentageOrTheStoredText) {
    struct Case {
        const char* label;
        int position;
        const char* stored;
        const char* shown;
        const char* not_shown;
    };
    const Case cases[] = {
        {"half way", 50, "", "50%", "49%"},
        {"start", 0, "", "0%", "100%"},
        {"end", 100, "", "100%", "99%"},
        {"one short of the end", 99, "", "99%", "100%"},
        {"stored text", 50, "Save OK", "Save OK", "50%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetWindowTextA(control_, c.stored);
        progress_.SetPos(c.position);
        const Pixels shown = Shown();
        const Pixels expected = Expected(c.shown, font_);
        // The comparison tells texts apart and the text is really there.
        ASSERT_NE(expected, Expected(c.not_shown, font_));
        ASSERT_NE(expected, Expected("", font_));
        EXPECT_TRUE(shown == expected) << "the control does not show \"" << c.shown << "\"";
    }
}

}  // namespace
}  // namespace tarnik
