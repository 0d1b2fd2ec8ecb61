#include "sender/controls/gui_colours.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

// Colour schemes of several desktops; each row is one scheme's selection
// highlight and button face with the colours the controls draw from them.
TEST(GuiColours, RulesOnSeveralSystemColourSets) {
    struct Case {
        const char* label;
        Colour selection;
        Colour face;
        Colour lifted;
        Colour pale;
        Colour soft;
        Colour tint;
    };
    const Case cases[] = {
        {"classic grey", Rgb(10, 36, 106), Rgb(212, 208, 200), Rgb(20, 46, 116), Rgb(199, 206, 223),
         Rgb(183, 190, 207), Rgb(220, 217, 211)},
        {"blue theme", Rgb(49, 106, 197), Rgb(236, 233, 216), Rgb(59, 116, 207), Rgb(190, 204, 227),
         Rgb(175, 189, 212), Rgb(238, 235, 223)},
        {"flat light", Rgb(0, 120, 215), Rgb(240, 240, 240), Rgb(10, 130, 225), Rgb(174, 204, 227),
         Rgb(160, 190, 213), Rgb(241, 241, 241)},
        // 250 + 10 and 255 + 10 wrap to 4 and 9; 246 + 10 to 0.
        {"lifted channels wrap", Rgb(250, 255, 246), Rgb(255, 255, 255), Rgb(4, 9, 0),
         Rgb(228, 229, 227), Rgb(214, 215, 213), Rgb(252, 252, 252)},
        {"high contrast black", Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(10, 10, 10), Rgb(220, 220, 220),
         Rgb(202, 202, 202), Rgb(61, 61, 61)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(LiftedHighlight(c.selection), c.lifted);
        EXPECT_EQ(PaleHighlight(c.selection), c.pale);
        EXPECT_EQ(SoftHighlight(c.selection), c.soft);
        EXPECT_EQ(FaceTint(c.face), c.tint);
    }
}

}  // namespace
}  // namespace tarnik
