#include "sender/controls/gui_colours.h"

#include <algorithm>

namespace tarnik {
namespace {

// Quarters the channels and lifts each by what separates the brightest
// quarter from white, less `percent` of that distance (truncated).
Colour RaisedQuarter(Colour selection, int percent) {
    const int red = RedOf(selection) / 4;
    const int green = GreenOf(selection) / 4;
    const int blue = BlueOf(selection) / 4;
    const int distance = 255 - std::max({red, green, blue});
    const int lift = distance - percent * distance / 100;
    return Rgb(static_cast<uint8_t>(red + lift), static_cast<uint8_t>(green + lift),
               static_cast<uint8_t>(blue + lift));
}

uint8_t Tinted(uint8_t channel) {
    return static_cast<uint8_t>(3 * channel / 4 + 61);
}

}  // namespace

Colour LiftedHighlight(Colour selection) {
    return Rgb(static_cast<uint8_t>(RedOf(selection) + 10),
               static_cast<uint8_t>(GreenOf(selection) + 10),
               static_cast<uint8_t>(BlueOf(selection) + 10));
}

Colour PaleHighlight(Colour selection) {
    return RaisedQuarter(selection, 14);
}

Colour SoftHighlight(Colour selection) {
    return RaisedQuarter(selection, 21);
}

Colour FaceTint(Colour face) {
    return Rgb(Tinted(RedOf(face)), Tinted(GreenOf(face)), Tinted(BlueOf(face)));
}

}  // namespace tarnik
