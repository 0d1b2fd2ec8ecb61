// Time to work out the weed lines of generated signs of 1 000 and 10 000
// paths: letter-like outlines (half of them with a counter) and a few open
// strokes in rows, 31.496 units a millimetre, a 10 mm border, lines every
// 20 mm both ways stopping 2 mm short. Prints the best wall and processor
// time of three runs, the lines made and the peak resident set size.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "sender/plan/weed_lines.h"

namespace {

using tarnik::LayoutBox;
using tarnik::LayoutPoint;
using tarnik::Polyline;

constexpr double kUnitsPerMm = 31.496;
constexpr double kPi = 3.14159265358979323846;

Polyline Ellipse(double cx, double cy, double rx, double ry, int points, std::mt19937& rng) {
    std::uniform_real_distribution<double> wobble(0.9, 1.1);
    Polyline path;
    for (int i = 0; i < points; ++i) {
        const double a = 2 * kPi * i / points;
        const double w = wobble(rng);
        path.push_back(
            {std::llround(cx + rx * w * std::cos(a)), std::llround(cy + ry * w * std::sin(a))});
    }
    path.push_back(path.front());
    return path;
}

// Glyphs of 10 mm in 14 mm cells, rows across the media.
std::vector<Polyline> Sign(int paths, LayoutBox& box) {
    std::mt19937 rng(static_cast<unsigned>(paths));
    std::vector<Polyline> design;
    const int per_row = 40;
    const double cell = 14 * kUnitsPerMm;
    for (int glyph = 0; static_cast<int>(design.size()) < paths; ++glyph) {
        const double cx = (glyph / per_row + 0.5) * cell;
        const double cy = (glyph % per_row + 0.5) * cell;
        design.push_back(Ellipse(cx, cy, 5 * kUnitsPerMm, 4 * kUnitsPerMm, 48, rng));
        if (glyph % 2 == 0 && static_cast<int>(design.size()) < paths)
            design.push_back(Ellipse(cx, cy, 2 * kUnitsPerMm, 1.5 * kUnitsPerMm, 24, rng));
        if (glyph % 7 == 0 && static_cast<int>(design.size()) < paths) {
            design.push_back(
                {{std::llround(cx - 6 * kUnitsPerMm), std::llround(cy - 6 * kUnitsPerMm)},
                 {std::llround(cx - 6 * kUnitsPerMm), std::llround(cy + 6 * kUnitsPerMm)}});
        }
    }
    for (const Polyline& path : design) {
        box.Add(tarnik::BoxOf(path));
    }
    return design;
}

void Run(int paths) {
    LayoutBox box;
    const std::vector<Polyline> design = Sign(paths, box);
    std::size_t points = 0;
    for (const Polyline& path : design) points += path.size();
    const LayoutBox border = box.Grown(std::llround(10 * kUnitsPerMm));
    const tarnik::WeedLineSettings settings{
        std::llround(20 * kUnitsPerMm), std::llround(2 * kUnitsPerMm), tarnik::WeedDirection::Both};
    double best_wall = 1e30;
    double best_cpu = 1e30;
    std::size_t lines_made = 0;
    for (int run = 0; run < 3; ++run) {
        const auto wall_start = std::chrono::steady_clock::now();
        const std::clock_t cpu_start = std::clock();
        tarnik::WeedDesign weed_design;
        for (const Polyline& path : design) weed_design.Add(path);
        std::vector<Polyline> lines;
        if (tarnik::PlanWeedLines(weed_design, {{0, 0}}, border, settings, lines) !=
            tarnik::WeedOutcome::Done) {
            std::printf("%d paths: weed lines refused\n", paths);
            return;
        }
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
        const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        best_wall = std::min(best_wall, wall);
        best_cpu = std::min(best_cpu, cpu);
        lines_made = lines.size();
    }
    std::printf(
        "%6d paths (%7zu points, %.0f x %.0f mm): weed lines %.3f s wall, %.3f s processor, "
        "%zu line pieces\n",
        paths, points, static_cast<double>(box.Length()) / kUnitsPerMm,
        static_cast<double>(box.Width()) / kUnitsPerMm, best_wall, best_cpu, lines_made);
}

void PrintPeakRss() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        std::printf("peak RSS: not available on this system\n");
        return;
    }
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            std::printf("peak RSS (VmHWM):%s", line + 6);
    }
    std::fclose(status);
}

}  // namespace

int main() {
    std::printf("weed lines (goal: under 1 s for 10 000 paths)\n");
    Run(1000);
    Run(10000);
    PrintPeakRss();
    return 0;
}
