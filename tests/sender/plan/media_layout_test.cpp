// Placing a design on the media: turn, mirror, margins, copies, border, the
// width check and the refusals of options that make no job.
#include "sender/plan/media_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/sender/plan/layout_printing.h"

namespace tarnik {
namespace {

// 10 units a millimetre keeps the expected figures readable.
constexpr double kUnits = 10.0;
// 30 mm along the feed, 20 mm across.
constexpr LayoutBox kDesign{0, 0, 300, 200};
constexpr LayoutPoint kProbe{100, 50};

struct PlacementCase {
    const char* label;
    LayoutBox design;
    MediaLayoutOptions options;
    bool turned;
    int32_t columns;
    int32_t rows;
    LayoutPoint first_probe;  // kProbe in the first copy
    LayoutPoint last_probe;   // kProbe in the last copy
    LayoutBox job;
};

MediaLayoutOptions With(void (*change)(MediaLayoutOptions&)) {
    MediaLayoutOptions options;
    change(options);
    return options;
}

TEST(MediaLayoutPlacement, PlacesEveryCopyOfTheDesign) {
    const PlacementCase cases[] = {
        {"nothing asked", kDesign, {}, false, 1, 1, {100, 50}, {100, 50}, {0, 0, 300, 200}},
        {"mirror: across becomes the width minus across",
         kDesign,
         With([](MediaLayoutOptions& o) { o.Mirror = true; }),
         false,
         1,
         1,
         {100, 150},
         {100, 150},
         {0, 0, 300, 200}},
        {"quarter turn",
         kDesign,
         With([](MediaLayoutOptions& o) { o.Rotate = RotateChoice::Quarter; }),
         true,
         1,
         1,
         {50, 200},
         {50, 200},
         {0, 0, 200, 300}},
        {"mirrored as drawn, then turned",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.Mirror = true;
             o.Rotate = RotateChoice::Quarter;
         }),
         true,
         1,
         1,
         {150, 200},
         {150, 200},
         {0, 0, 200, 300}},
        {"left margin across, top margin along the feed",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.MarginLeft = 5;
             o.MarginTop = 7;
         }),
         false,
         1,
         1,
         {170, 100},
         {170, 100},
         {70, 50, 370, 250}},
        {"copies across as far as the media holds, then along",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.MediaWidth = 50;
             o.Copies = 5;
             o.CopyGap = 2;
         }),
         false,
         2,
         3,
         {100, 50},
         {740, 50},
         {0, 0, 940, 420}},
        {"media not known: copies along the feed",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.Copies = 3;
             o.CopyGap = 1;
         }),
         false,
         1,
         3,
         {100, 50},
         {720, 50},
         {0, 0, 920, 200}},
        {"border around all copies, room for it left on the media",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.MediaWidth = 48;
             o.Copies = 2;
             o.CopyGap = 2;
             o.WeedBorder = 3;
         }),
         false,
         2,
         1,
         {130, 80},
         {130, 300},
         {0, 0, 360, 480}},
        {"border leaves no room for a second column",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.MediaWidth = 47;
             o.Copies = 2;
             o.CopyGap = 2;
             o.WeedBorder = 3;
         }),
         false,
         1,
         2,
         {130, 80},
         {450, 80},
         {0, 0, 680, 260}},
        {"automatic: the long side goes along the feed",
         {0, 0, 100, 300},
         With([](MediaLayoutOptions& o) { o.Rotate = RotateChoice::Automatic; }),
         true,
         1,
         1,
         {100, 50},
         {100, 50},
         {0, 0, 300, 100}},
        {"automatic: a job that fits as it lies and runs along stays",
         kDesign,
         With([](MediaLayoutOptions& o) {
             o.Rotate = RotateChoice::Automatic;
             o.MediaWidth = 45;
             o.Copies = 2;
             o.CopyGap = 1;
         }),
         false,
         2,
         1,
         {100, 50},
         {100, 260},
         {0, 0, 300, 410}},
        {"automatic: a job that fits only turned is turned",
         {0, 0, 200, 300},
         With([](MediaLayoutOptions& o) {
             o.Rotate = RotateChoice::Automatic;
             o.MediaWidth = 25;
         }),
         true,
         1,
         1,
         {100, 150},
         {100, 150},
         {0, 0, 300, 200}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.label);
        MediaLayout layout;
        LayoutFigures figures;
        ASSERT_EQ(PlanMediaLayout(c.design, c.options, kUnits, layout, figures),
                  LayoutProblem::None);
        EXPECT_EQ(layout.turned, c.turned);
        EXPECT_EQ(layout.columns, c.columns);
        EXPECT_EQ(layout.rows, c.rows);
        ASSERT_EQ(layout.copies.size(), static_cast<std::size_t>(c.options.Copies));
        const LayoutPoint probe = c.design.max_y == 300 ? LayoutPoint{50, 100} : kProbe;
        EXPECT_EQ(layout.copies.front().Apply(probe), c.first_probe);
        EXPECT_EQ(layout.copies.back().Apply(probe), c.last_probe);
        EXPECT_EQ(layout.job.min_x, c.job.min_x);
        EXPECT_EQ(layout.job.min_y, c.job.min_y);
        EXPECT_EQ(layout.job.max_x, c.job.max_x);
        EXPECT_EQ(layout.job.max_y, c.job.max_y);
        EXPECT_FALSE(layout.Tiled());
    }
}

struct ProblemCase {
    const char* label;
    LayoutBox design;
    MediaLayoutOptions options;
    LayoutProblem problem;
    const char* message_part;
};

