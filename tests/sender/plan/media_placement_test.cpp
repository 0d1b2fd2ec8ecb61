// The media layout inside the job plan: each copy's placement moves points
// as the layout does, and a strip of a tiled job hands out only what lies
// on its media, then its ticks, whether or not the plan passes over the
// paths outside it.
#include "sender/plan/media_placement.h"

#include <gtest/gtest.h>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/fakes/job_rig.h"
#include "sender/pipeline/job_start.h"
#include "sender/plan/planned_path_source.h"
#include "sender/plan/strip_path_source.h"
#include "tests/sender/plan/layout_printing.h"

namespace tarnik {
namespace {

TEST(MediaPlacement, EachCopysPlacementMovesPointsAsTheLayoutDoes) {
    const LayoutPoint probes[] = {{157, 20}, {4567, 9134}, {2000, 3000}, {157, 9134}};
    for (const bool mirror : {false, true}) {
        for (const bool turn : {false, true}) {
            SCOPED_TRACE(std::string(mirror ? "mirrored" : "as drawn") + (turn ? ", turned" : ""));
            const CopyTransform copy{mirror, turn, LayoutBox{157, 20, 4567, 9134}, {300, 700}};
            Placement placement;
            ASSERT_TRUE(ToPlacement(copy, placement));
            for (const LayoutPoint& p : probes) {
                const PlanPoint placed = placement.Apply(
                    PlanPoint{static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)});
                EXPECT_EQ((LayoutPoint{placed.x, placed.y}), copy.Apply(p));
            }
        }
    }
}

// The plan's paths as a source hands them out.
class ListedPaths : public PathSource {
  public:
    ListedPaths(std::vector<Polyline> paths, CutPath& path)
        : paths_(std::move(paths)), path_(path) {}
    Event Next() override {
        if (next_ == paths_.size())
            return Event::End;
        const Polyline& line = paths_[next_++];
        path_.Open(static_cast<int32_t>(line[0].x), static_cast<int32_t>(line[0].y));
        for (std::size_t k = 1; k < line.size(); ++k)
            path_.Append(static_cast<int32_t>(line[k].x), static_cast<int32_t>(line[k].y));
        return Event::PathReady;
    }
    char PenDigit() const override { return 0; }
    bool LineTypeHasNumber() const override { return false; }
    void SetLeaveOut(bool) override {}
    int32_t FeedX() const override { return 0; }

  private:
    std::vector<Polyline> paths_;
    std::size_t next_ = 0;
    CutPath& path_;
};

TEST(StripPathSource, HandsOutTheStripMovedOntoTheMediaThenItsTicks) {
    MediaLayout layout;
    layout.tick_top_x = 0;
    layout.tick_bottom_x = 500;
    layout.tick_length = 50;
    const MediaStrip strip{300, 700, -300, {300, 400}};
    CutPath path;
    ListedPaths inner({{{100, 0}, {100, 1000}}, {{200, 350}, {250, 350}}, {{300, 0}, {300, 200}}},
                      path);
    StripPathSource source(inner, path, layout, strip);
    std::vector<Polyline> handed_out;
    while (source.Next() == PathSource::Event::PathReady) {
        Polyline line;
        for (const PathPoint* p = path.head; p != nullptr; p = p->next)
            line.push_back({p->x, p->y});
        handed_out.push_back(line);
        path.Release();
    }
    const std::vector<Polyline> expected = {
        {{100, 0}, {100, 400}},  // cut at both edges, moved across by -300
        {{200, 50}, {250, 50}},  // wholly inside
        {{0, 0}, {50, 0}},       // the ticks: above and below the job at 300
        {{500, 0}, {550, 0}},     {{0, 100}, {50, 100}},  // and at 400
        {{500, 100}, {550, 100}},
    };
    EXPECT_EQ(handed_out, expected);
}

// A source that knows nothing of a strip's band: every path is loaded.
class Unbanded : public PathSource {
  public:
    explicit Unbanded(PathSource& inner) : inner_(inner) {}
    Event Next() override { return inner_.Next(); }
    char PenDigit() const override { return inner_.PenDigit(); }
    bool LineTypeHasNumber() const override { return inner_.LineTypeHasNumber(); }
    void SetLeaveOut(bool leave_out) override { inner_.SetLeaveOut(leave_out); }
    int32_t FeedX() const override { return inner_.FeedX(); }

