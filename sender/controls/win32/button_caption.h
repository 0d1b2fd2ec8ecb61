#pragma once
// What the owner-drawn check box and radio button share: where their 13 x 13
// pixel mark sits and how their caption is drawn beside it.
#include <windows.h>

namespace tarnik {

inline constexpr int kMarkSize = 13;

// The mark's box in the control: centred vertically when the control is at
// least 14 pixels high, at the left edge, or at the right edge with the
// left-text style.
RECT MarkBox(HWND control, const RECT& area);
// The caption, single-line and vertically centred on a transparent
// background, from 14 pixels right of the mark (from the control's left
// edge when the mark is at the right); greyed when disabled.
void DrawButtonCaption(HWND control, HDC dc, const RECT& area, const RECT& mark, bool disabled);
// The focus rectangle around the caption's side of the control.
void DrawCaptionFocus(HDC dc, const RECT& area, const RECT& mark);

}  // namespace tarnik
