#include "sender/controls/progress_text.h"

#include <gtest/gtest.h>

#include "sender/controls/tray_menu_rules.h"

namespace tarnik {
namespace {

TEST(ProgressText, PercentTruncatedOrStoredText) {
    struct Case {
        const char* label;
        ProgressRange range;
        const char* stored;
        const char* text;
    };
    const Case cases[] = {
        {"half way", {0, 100, 50}, "", "50%"},
        {"start", {0, 100, 0}, "", "0%"},
        {"end", {0, 100, 100}, "", "100%"},
        {"0.999 truncates to 99", {0, 1000, 999}, "", "99%"},
        {"offset range", {50, 150, 100}, "", "50%"},
        {"a stored text wins", {0, 100, 50}, "busy", "busy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(ProgressPaintable(c.range));
        EXPECT_EQ(ProgressText(c.stored, ProgressFraction(c.range)), c.text);
    }
}

TEST(ProgressText, EmptyOrReversedRangePaintsNothing) {
    EXPECT_FALSE(ProgressPaintable({100, 100, 50}));
    EXPECT_FALSE(ProgressPaintable({100, 0, 50}));
}

// The repaint rule rests on the pixel width: positions that land on the
// same pixel must give the same width, the next pixel a different one.
TEST(ProgressText, BarWidthTruncatesToWholePixels) {
    struct Case {
        const char* label;
        int client_width;
        int position;
        int width;
    };
    const Case cases[] = {
        {"50 of 100 on 200 px", 200, 50, 100},
        {"1 of 100 on 50 px", 50, 1, 0},
        {"2 of 100 on 50 px", 50, 2, 1},
        {"3 of 100 on 50 px shares the pixel", 50, 3, 1},
        {"full", 173, 100, 173},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ProgressBarWidth(c.client_width, ProgressFraction({0, 100, c.position})),
                  c.width);
    }
}

TEST(TrayMenuRules, IdleGreysCancelSendingGreysExitAndOptions) {
    constexpr TrayMenuGreying idle = GreyedTrayItems(true);
    EXPECT_EQ(idle.items[0], ID_TRAY_CANCEL);
    EXPECT_EQ(idle.items[1], 0);
    constexpr TrayMenuGreying sending = GreyedTrayItems(false);
    EXPECT_EQ(sending.items[0], ID_TRAY_EXIT);
    EXPECT_EQ(sending.items[1], ID_TRAY_OPTIONS);
}

}  // namespace
}  // namespace tarnik
