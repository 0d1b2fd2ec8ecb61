#include "sender/controls/win32/gui_group_box.h"

#include "sender/controls/win32/gui_draw_layer.h"
#include "sender/controls/win32/window_text.h"

namespace tarnik {
namespace {

constexpr int kCaptionHeight = 11;  // pixels
constexpr int kFrameDrop = 6;       // the frame's top below the control's
constexpr int kCaptionIndent = 6;   // the caption's distance from the corner
constexpr int kCaptionMargin = 1;   // face colour on each side of the text
constexpr int kCut = 2;             // the diagonal cut at each corner

bool Vertical(CGuiGroupBox::Alignment alignment) {
    return alignment == CGuiGroupBox::kLeftFromBottom || alignment == CGuiGroupBox::kLeftFromTop;
}

}  // namespace

CGuiGroupBox::~CGuiGroupBox() {
    Detach();
}

void CGuiGroupBox::MakeFont() {
    const int angle = Vertical(alignment_) ? 900 : 0;
    font_.reset(CreateFontW(-kCaptionHeight, 0, angle, angle, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Verdana"));
}

void CGuiGroupBox::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    MakeFont();
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void CGuiGroupBox::OnAttach() {
    caption_ = WindowTextW(Handle());
    SetWindowTextW(Handle(), L"");
    if (font_ == nullptr) {
        MakeFont();
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void CGuiGroupBox::DrawCaption(HDC dc, const RECT& client, const RECT& frame) {
    if (caption_.empty()) {
        return;
    }
    ScopedSelection font(dc, font_ != nullptr ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text = {};
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    const int length = text.cx + 2 + 2 * kCaptionMargin;
    RECT place = {};
    int x = 0;
    int y = 0;
    switch (alignment_) {
        case kTopLeft:
            place = {frame.left + kCaptionIndent, client.top, frame.left + kCaptionIndent + length,
                     client.top + text.cy};
            x = place.left + 1 + kCaptionMargin;
            y = place.top;
            break;
        case kTopRight:
            place = {frame.right - kCaptionIndent - length, client.top,
                     frame.right - kCaptionIndent, client.top + text.cy};
            x = place.left + 1 + kCaptionMargin;
            y = place.top;
            break;
        case kLeftFromBottom:
            place = {client.left, frame.bottom - kCaptionIndent - length, client.left + text.cy,
                     frame.bottom - kCaptionIndent};
            x = place.left;
            y = place.bottom - 1 - kCaptionMargin;
            break;
        case kLeftFromTop:
            place = {client.left, frame.top + kCaptionIndent, client.left + text.cy,
                     frame.top + kCaptionIndent + length};
            x = place.left;
            y = place.bottom - 1 - kCaptionMargin;
            break;
    }
    GuiDrawLayer::Fill(dc, place, GuiDrawLayer::Face());
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(dc, GuiDrawLayer::LiftedHighlight());
    TextOutW(dc, x, y, caption_.c_str(), static_cast<int>(caption_.size()));
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

void CGuiGroupBox::Paint(HDC dc) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    RECT frame = client;
    InflateRect(&frame, -1, -1);
    frame.top += kFrameDrop;
    const int l = frame.left;
    const int t = frame.top;
    const int r = frame.right - 1;
    const int b = frame.bottom - 1;
    const POINT outline[] = {{l + kCut, t}, {r - kCut, t}, {r, t + kCut},
                             {r, b - kCut}, {r - kCut, b}, {l + kCut, b},
                             {l, b - kCut}, {l, t + kCut}, {l + kCut, t}};
    {
        ScopedSelection pen(dc, CreatePen(PS_SOLID, 1, GuiDrawLayer::Shadow()), true);
        Polyline(dc, outline, static_cast<int>(sizeof outline / sizeof outline[0]));
    }
    DrawCaption(dc, client, frame);
}

LRESULT CGuiGroupBox::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint = {};
            HDC dc = BeginPaint(Handle(), &paint);
            Paint(dc);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wparam));
            return 0;
        default:
            return Default(message, wparam, lparam);
    }
}

}  // namespace tarnik
