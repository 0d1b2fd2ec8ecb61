#include "sender/plan/media_placement.h"

#include <cmath>
#include <cstdint>

namespace tarnik {
namespace {

bool FitsInt32(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

LayoutBox DesignBox(const JobPlan& plan) {
    LayoutBox box;
    for (uint32_t i = 0; i < plan.index.PathCount(); ++i) {
        const PlanBox& b = plan.index.Path(i).box;
        box.Add(LayoutPoint{b.MinX, b.MinY});
        box.Add(LayoutPoint{b.MaxX, b.MaxY});
    }
    return box;
}

// The paths of the first copy as they are cut, for the weed lines.
void CollectFirstCopy(const JobPlan& plan, const Placement& first, WeedDesign& design) {
    Polyline line;
    for (uint32_t i = 0; i < plan.index.PathCount() && !design.Overflowed(); ++i) {
        const IndexedPath& path = plan.index.Path(i);
        line.clear();
        for (uint32_t k = 0; k < path.count; ++k) {
            const PlanPoint p = first.Apply(plan.index.PointOf(path, k));
            line.push_back(LayoutPoint{p.x, p.y});
        }
        design.Add(line);
    }
}

bool AddGeneratedStep(JobPlan& plan, const Polyline& line) {
    std::vector<PlanPoint> points;
    points.reserve(line.size());
    for (const LayoutPoint& p : line) {
        points.push_back(PlanPoint{static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)});
    }
    const uint32_t path = plan.index.PathCount();
    const bool closed = IsClosed(line);
    if (!plan.index.AddGeneratedPath(points.data(), static_cast<uint32_t>(points.size() - closed),
                                     closed))
        return false;
    plan.steps.push_back(PlanStep{path, 0, false});
    return true;
}

}  // namespace

std::string MediaPlacement::Message() const {
    if (problem != LayoutProblem::None)
        return DescribeLayoutProblem(problem, figures);
    switch (weeding) {
        case WeedOutcome::Done:
            break;
        case WeedOutcome::TooManyPoints:
            return "The design has too many points for weed lines (more than 2000000): cut it "
                   "without them.";
        case WeedOutcome::TooManyLines:
            return "The weed lines would be too many (more than 20000): space them wider.";
        case WeedOutcome::ClippingFailed:
            return "The weed lines could not be worked out for this design.";
    }
    return std::string();
}

bool ToPlacement(const CopyTransform& copy, Placement& placement) {
    const LayoutBox& d = copy.design;
    // across' = mirror ? max_y - y : y - min_y; along' = x - min_x; a turn
    // makes along' the old across and across' the length minus the old along.
    const int64_t across_sign = copy.mirror ? -1 : 1;
    const int64_t across_base = copy.mirror ? d.max_y : -d.min_y;
    int64_t xx = 1, xy = 0, dx = -d.min_x;
    int64_t yx = 0, yy = across_sign, dy = across_base;
    if (copy.turn) {
        xx = 0;
        xy = across_sign;
        dx = across_base;
        yx = -1;
        yy = 0;
        dy = d.max_x;
    }
    dx += copy.corner.x;
    dy += copy.corner.y;
    if (!FitsInt32(dx) || !FitsInt32(dy))
        return false;
    placement =
        Placement{static_cast<int32_t>(xx), static_cast<int32_t>(xy), static_cast<int32_t>(yx),
                  static_cast<int32_t>(yy), static_cast<int32_t>(dx), static_cast<int32_t>(dy)};
    return true;
}

void PlaceCopies(JobPlan& plan, const MediaLayoutOptions& options, double units_per_mm,
                 MediaPlacement& placement) {
    placement.problem = PlanMediaLayout(DesignBox(plan), options, units_per_mm, placement.layout,
                                        placement.figures);
    if (placement.problem != LayoutProblem::None)
        return;
    const uint32_t paths = plan.index.PathCount();
    // Placement 0 stays the identity: the weed lines and the border are
    // made where they are cut.
    plan.placements.assign(1, Placement{});
    plan.steps.clear();
    plan.steps.reserve(static_cast<std::size_t>(paths) * placement.layout.copies.size());
    for (const CopyTransform& copy : placement.layout.copies) {
        Placement placed;
        if (!ToPlacement(copy, placed)) {
            placement.problem = LayoutProblem::JobTooLarge;
            return;
        }
        const uint16_t which = static_cast<uint16_t>(plan.placements.size());
        plan.placements.push_back(placed);
        for (uint32_t i = 0; i < paths; ++i) {
            plan.steps.push_back(PlanStep{i, which, false});
        }
    }
}

void AddWeeding(JobPlan& plan, const MediaLayoutOptions& options, double units_per_mm,
                MediaPlacement& placement) {
    const MediaLayout& layout = placement.layout;
    if (!layout.has_border)
        return;
    if (options.WeedLines > 0.0) {
        WeedDesign design;
        CollectFirstCopy(plan, plan.placements[1], design);
        std::vector<LayoutPoint> shifts;
        for (const CopyTransform& copy : layout.copies) {
            shifts.push_back(LayoutPoint{copy.corner.x - layout.copies.front().corner.x,
                                         copy.corner.y - layout.copies.front().corner.y});
        }
        const WeedLineSettings settings{std::llround(options.WeedLines * units_per_mm),
                                        std::llround(options.WeedGap * units_per_mm),
                                        options.WeedLineDirection};
        std::vector<Polyline> lines;
        placement.weeding = PlanWeedLines(design, shifts, layout.border, settings, lines);
        if (placement.weeding != WeedOutcome::Done)
            return;
        for (const Polyline& line : lines) {
            if (!AddGeneratedStep(plan, line)) {
                placement.weeding = WeedOutcome::TooManyPoints;
                return;
            }
        }
    }
    const LayoutBox& b = layout.border;
    const Polyline border{{b.min_x, b.min_y},
                          {b.min_x, b.max_y},
                          {b.max_x, b.max_y},
                          {b.max_x, b.min_y},
                          {b.min_x, b.min_y}};
    if (!AddGeneratedStep(plan, border))
        placement.weeding = WeedOutcome::TooManyPoints;
}

}  // namespace tarnik