  private:
    PathSource& inner_;
};

// Every event of a strip as text, its paths' points, and FeedX at the end.
std::string StripEvents(PathSource& planned, CutPath& path, bool banded) {
    MediaLayout layout;
    layout.tick_bottom_x = 9000;
    layout.tick_length = 50;
    const MediaStrip strip{2000, 3000, -2000, {2000}};
    Unbanded unbanded(planned);
    StripPathSource source(banded ? planned : unbanded, path, layout, strip);
    std::string events;
    for (PathSource::Event e = source.Next(); e != PathSource::Event::End; e = source.Next()) {
        if (e == PathSource::Event::LineType)
            events += source.LineTypeHasNumber() ? "LT2 " : "LT ";
        if (e != PathSource::Event::PathReady)
            continue;
        for (const PathPoint* p = path.head; p != nullptr; p = p->next)
            events += std::to_string(p->x) + "," + std::to_string(p->y) + " ";
        events += "| ";
        path.Release();
    }
    return events + "feed " + std::to_string(source.FeedX());
}

TEST(StripPathSource, PathsPassedOverOutsideTheStripChangeNothingHandedOut) {
    // Dashed and plain paths inside, across and outside the strip, each
    // cut as drawn and turned (x = 5000 - y, y = x) with a reversed step.
    const std::vector<std::pair<Polyline, bool>> drawn = {
        {{{0, 100}, {8000, 100}, {8000, 200}}, false},  // outside as drawn, across turned
        {{{100, 2500}, {900, 2600}}, true},             // inside as drawn
        {{{7000, 1000}, {7500, 4000}}, false},          // across as drawn
        {{{50, 4100}, {60, 4900}, {50, 4100}}, true},   // outside both ways
        {{{2100, 2100}, {2900, 2900}}, false},          // inside both ways
    };
    for (const bool hpgl : {false, true}) {
        SCOPED_TRACE(hpgl ? "HPGL frame, scaled feed" : "plotter units");
        JobPlan plan;
        CutPath path;
        for (const auto& [line, dashed] : drawn) {
            path.Open(static_cast<int32_t>(line[0].x), static_cast<int32_t>(line[0].y));
            for (std::size_t k = 1; k < line.size(); ++k)
                path.Append(static_cast<int32_t>(line[k].x), static_cast<int32_t>(line[k].y));
            ASSERT_TRUE(plan.index.AddPath(path, dashed));
            path.Release();
        }
        plan.placements.push_back(Placement{0, -1, 1, 0, 5000, 0});
        for (uint32_t i = 0; i < plan.index.PathCount(); ++i) {
            plan.steps.push_back(PlanStep{i, 0, false});
            plan.steps.push_back(PlanStep{i, 1, i % 2 == 0});
        }
        PlotMapping mapping;
        mapping.hpgl_scale = hpgl;
        mapping.YSizeRedeem = 0.7f;
        PlannedPathSource all(plan, path, mapping);
        const std::string expected = StripEvents(all, path, false);
        PlannedPathSource banded(plan, path, mapping);
        EXPECT_EQ(StripEvents(banded, path, true), expected);
    }
}

// A design 4000 units (127 mm) across.
constexpr char kWideDesign[] = "IN;SP1;PU0,0;PD4000,0;PD4000,1000;PD0,1000;PD0,0;";

TEST(MediaPlacementJob, ARefusedOrUnrunnableLayoutSendsNothing) {
    struct Case {
        const char* label;
        double media;
        double overlap;
        bool strip_run;
        JobOutcome outcome;
        const char* message;
    } cases[] = {
        {"too wide", 100, 0, false, JobOutcome::NotSent,
         "message:The job is 127.0 mm wide but the media only 100.0 mm"},
        {"strips where strips are not run", 100, 10, false, JobOutcome::NotSent,
         "message:This job is wider than the media and must be cut in strips"},
        {"strips run one after another", 100, 10, true, JobOutcome::Encoded, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        testing::JobRig rig;
        rig.job.mapping.YTop = 1000;
        rig.settings.CutPlan.Media.MediaWidth = c.media;
        rig.settings.CutPlan.Media.TileOverlap = c.overlap;
        if (c.strip_run)
            rig.job.KeptStripPlan = MakeStripPlanKeeper();
        const std::string plot = rig.Plot(kWideDesign);
        EXPECT_EQ(EncodeDmplJob(plot.c_str(), rig.job), c.outcome);
        const std::string calls = ::testing::PrintToString(rig.view.calls);
        EXPECT_NE(calls.find(c.message), std::string::npos) << calls;
        EXPECT_EQ(rig.job.StripCount, c.overlap > 0 ? 2 : 1);
        EXPECT_EQ(rig.handover.SerialBytes().empty(), !c.strip_run);
    }
}

}  // namespace
}  // namespace tarnik
