// The job plan's cut order on generated designs and on plot files: knife
// travel as drawn, in the shortest order, and in a plain greedy
// nearest-path order computed here as the reference (open paths either way,
// closed paths from their start, no inside-first rule), with the planning
// time and the peak resident set size against the bound of 8 MB plus 32
// bytes per input point. Two more greedy figures put the reference in
// context: one keeping the inside-first rule, one that may start a closed
// path at any corner as the shortest order may.
//
//   bench_order generate N FILE    writes a sign-like design of N paths
//   bench_order plan FILE          plans FILE (shortest) and prints one line;
//                                  exit status 3 when the ordered travel is
//                                  above the plain greedy reference
//   bench_order plan-only FILE     plans FILE and prints nothing: for
//                                  profilers, without the references' scans
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "sender/plan/cut_order.h"
#include "sender/plan/nesting.h"
#include "sender/plan/plan_stage.h"

namespace {

using tarnik::PlanPoint;

constexpr double kUnitsPerMm = 800.0 / 25.4;
constexpr double kPi = 3.14159265358979323846;

// Letters of about 20 mm in rows, half of them with a counter, and open
// strokes between them, written in a shuffled order as a drawing program
// that keeps its objects in creation order may write them.
void Generate(int paths, const char* file) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::string> items;
    const int per_row = std::max(1, static_cast<int>(std::sqrt(paths * 2.0)));
    const int cell = 800;  // units: about 25 mm
    auto polygon = [&](double cx, double cy, double rx, double ry, int n, bool closed) {
        std::string text;
        for (int k = 0; k < n; ++k) {
            const double a = 2 * kPi * k / n;
            const int x = static_cast<int>(cx + rx * std::cos(a) + unit(rng) * 20);
            const int y = static_cast<int>(cy + ry * std::sin(a) + unit(rng) * 20);
            text += (k == 0 ? "PU" : "PD") + std::to_string(x) + "," + std::to_string(y) + ";";
        }
        if (closed) {
            const size_t start = text.find("PU") + 2;
            text += "PD" + text.substr(start, text.find(';') - start) + ";";
        }
        return text;
    };
    for (int made = 0, slot = 0; made < paths; ++slot) {
        const double cx = (slot % per_row) * cell + 400;
        const double cy = (slot / per_row) * cell * 1.3 + 400;
        const int kind = static_cast<int>(rng() % 4);
        if (kind == 3) {
            items.push_back(polygon(cx, cy, 250, 80, 2 + static_cast<int>(rng() % 5), false));
            ++made;
            continue;
        }
        std::string letter = polygon(cx, cy, 300, 380, 8 + static_cast<int>(rng() % 12), true);
        ++made;
        if (kind == 0 && made < paths) {
            letter += polygon(cx, cy, 120, 150, 6 + static_cast<int>(rng() % 6), true);
            ++made;
        }
        items.push_back(letter);
    }
    std::shuffle(items.begin(), items.end(), rng);
    FILE* out = std::fopen(file, "wb");
    if (out == nullptr) {
        std::perror(file);
        std::exit(1);
    }
    std::fputs("IN;SP1;", out);
    for (const std::string& item : items) std::fputs(item.c_str(), out);
    std::fputs("PU0,0;SP0;", out);
    std::fclose(out);
}

