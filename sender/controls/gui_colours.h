#pragma once
// The colour rules of the custom-drawn dialog controls. Every colour is
// derived from the current system colours each time a control draws, so
// that a change of the desktop's colour scheme reaches the next paint; the
// Win32 layer (win32/gui_draw_layer.*) only reads the system colours and
// hands them in. Colours are COLORREF values, 0x00BBGGRR.
#include <cstdint>

namespace tarnik {

using Colour = uint32_t;

constexpr Colour Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}
constexpr uint8_t RedOf(Colour colour) {
    return static_cast<uint8_t>(colour & 0xFF);
}
constexpr uint8_t GreenOf(Colour colour) {
    return static_cast<uint8_t>((colour >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(Colour colour) {
    return static_cast<uint8_t>((colour >> 16) & 0xFF);
}

// The fixed accents: the check box's two-pixel hover frame (outer, inner)
// and its tick.
inline constexpr Colour kHoverOrangeOuter = Rgb(255, 203, 121);
inline constexpr Colour kHoverOrangeInner = Rgb(255, 204, 122);
inline constexpr Colour kTickTeal = Rgb(0, 170, 170);

// Each channel of the selection colour plus 10; a channel wraps past 255
// (the rule works on bytes).
Colour LiftedHighlight(Colour selection);
// The selection colour quartered and raised towards white: hover fill of
// the combo box's drop-down button.
Colour PaleHighlight(Colour selection);
// The same, a little darker: its pressed fill.
Colour SoftHighlight(Colour selection);
// The radio button's background: the face colour three quarters plus 61.
Colour FaceTint(Colour face);

}  // namespace tarnik
