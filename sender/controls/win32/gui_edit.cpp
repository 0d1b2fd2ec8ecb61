#include "sender/controls/win32/gui_edit.h"

#include "sender/controls/win32/gui_draw_layer.h"

namespace tarnik {

void CGuiEdit::OnAttach() {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The non-client area in the face colour with the two rings; the client
// area is left to the edit.
void CGuiEdit::DrawBorder() const {
    HDC dc = GetWindowDC(Handle());
    if (dc == nullptr) {
        return;
    }
    RECT frame = {};
    GetWindowRect(Handle(), &frame);
    POINT origin = {frame.left, frame.top};
    OffsetRect(&frame, -frame.left, -frame.top);
    RECT client = {};
    GetClientRect(Handle(), &client);
    POINT client_origin = {0, 0};
    ClientToScreen(Handle(), &client_origin);
    OffsetRect(&client, client_origin.x - origin.x, client_origin.y - origin.y);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    GuiDrawLayer::Fill(dc, frame, GuiDrawLayer::Face());
    RECT ring = frame;
    InflateRect(&ring, -1, -1);
    GuiDrawLayer::Frame(dc, ring, GuiDrawLayer::LiftedHighlight());
    ReleaseDC(Handle(), dc);
}

LRESULT CGuiEdit::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCPAINT: {
            // Scroll bars, where there are any, are the edit's own drawing.
            const LRESULT answer = Default(message, wparam, lparam);
            DrawBorder();
            return answer;
        }
        case WM_SETFOCUS: {
            const LRESULT answer = Default(message, wparam, lparam);
            SendMessageA(Handle(), EM_SETSEL, 0, 0);
            SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
            return answer;
        }
        default:
            return Default(message, wparam, lparam);
    }
}

}  // namespace tarnik
