#include "sender/pipeline/dmpl_writers.h"

#include <cmath>
#include <string_view>

#include "sender/pipeline/scrambled_literal.h"

namespace tarnik {

namespace {

// The command templates, held scrambled in the program image.
constexpr auto kMoveTemplate = Scramble("U%d,%d ");
constexpr auto kCutTemplate = Scramble("D%d,%d");
constexpr auto kCutEndTemplate = Scramble("D%d,%d ");
constexpr auto kContinueTemplate = Scramble(",%d,%d");
constexpr auto kMarkHeaderTemplate = Scramble("MK%d,%d,%d,%d ");

constexpr double kUnitsPerMm = 31.496;
// Segments shorter than 0.2 mm are cut whole in dashed paths: a dash that
// short would not show.
constexpr double kShortestDashedSegment = 6.2992000938653945;

// A length in millimetres as whole plotter units, truncated toward zero and
// held inside the 32-bit range.
int TruncatedUnits(float mm) {
    const double units = mm * kUnitsPerMm;
    if (!(units > -2147483648.0)) {
        return units != units ? 0 : -2147483647 - 1;
    }
    if (units >= 2147483647.0) {
        return 2147483647;
    }
    return static_cast<int>(units);
}

}  // namespace

// Each template is rebuilt into a local buffer only here, once per job, and
// taken apart at once; the revealed text does not outlive this constructor.
DmplWriter::DmplWriter()
    : move_(kMoveTemplate.Reveal()),
      cut_(kCutTemplate.Reveal()),
      cut_end_(kCutEndTemplate.Reveal()),
      continue_(kContinueTemplate.Reveal()),
      mark_header_(kMarkHeaderTemplate.Reveal()) {}

void DmplWriter::Move(CommandOutput& out, int32_t x, int32_t y) const {
    move_.Render(out, x, y);
}

void DmplWriter::Cut(CommandOutput& out, int32_t x, int32_t y) const {
    cut_.Render(out, x, y);
}

void DmplWriter::CutEnd(CommandOutput& out, int32_t x, int32_t y) const {
    cut_end_.Render(out, x, y);
}

void DmplWriter::Continue(CommandOutput& out, int32_t x, int32_t y) const {
    continue_.Render(out, x, y);
}

void DmplWriter::MarkHeader(CommandOutput& out, const MarkHeaderValues& values) const {
    const int32_t numbers[4] = {values.height_span, values.width_span, values.param_a,
                                values.param_b};
    mark_header_.Render(out, numbers, 4);
}

void DmplWriter::PlainPath(CommandOutput& out, const CutPath& path) const {
    const PathPoint* first = path.head;
    Move(out, first->x, first->y);
    const PathPoint* second = first->next;
    if (second == nullptr) {
        return;
    }
    if (second->next == nullptr) {
        CutEnd(out, second->x, second->y);
        return;
    }
    Cut(out, second->x, second->y);
    continue_.RenderEach(out, second->next);
    out.Append(kDmplPathEnd, sizeof kDmplPathEnd - 1);
}

namespace {

// In double: a difference of two plotter coordinates takes up to 33 bits,
// and its square overflows 64-bit integers.
float SegmentLength(const PathPoint& r, const PathPoint& q) {
    const double dx = static_cast<double>(q.x) - r.x;
    const double dy = static_cast<double>(q.y) - r.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// Point at distance s - e from r towards q, truncated toward zero: the
// point (g q + r) / (g + 1) with the ratio g held as a 32-bit float. A float
// carries only 24 bits, so plotter coordinates (up to 31 bits) are worked in
// double, as r + (q - r) g / (g + 1): a coordinate that r and q share comes
// out exactly, and a cut along an axis stays on its line.
PathPoint ChangePoint(const PathPoint& r, const PathPoint& q, float s, float e) {
    const float g = (s - e) / e;
    const double along = static_cast<double>(g) / (static_cast<double>(g) + 1.0);
    PathPoint x;
    x.x = static_cast<int32_t>(r.x + (static_cast<double>(q.x) - r.x) * along);
    x.y = static_cast<int32_t>(r.y + (static_cast<double>(q.y) - r.y) * along);
    return x;
}

bool SamePoint(const PathPoint& a, const PathPoint& b) {
    return a.x == b.x && a.y == b.y;
}

// Whether a dash or gap of the given length, started afresh at r, ends on
// r itself once truncated: a length of under a unit or so along r -> q.
bool EndsOnItsStart(const PathPoint& r, const PathPoint& q, float s, float length) {
    const float e = s - length;
    return e > 0.0f && SamePoint(ChangePoint(r, q, s, e), r);
}

}  // namespace

void DmplWriter::DashedPath(CommandOutput& out, CutPath& path, float solid_mm, float gap_mm) const {
    const float solid = static_cast<float>(solid_mm * kUnitsPerMm);
    const float gap = static_cast<float>(gap_mm * kUnitsPerMm);
    if (!(solid > 0.0f) || !(gap > 0.0f)) {
        PlainPath(out, path);
        return;
    }
    bool cutting = true;
    float target = solid;
    float accumulated = 0.0f;
    PathPoint* r = path.head;
    Move(out, r->x, r->y);
    // A dashed path makes a command per dash, unbounded by the plot file's
    // size: once the work file refuses text the rest is not put down.
    while (r->next != nullptr && !out.Refused()) {
        PathPoint* q = r->next;
        const float s = SegmentLength(*r, *q);
        if (s < kShortestDashedSegment) {
            CutEnd(out, q->x, q->y);
            accumulated = 0.0f;
            r = q;
            continue;
        }
        accumulated += s;
        if (accumulated < target) {
            (cutting ? cut_end_ : move_).Render(out, q->x, q->y);
            r = q;
            continue;
        }
        const float e = accumulated - target;
        PathPoint change = *q;
        if (e != 0.0f) {
            change = ChangePoint(*r, *q, s, e);
        }
        // A change point that truncates back onto r is written there, and
        // the next state is measured from r again. Only when a whole dash
        // and a whole gap both end on r would the walk turn on the spot for
        // ever: then the state ends at q instead.
        const bool stalls = SamePoint(change, *r) && EndsOnItsStart(*r, *q, s, solid) &&
                            EndsOnItsStart(*r, *q, s, gap);
        if (e == 0.0f || stalls) {
            change = *q;
            r = q;
        } else {
            // The rest of the segment is measured again from the change point.
            r->x = change.x;
            r->y = change.y;
        }
        (cutting ? cut_end_ : move_).Render(out, change.x, change.y);
        cutting = !cutting;
        target = cutting ? solid : gap;
        accumulated = 0.0f;
    }
}

void AppendDmplTrailer(CommandOutput& out, const SenderSettings& settings) {
    if (settings.CanFeedPaper != 0) {
        // "U0,0 GE; U<YSTEPS>,<XSTEPS> @", the feed in whole plotter units.
        out.Append(std::string_view("U0,0 GE; U"));
        out.AppendNumber(TruncatedUnits(settings.YSTEPS));
        out.Append(std::string_view(","));
        out.AppendNumber(TruncatedUnits(settings.XSTEPS));
        out.Append(std::string_view(" @"));
    } else {
        out.Append(std::string_view("U0,0 @"));
    }
}

}  // namespace tarnik
