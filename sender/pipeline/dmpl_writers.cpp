#include "sender/pipeline/dmpl_writers.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

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

// Appends one command made from a template rebuilt just before use. The
// longest command (four 11-character numbers and the text) fits 64 bytes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
void AppendFormatted(std::string& out, const char* format, ...) {
    char text[96];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length > 0) {
        out.append(text, static_cast<std::size_t>(length) < sizeof text
                             ? static_cast<std::size_t>(length)
                             : sizeof text - 1);
    }
}
#pragma GCC diagnostic pop

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

void AppendMove(std::string& out, int32_t x, int32_t y) {
    AppendFormatted(out, kMoveTemplate.Reveal(), static_cast<int>(x), static_cast<int>(y));
}

void AppendCut(std::string& out, int32_t x, int32_t y) {
    AppendFormatted(out, kCutTemplate.Reveal(), static_cast<int>(x), static_cast<int>(y));
}

void AppendCutEnd(std::string& out, int32_t x, int32_t y) {
    AppendFormatted(out, kCutEndTemplate.Reveal(), static_cast<int>(x), static_cast<int>(y));
}

void AppendContinue(std::string& out, int32_t x, int32_t y) {
    AppendFormatted(out, kContinueTemplate.Reveal(), static_cast<int>(x), static_cast<int>(y));
}

void AppendMarkHeader(std::string& out, const MarkHeaderValues& values) {
    AppendFormatted(out, kMarkHeaderTemplate.Reveal(), static_cast<int>(values.height_span),
                    static_cast<int>(values.width_span), static_cast<int>(values.param_a),
                    static_cast<int>(values.param_b));
}

void AppendPlainPath(std::string& out, const CutPath& path) {
    const PathPoint* first = path.head;
    AppendMove(out, first->x, first->y);
    const PathPoint* second = first->next;
    if (second == nullptr) {
        return;
    }
    if (second->next == nullptr) {
        AppendCutEnd(out, second->x, second->y);
        return;
    }
    AppendCut(out, second->x, second->y);
    for (const PathPoint* p = second->next; p != nullptr; p = p->next) {
        AppendContinue(out, p->x, p->y);
    }
    out += kDmplPathEnd;
}

namespace {

float SegmentLength(const PathPoint& r, const PathPoint& q) {
    const int64_t dx = static_cast<int64_t>(q.x) - r.x;
    const int64_t dy = static_cast<int64_t>(q.y) - r.y;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

// Point at distance s - e from r towards q, truncated toward zero.
PathPoint ChangePoint(const PathPoint& r, const PathPoint& q, float s, float e) {
    const float g = (s - e) / e;
    PathPoint x;
    x.x = static_cast<int32_t>((g * static_cast<float>(q.x) + static_cast<float>(r.x)) / (g + 1));
    x.y = static_cast<int32_t>((g * static_cast<float>(q.y) + static_cast<float>(r.y)) / (g + 1));
    return x;
}

}  // namespace

void AppendDashedPath(std::string& out, CutPath& path, float solid_mm, float gap_mm) {
    const float solid = static_cast<float>(solid_mm * kUnitsPerMm);
    const float gap = static_cast<float>(gap_mm * kUnitsPerMm);
    if (!(solid > 0.0f) || !(gap > 0.0f)) {
        AppendPlainPath(out, path);
        return;
    }
    bool cutting = true;
    float target = solid;
    float accumulated = 0.0f;
    PathPoint* r = path.head;
    AppendMove(out, r->x, r->y);
    while (r->next != nullptr) {
        PathPoint* q = r->next;
        const float s = SegmentLength(*r, *q);
        if (s < kShortestDashedSegment) {
            AppendCutEnd(out, q->x, q->y);
            accumulated = 0.0f;
            r = q;
            continue;
        }
        accumulated += s;
        if (accumulated < target) {
            (cutting ? AppendCutEnd : AppendMove)(out, q->x, q->y);
            r = q;
            continue;
        }
        const float e = accumulated - target;
        PathPoint change = *q;
        if (e != 0.0f) {
            change = ChangePoint(*r, *q, s, e);
        }
        if (e == 0.0f || (change.x == r->x && change.y == r->y)) {
            // The change falls on q, or a dash shorter than one plotter unit
            // truncates back onto r: end the state at q so the walk advances.
            change = *q;
            r = q;
        } else {
            // The rest of the segment is measured again from the change point.
            r->x = change.x;
            r->y = change.y;
        }
        (cutting ? AppendCutEnd : AppendMove)(out, change.x, change.y);
        cutting = !cutting;
        target = cutting ? solid : gap;
        accumulated = 0.0f;
    }
}

void AppendDmplTrailer(std::string& out, const SenderSettings& settings) {
    if (settings.CanFeedPaper != 0) {
        AppendFormatted(out, "U0,0 GE; U%d,%d @", TruncatedUnits(settings.YSTEPS),
                        TruncatedUnits(settings.XSTEPS));
    } else {
        out += "U0,0 @";
    }
}

}  // namespace tarnik
