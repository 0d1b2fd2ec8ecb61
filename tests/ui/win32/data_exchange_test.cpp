#include "ui/win32/data_exchange.h"

#include <gtest/gtest.h>

namespace tarnik::ui {
namespace {

TEST(DataExchangeParsing, IntegersAsTheMarginBoxesTakeThem) {
    struct Case {
        const char* label;
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"plain", "12", true, 12},
        {"blanks around", "  7 ", true, 7},
        {"negative", "-3", true, -3},
        {"largest", "2147483647", true, 2147483647},
        {"empty", "", false, 0},
        {"blanks only", "   ", false, 0},
        {"letters after", "12mm", false, 0},
        {"decimal", "1.5", false, 0},
        {"beyond 32 bits", "2147483648", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        int32_t value = -999;
        EXPECT_EQ(ParseInt32(c.text, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(DataExchangeParsing, FloatsAndTheirText) {
    float value = 0;
    EXPECT_TRUE(ParseFloat(" 0.5 ", value));
    EXPECT_FLOAT_EQ(value, 0.5f);
    EXPECT_FALSE(ParseFloat("0.5x", value));
    EXPECT_FALSE(ParseFloat("", value));
    EXPECT_FALSE(ParseFloat("1e40", value));
    // The design size as the file settings dialog shows it: six digits.
    EXPECT_EQ(FormatFloat(3000 / 31.496000289916992f), "95.2502");
    EXPECT_EQ(FormatFloat(2.0f), "2");
    EXPECT_EQ(FormatInt32(-12), "-12");
}

TEST(DataExchangeParsing, RangeMessagePlaceholders) {
    EXPECT_EQ(FillPlaceholders("between %1 and %2.", "0.01", "2"), "between 0.01 and 2.");
    EXPECT_EQ(FillPlaceholders("100%", "a", "b"), "100%");
    EXPECT_EQ(FillPlaceholders("%2 %1 %3", "a", "b"), "b a %3");
}

}  // namespace
}  // namespace tarnik::ui
