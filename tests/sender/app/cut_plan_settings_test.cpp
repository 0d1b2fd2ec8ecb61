// The "CutPlan" section of tarnik.ini as both programs read it, and what the
// file settings dialog shows of it: the list entry of an order and the
// job's time on the line.
#include "sender/app/cut_plan_settings.h"

#include <gtest/gtest.h>

#include "sender/app/file_settings_rules.h"
#include "sender/app/settings_fakes.h"

namespace tarnik {
namespace {

using testing::CallLog;
using testing::RecordingProfile;

TEST(CutPlanSettings, ReadsWhatTheFileHolds) {
    struct Case {
        const char* label;
        std::map<std::string, std::string> ini;
        CutOrder order;
        float panel;
    } cases[] = {
        {"no section: as drawn, no panels", {}, CutOrder::Drawn, 0.0f},
        {"shortest in panels of 600 mm",
         {{"CutPlan/Order", "2"}, {"CutPlan/PanelLength", "600.0"}},
         CutOrder::Shortest,
         600.0f},
        {"inside first", {{"CutPlan/Order", "1"}}, CutOrder::Inside, 0.0f},
        {"an order the program does not know", {{"CutPlan/Order", "7"}}, CutOrder::Drawn, 0.0f},
        {"a negative order", {{"CutPlan/Order", "-1"}}, CutOrder::Drawn, 0.0f},
        {"a negative panel", {{"CutPlan/PanelLength", "-20"}}, CutOrder::Drawn, 0.0f},
        {"a panel beyond 50 m", {{"CutPlan/PanelLength", "1e9"}}, CutOrder::Drawn, 50000.0f},
        {"text for a panel", {{"CutPlan/PanelLength", "wide"}}, CutOrder::Drawn, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CallLog log;
        RecordingProfile profile(log, c.ini);
        CutPlanOptions options;
        options.Order = CutOrder::Inside;  // a stale value must not survive
        LoadCutPlanSettings(profile, options);
        EXPECT_EQ(options.Order, c.order);
        EXPECT_EQ(options.PanelLength, c.panel);
    }
}

TEST(CutPlanSettings, WhatIsSavedReadsBackTheSame) {
    CallLog log;
    RecordingProfile profile(log);
    SaveCutPlanSettings(profile, CutPlanOptions{CutOrder::Shortest, 1250.5f});
    CutPlanOptions read;
    LoadCutPlanSettings(profile, read);
    EXPECT_EQ(read.Order, CutOrder::Shortest);
    EXPECT_EQ(read.PanelLength, 1250.5f);
}

TEST(FileSettingsRules, OrderListAndLineTime) {
    for (int index = -1; index <= kCutOrderEntries; ++index) {
        const CutOrder order = CutOrderFromListIndex(index);
        EXPECT_EQ(CutOrderListIndex(order), index >= 0 && index < kCutOrderEntries ? index : 0);
    }
    struct Case {
        const char* label;
        std::optional<uint64_t> bytes;
        const char* shown;
    } cases[] = {
        {"size unknown", std::nullopt, "Line time: -"},
        {"nothing", 0, "Line time: 0:00"},
        {"one byte takes a whole second", 1, "Line time: 0:01"},
        {"exactly a minute", 3840 * 60, "Line time: 1:00"},
        {"an hour and a bit", 3840ull * 3725, "Line time: 1:02:05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(LineTimeText("Line time: %s", c.bytes), c.shown);
    }
}

}  // namespace
}  // namespace tarnik
