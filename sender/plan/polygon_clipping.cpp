#include "sender/plan/polygon_clipping.h"

#include <clipper.hpp>
#include <cmath>

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

// Whether filling a closed path leaves some of its edges off the filled
// outline: it crosses itself (more pieces, or an area other than its own)
// or runs back along itself somewhere (a spike), which leaves the area as
// it is.
bool DropsEdgesWhenFilled(const Path& path, const Paths& filled) {
    if (filled.size() != 1)
        return true;
    const double own = std::fabs(ClipperLib::Area(path));
    if (std::fabs(std::fabs(ClipperLib::Area(filled.front())) - own) > 1e-9 * own + 0.5)
        return true;
    const std::size_t n = path.size();
    for (std::size_t i = 0; i < n; ++i) {
        const IntPoint& a = path[(i + n - 1) % n];
        const IntPoint& b = path[i];
        const IntPoint& c = path[(i + 1) % n];
        const double cross = static_cast<double>(b.X - a.X) * static_cast<double>(c.Y - b.Y) -
                             static_cast<double>(b.Y - a.Y) * static_cast<double>(c.X - b.X);
        const double dot = static_cast<double>(b.X - a.X) * static_cast<double>(c.X - b.X) +
                           static_cast<double>(b.Y - a.Y) * static_cast<double>(c.Y - b.Y);
        if (cross == 0.0 && dot < 0.0)
            return true;
    }
    return false;
}

// Grows one path at a time and keeps every grown outline as it is: the
// clipping of the weed lines counts a point as kept out when any outline
// holds it, so the outlines need no union of their own (which the library
// does slowly for thousands of touching outlines).
class KeepOutBuilder {
  public:
    KeepOutBuilder(double distance, std::vector<Polyline>& keep_out)
        : distance_(distance), keep_out_(keep_out) {}

    // A closed path filled: as simple polygons that all wind one way, so that
    // the grown outline covers every part of it whatever direction the
    // drawing program wrote it in. A path that crosses or touches itself
    // also has its outline grown as a line, for the edges the fill drops (a
    // spike, a path that doubles back on itself).
    void AddClosed(const Path& path) {
        if (path.size() < 3) {
            Grow(path, ClipperLib::etOpenSquare);
            return;
        }
        simple_.clear();
        ClipperLib::SimplifyPolygon(path, simple_, ClipperLib::pftNonZero);
        for (Path& piece : simple_) {
            if (!ClipperLib::Orientation(piece))
                ClipperLib::ReversePath(piece);
            Grow(piece, ClipperLib::etClosedPolygon);
        }
        if (DropsEdgesWhenFilled(path, simple_))
            Grow(path, ClipperLib::etClosedLine);
    }
    void AddOpen(const Path& path) { Grow(path, ClipperLib::etOpenSquare); }

  private:
    // Square corners and ends lie at the distance or beyond it, never
    // inside it as the chords of round ones do.
    void Grow(const Path& path, ClipperLib::EndType end) {
        offset_.Clear();
        offset_.AddPath(path, ClipperLib::jtSquare, end);
        grown_.clear();
        offset_.Execute(grown_, distance_);
        for (const Path& outline : grown_) {
            keep_out_.push_back(FromClipperPath(outline));
        }
    }

    double distance_;
    std::vector<Polyline>& keep_out_;
    ClipperLib::ClipperOffset offset_;
    Paths simple_;
    Paths grown_;
};

}  // namespace

bool BuildKeepOutRegion(const std::vector<Polyline>& closed_paths,
                        const std::vector<Polyline>& open_paths, int64_t distance,
                        std::vector<Polyline>& keep_out) {
    keep_out.clear();
    try {
        KeepOutBuilder builder(static_cast<double>(distance), keep_out);
        for (const Polyline& line : closed_paths) {
            builder.AddClosed(ToClipperPath(line, true));
        }
        for (const Polyline& line : open_paths) {
            builder.AddOpen(ToClipperPath(line, false));
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
