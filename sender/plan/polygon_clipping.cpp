#include "sender/plan/polygon_clipping.h"

#include <clipper.hpp>

namespace tarnik {
namespace {

using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

Path ToClipperPath(const Polyline& line, bool drop_closing_point) {
    Path path;
    const std::size_t count = drop_closing_point && IsClosed(line) ? line.size() - 1 : line.size();
    path.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        path.emplace_back(line[i].x, line[i].y);
    }
    return path;
}

Polyline FromClipperPath(const Path& path) {
    Polyline line;
    line.reserve(path.size() + 1);
    for (const IntPoint& p : path) {
        line.push_back(LayoutPoint{p.X, p.Y});
    }
    if (!line.empty()) {
        line.push_back(line.front());
    }
    return line;
}

// Each closed path as simple polygons that all wind the same way, so that
// the offset's union (which fills what winds positively) covers every part
// of every outline whatever direction the drawing program wrote it in.
void AddFilledOutlines(const std::vector<Polyline>& closed_paths,
                       ClipperLib::ClipperOffset& offset) {
    Paths simple;
    for (const Polyline& line : closed_paths) {
        const Path path = ToClipperPath(line, true);
        if (path.size() < 3) {
            offset.AddPath(path, ClipperLib::jtRound, ClipperLib::etOpenRound);
            continue;
        }
        simple.clear();
        ClipperLib::SimplifyPolygon(path, simple, ClipperLib::pftNonZero);
        for (Path& piece : simple) {
            if (!ClipperLib::Orientation(piece)) {
                ClipperLib::ReversePath(piece);
            }
        }
        offset.AddPaths(simple, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
        // The outline itself too: the knife cuts every edge, also those
        // the fill drops (a spike, a path that doubles back on itself).
        offset.AddPath(path, ClipperLib::jtRound, ClipperLib::etClosedLine);
    }
}

}  // namespace

bool BuildKeepOutRegion(const std::vector<Polyline>& closed_paths,
                        const std::vector<Polyline>& open_paths, int64_t distance,
                        double arc_tolerance, std::vector<Polyline>& keep_out) {
    keep_out.clear();
    try {
        ClipperLib::ClipperOffset offset(2.0, arc_tolerance);
        AddFilledOutlines(closed_paths, offset);
        for (const Polyline& line : open_paths) {
            offset.AddPath(ToClipperPath(line, false), ClipperLib::jtRound,
                           ClipperLib::etOpenRound);
        }
        Paths grown;
        offset.Execute(grown, static_cast<double>(distance));
        keep_out.reserve(grown.size());
        for (const Path& path : grown) {
            keep_out.push_back(FromClipperPath(path));
        }
        return true;
    } catch (const ClipperLib::clipperException&) {
        keep_out.clear();
        return false;
    }
}

bool SegmentsOutsideRegion(const std::vector<LayoutSegment>& segments,
                           const std::vector<Polyline>& region,
                           std::vector<LayoutSegment>& pieces) {
    pieces.clear();
    try {
        ClipperLib::Clipper clipper;
        for (const LayoutSegment& segment : segments) {
            // With its middle point given too: the library (6.4.2) loses a
            // lone two-point open path that no other edge meets.
            const Path line{IntPoint(segment.a.x, segment.a.y),
                            IntPoint(segment.a.x + (segment.b.x - segment.a.x) / 2,
                                     segment.a.y + (segment.b.y - segment.a.y) / 2),
                            IntPoint(segment.b.x, segment.b.y)};
            clipper.AddPath(line, ClipperLib::ptSubject, false);
        }
        for (const Polyline& outline : region) {
            const Path path = ToClipperPath(outline, true);
            if (path.size() >= 3) {
                clipper.AddPath(path, ClipperLib::ptClip, true);
            }
        }
        ClipperLib::PolyTree tree;
        clipper.Execute(ClipperLib::ctDifference, tree, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        Paths open;
        ClipperLib::OpenPathsFromPolyTree(tree, open);
        pieces.reserve(open.size());
        for (const Path& path : open) {
            // A piece of a straight segment is straight: its two ends are
            // all there is to it, whatever points the library kept between.
            if (path.size() >= 2) {
                pieces.push_back(LayoutSegment{LayoutPoint{path.front().X, path.front().Y},
                                               LayoutPoint{path.back().X, path.back().Y}});
            }
        }
        return true;
    } catch (const ClipperLib::clipperException&) {
        pieces.clear();
        return false;
    }
}

}  // namespace tarnik