TEST(MediaLayoutProblems, RefusesWithAMessageThatSaysWhy) {
    const ProblemCase cases[] = {
        {"no copies", kDesign, With([](MediaLayoutOptions& o) { o.Copies = 0; }),
         LayoutProblem::BadCopies, "copies"},
        {"copies without a gap", kDesign, With([](MediaLayoutOptions& o) {
             o.Copies = 2;
             o.CopyGap = 0;
         }),
         LayoutProblem::BadCopyGap, "more than 0 mm"},
        {"a negative gap", kDesign, With([](MediaLayoutOptions& o) {
             o.Copies = 2;
             o.CopyGap = -1;
         }),
         LayoutProblem::BadCopyGap, "gap"},
        {"a negative border", kDesign, With([](MediaLayoutOptions& o) { o.WeedBorder = -2; }),
         LayoutProblem::BadWeedBorder, "border"},
        {"weed lines without a border", kDesign,
         With([](MediaLayoutOptions& o) { o.WeedLines = 10; }),
         LayoutProblem::WeedLinesWithoutBorder, "border"},
        {"weed lines too close", kDesign, With([](MediaLayoutOptions& o) {
             o.WeedBorder = 5;
             o.WeedLines = 0.5;
         }),
         LayoutProblem::BadWeedSpacing, "1 mm"},
        {"weed lines with no gap to the design", kDesign, With([](MediaLayoutOptions& o) {
             o.WeedBorder = 5;
             o.WeedLines = 10;
             o.WeedGap = 0;
         }),
         LayoutProblem::BadWeedGap, "gap"},
        {"strips without a media width", kDesign,
         With([](MediaLayoutOptions& o) { o.TileOverlap = 10; }), LayoutProblem::TilingWithoutMedia,
         "media width"},
        {"media narrower than the smallest strip", kDesign, With([](MediaLayoutOptions& o) {
             o.MediaWidth = 20;
             o.MarginLeft = 5;
             o.TileOverlap = 10;
         }),
         LayoutProblem::MediaTooNarrow, "(20.0 mm) is narrower than the smallest strip: 25.0 mm"},
        {"too wide, no strips", kDesign, With([](MediaLayoutOptions& o) { o.MediaWidth = 15; }),
         LayoutProblem::JobTooWide, "The job is 20.0 mm wide but the media only 15.0 mm"},
        {"too wide with its margin and border", kDesign, With([](MediaLayoutOptions& o) {
             o.MediaWidth = 25;
             o.MarginLeft = 5;
             o.WeedBorder = 1;
         }),
         LayoutProblem::JobTooWide, "27.0 mm wide"},
        {"too wide even turned", kDesign, With([](MediaLayoutOptions& o) {
             o.MediaWidth = 15;
             o.Rotate = RotateChoice::Automatic;
         }),
         LayoutProblem::JobTooWide, "20.0 mm"},
        {"a banner of hundreds of strips",
         {0, 0, 100, 100000},
         With([](MediaLayoutOptions& o) {
             o.MediaWidth = 20;
             o.TileOverlap = 5;
         }),
         LayoutProblem::TooManyStrips,
         "200 strips"},
        {"a media width that is not a number", kDesign,
         With([](MediaLayoutOptions& o) { o.MediaWidth = std::nan(""); }),
         LayoutProblem::BadMediaWidth, "media width"},
        {"copies beyond the coordinate range",
         {0, 0, 3000000, 100},
         With([](MediaLayoutOptions& o) {
             o.Copies = 1000;
             o.CopyGap = 1;
         }),
         LayoutProblem::JobTooLarge,
         "coordinate range"},
    };
    for (const ProblemCase& c : cases) {
        SCOPED_TRACE(c.label);
        MediaLayout layout;
        LayoutFigures figures;
        EXPECT_EQ(PlanMediaLayout(c.design, c.options, kUnits, layout, figures), c.problem);
        EXPECT_NE(DescribeLayoutProblem(c.problem, figures).find(c.message_part), std::string::npos)
            << DescribeLayoutProblem(c.problem, figures);
    }
}

// 100 mm across on media of 40 mm with 10 mm of overlap: strips advance 30
// mm, so three strips, each as wide as the media.
TEST(MediaLayoutStrips, CutsAJobTooWideInOverlappingStrips) {
    MediaLayoutOptions options;
    options.MediaWidth = 40;
    options.TileOverlap = 10;
    MediaLayout layout;
    LayoutFigures figures;
    ASSERT_EQ(PlanMediaLayout({0, 0, 300, 1000}, options, kUnits, layout, figures),
              LayoutProblem::None);
    struct Expected {
        const char* label;
        int64_t from_y, to_y, shift_y;
        std::vector<int64_t> ticks;
    };
    const Expected strips[] = {
        {"first", 0, 400, 0, {300, 400}},
        {"middle", 300, 700, -300, {300, 400, 600, 700}},
        {"last", 600, 1000, -600, {600, 700}},
    };
    ASSERT_EQ(layout.strips.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(strips[i].label);
        EXPECT_EQ(layout.strips[i].from_y, strips[i].from_y);
        EXPECT_EQ(layout.strips[i].to_y, strips[i].to_y);
        EXPECT_EQ(layout.strips[i].shift_y, strips[i].shift_y);
        EXPECT_EQ(layout.strips[i].tick_y, strips[i].ticks);
    }
    // The ticks sit clear of the design above and below it: the design
    // starts below the tick band.
    EXPECT_EQ(layout.copies.front().Apply({0, 0}), (LayoutPoint{70, 0}));
    EXPECT_EQ(layout.tick_top_x, 0);
    EXPECT_EQ(layout.tick_bottom_x, 390);
    EXPECT_EQ(layout.job.max_x, 440);
}

}  // namespace
}  // namespace tarnik