double Distance(PlanPoint a, PlanPoint b) {
    const double dx = static_cast<double>(a.x) - b.x, dy = static_cast<double>(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Squared distance from (x, y) to the box, 0 inside it: no corner of the
// path lies nearer.
float BoxDistance(const tarnik::PlanBox& box, float x, float y) {
    const float dx = std::max({static_cast<float>(box.MinX) - x, 0.0f, x - box.MaxX});
    const float dy = std::max({static_cast<float>(box.MinY) - y, 0.0f, y - box.MaxY});
    return dx * dx + dy * dy;
}

// The plain greedy reference: from (0, 0) always the nearest start (or end,
// of an open path) of the paths left, by a full scan. With nesting given,
// a closed path is taken only once everything inside it is cut (the same
// rule the order keeps). With any_corner, a closed path is entered (and
// left) at whichever of its corners lies nearest.
double GreedyReference(const tarnik::JobPlan& plan, const tarnik::Nesting* nesting,
                       bool any_corner = false) {
    struct Ends {
        float fx, fy, lx, ly;
        bool open;
        uint32_t step;
    };
    std::vector<Ends> left;
    std::vector<uint32_t> waiting(plan.steps.size(), 0);
    for (uint32_t i = 0; i < plan.steps.size(); ++i) {
        const tarnik::PlanStep& step = plan.steps[i];
        const PlanPoint f = plan.Entry(step), l = plan.Exit(step);
        left.push_back({static_cast<float>(f.x), static_cast<float>(f.y), static_cast<float>(l.x),
                        static_cast<float>(l.y), !plan.PathOf(step).closed, i});
        if (nesting != nullptr)
            waiting[i] = static_cast<uint32_t>(nesting->ContentsOf(i).size());
    }
    double travel = 0.0;
    float x = 0, y = 0;
    while (!left.empty()) {
        size_t best = 0;
        bool backwards = false;
        float best_d = INFINITY;
        uint32_t best_corner = 0;
        for (size_t k = 0; k < left.size(); ++k) {
            const Ends& e = left[k];
            if (waiting[e.step] != 0)
                continue;
            if (any_corner && !e.open) {
                const tarnik::PlanStep& step = plan.steps[e.step];
                if (BoxDistance(plan.BoxOf(step), x, y) >= best_d)
                    continue;
                for (uint32_t c = 0; c + 1 < plan.PathOf(step).count; ++c) {
                    const PlanPoint p = plan.PointOf(step, c);
                    const float dc = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
                    if (dc < best_d) {
                        best_d = dc;
                        best = k;
                        best_corner = c;
                    }
                }
                continue;
            }
            const float df = (e.fx - x) * (e.fx - x) + (e.fy - y) * (e.fy - y);
            if (df < best_d) {
                best_d = df;
                best = k;
                backwards = false;
            }
            const float dl = (e.lx - x) * (e.lx - x) + (e.ly - y) * (e.ly - y);
            if (e.open && dl < best_d) {
                best_d = dl;
                best = k;
                backwards = true;
            }
        }
        if (any_corner && best_d != INFINITY && !left[best].open) {
            const PlanPoint c = plan.PointOf(plan.steps[left[best].step], best_corner);
            left[best].fx = left[best].lx = static_cast<float>(c.x);
            left[best].fy = left[best].ly = static_cast<float>(c.y);
        }
        // Only outlines in a cycle of coinciding ones are left: any goes.
        if (best_d == INFINITY) {
            best = 0;
            backwards = false;
        }
        const Ends e = left[best];
        const PlanPoint at{static_cast<int32_t>(x), static_cast<int32_t>(y)};
        const PlanPoint entry{static_cast<int32_t>(backwards ? e.lx : e.fx),
                              static_cast<int32_t>(backwards ? e.ly : e.fy)};
        travel += Distance(at, entry);
        x = backwards ? e.fx : e.lx;
        y = backwards ? e.fy : e.ly;
        if (nesting != nullptr)
            for (const uint32_t c : nesting->ContainersOf(e.step))
                if (waiting[c] > 0)
                    --waiting[c];
        left[best] = left.back();
        left.pop_back();
    }
    return travel;
}

// Peak resident set size in MB from the process status file, where there
// is one (0 elsewhere).
double PeakRssMb() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0.0;
    char line[256];
    double kb = 0.0;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::atof(line + 6);
    std::fclose(status);
    return kb / 1024.0;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Plan(const char* file, bool with_references) {
    tarnik::PlotExtent extent;
    if (!tarnik::ScanPlotFile(file, extent)) {
        std::fprintf(stderr, "%s: cannot be read\n", file);
        return 1;
    }
    tarnik::PlotMapping mapping;
    mapping.XOrigin = extent.MinX;
    mapping.YTop = extent.MaxY;
    const auto start = std::chrono::steady_clock::now();
    tarnik::JobPlan plan;
    const tarnik::PenFilter filter;
    if (tarnik::BuildPlanIndex(file, mapping, filter, plan.index, plan.feed_floor) !=
        tarnik::IndexOutcome::Done) {
        std::fprintf(stderr, "%s: refused\n", file);
        return 1;
    }
    const double read_s = Seconds(start);
    tarnik::StepsAsDrawn(plan);
    const double drawn = tarnik::PenUpTravel(plan);
    const auto order_start = std::chrono::steady_clock::now();
    tarnik::OrderPlan(plan, tarnik::CutPlanOptions{tarnik::CutOrder::Shortest, 0.0f, {}},
                      kUnitsPerMm);
    const double order_s = Seconds(order_start);
    const double ordered = tarnik::PenUpTravel(plan);
    const double rss_mb = PeakRssMb();
    if (!with_references)
        return 0;
    const double bound_mb = 8.0 + 32.0 * plan.index.PointCount() / (1024.0 * 1024.0);
    // The full-scan reference takes minutes beyond a few hundred thousand
    // paths; it is left out there.
    const bool reference = plan.steps.size() <= 200000;
    tarnik::StepsAsDrawn(plan);
    const tarnik::Nesting nesting = tarnik::FindNesting(plan);
    const double greedy = reference ? GreedyReference(plan, nullptr) : NAN;
    const double greedy_inside = reference ? GreedyReference(plan, &nesting) : NAN;
    const double greedy_corner = reference ? GreedyReference(plan, nullptr, true) : NAN;
    const double m = kUnitsPerMm * 1000.0;
    std::printf("%-36s %7u %8u %9.1f %9.1f %9.1f %9.1f %9.1f %6.3f %6.3f %7.1f %7.1f\n", file,
                plan.index.PathCount(), plan.index.PointCount(), drawn / m, ordered / m, greedy / m,
                greedy_inside / m, greedy_corner / m, read_s, order_s, rss_mb, bound_mb);
    return std::isnan(greedy) || ordered <= greedy * (1.0 + 1e-9) ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "generate") {
        Generate(std::atoi(argv[2]), argv[3]);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "plan")
        return Plan(argv[2], true);
    if (argc == 3 && std::string(argv[1]) == "plan-only")
        return Plan(argv[2], false);
    if (argc == 2 && std::string(argv[1]) == "header") {
        std::printf("%-36s %7s %8s %9s %9s %9s %9s %9s %6s %6s %7s %7s\n", "design", "paths",
                    "points", "drawn m", "ordered m", "greedy m", "greedy-in", "greedy-any",
                    "read s", "order s", "peak MB", "bound MB");
        return 0;
    }
    std::fprintf(stderr,
                 "usage: bench_order header | generate N FILE | plan FILE | plan-only FILE\n");
    return 2;
}
