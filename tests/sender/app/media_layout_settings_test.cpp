// The media keys of the "CutPlan" section as both programs read and the job
// sender writes them.
#include "sender/app/media_layout_settings.h"

#include <gtest/gtest.h>

#include "sender/app/settings_fakes.h"

namespace tarnik {
namespace {

using testing::CallLog;
using testing::RecordingProfile;

TEST(MediaLayoutSettings, ReadsWhatTheFileHolds) {
    struct Case {
        const char* label;
        std::map<std::string, std::string> ini;
        RotateChoice rotate;
        int32_t copies;
        double border;
        WeedDirection direction;
    } cases[] = {
        {"no keys: nothing placed", {}, RotateChoice::None, 1, 0.0, WeedDirection::Both},
        {"turned automatically, twenty copies in a border",
         {{"CutPlan/Rotate", "-1"},
          {"CutPlan/Copies", "20"},
          {"CutPlan/WeedBorder", "5.5"},
          {"CutPlan/WeedDirection", "2"}},
         RotateChoice::Automatic,
         20,
         5.5,
         WeedDirection::Along},
        {"a turn the program does not know",
         {{"CutPlan/Rotate", "45"}},
         RotateChoice::None,
         1,
         0.0,
         WeedDirection::Both},
        // Kept as written, so that the job is refused with its message.
        {"no copies and a negative border",
         {{"CutPlan/Copies", "0"}, {"CutPlan/WeedBorder", "-3"}},
         RotateChoice::None,
         0,
         -3.0,
         WeedDirection::Both},
        {"text for a border",
         {{"CutPlan/WeedBorder", "wide"}},
         RotateChoice::None,
         1,
         0.0,
         WeedDirection::Both},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CallLog log;
        RecordingProfile profile(log, c.ini);
        MediaLayoutOptions options;
        options.Mirror = true;  // a stale value must not survive
        LoadMediaLayoutSettings(profile, options);
        EXPECT_FALSE(options.Mirror);
        EXPECT_EQ(options.Rotate, c.rotate);
        EXPECT_EQ(options.Copies, c.copies);
        EXPECT_EQ(options.WeedBorder, c.border);
        EXPECT_EQ(options.WeedLineDirection, c.direction);
    }
}

TEST(MediaLayoutSettings, WhatIsSavedReadsBackTheSame) {
    CallLog log;
    RecordingProfile profile(log);
    MediaLayoutOptions saved;
    saved.MediaWidth = 610.5;
    saved.Rotate = RotateChoice::Quarter;
    saved.Mirror = true;
    saved.Copies = 12;
    saved.CopyGap = 4.5;
    saved.WeedBorder = 6;
    saved.WeedLines = 25;
    saved.WeedLineDirection = WeedDirection::Across;
    saved.WeedGap = 1.5;
    saved.TileOverlap = 30;
    SaveMediaLayoutSettings(profile, saved);
    MediaLayoutOptions read;
    LoadMediaLayoutSettings(profile, read);
    EXPECT_EQ(read.MediaWidth, 610.5);
    EXPECT_EQ(read.Rotate, RotateChoice::Quarter);
    EXPECT_TRUE(read.Mirror);
    EXPECT_EQ(read.Copies, 12);
    EXPECT_EQ(read.CopyGap, 4.5);
    EXPECT_EQ(read.WeedBorder, 6.0);
    EXPECT_EQ(read.WeedLines, 25.0);
    EXPECT_EQ(read.WeedLineDirection, WeedDirection::Across);
    EXPECT_EQ(read.WeedGap, 1.5);
    EXPECT_EQ(read.TileOverlap, 30.0);
}

}  // namespace
}  // namespace tarnik
