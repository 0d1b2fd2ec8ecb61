// Throughput of the drag-knife path rework: point reduction, closing
// overcut and knife-offset compensation, all enabled with the default
// lengths, over one million generated input points in paths of 4 to 200
// points. Prints input points per second and the peak resident set size.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "sender/pipeline/path_model.h"
#include "sender/pipeline/path_transforms.h"
#include "sender/settings/sender_settings.h"

namespace {

struct Point {
    int32_t x;
    int32_t y;
};

struct Workload {
    std::vector<Point> points;
    std::vector<int32_t> lengths;  // points per path, in order
};

constexpr double kPi = 3.14159265358979323846;

// A drawing's mix: flattened curves (short segments, gentle turns), polygons
// with sharp corners, and lettering-like zigzags; about a third closed.
void AddPath(std::mt19937& rng, int32_t n, Workload& work) {
    std::uniform_real_distribution<double> unit(0, 1);
    const int kind = static_cast<int>(rng() % 3);
    const bool closed = rng() % 3 == 0;
    const int32_t drawn = closed ? n - 1 : n;
    const double cx = 2000 + unit(rng) * 30000;
    const double cy = 2000 + unit(rng) * 30000;
    const double radius = 50 + unit(rng) * 3000;
    double x = cx;
    double y = cy;
    double heading = unit(rng) * 2 * kPi;
    for (int32_t i = 0; i < drawn; ++i) {
        if (kind == 0) {
            const double a = 2 * kPi * i / drawn;
            x = cx + radius * std::cos(a) + unit(rng) * 2;
            y = cy + radius * 0.6 * std::sin(a) + unit(rng) * 2;
        } else if (kind == 1) {
            heading += (unit(rng) - 0.5) * 2.5;
            const double step = 40 + unit(rng) * 1500;
            x += step * std::cos(heading);
            y += step * std::sin(heading);
        } else {
            heading += (i % 2 ? 1 : -1) * (0.3 + unit(rng) * 2.6);
            const double step = 3 + unit(rng) * 60;
            x += step * std::cos(heading);
            y += step * std::sin(heading);
        }
        work.points.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
    }
    if (closed)
        work.points.push_back(work.points[work.points.size() - drawn]);
    work.lengths.push_back(n);
}

Workload Generate(int64_t total_points) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int32_t> length(4, 200);
    Workload work;
    work.points.reserve(static_cast<size_t>(total_points) + 200);
    int64_t made = 0;
    while (made < total_points) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(length(rng), total_points - made));
        if (n < 4)
            break;
        AddPath(rng, n, work);
        made += n;
    }
    return work;
}

// Loads each path as the reader would, optionally reworks it, and releases
// it; returns a checksum so that nothing is optimised away.
int64_t Run(const Workload& work, bool transform) {
    tarnik::SenderSettings settings;
    settings.ReducePointEnble = 1;
    settings.CloseEnble = 1;
    settings.SharpEnble = 1;
    tarnik::BladeState blade;
    // One memo per run of paths, as the encoders keep one per job.
    tarnik::SwingArcMemo arcs;
    tarnik::CutPath path;
    int64_t checksum = 0;
    size_t at = 0;
    for (int32_t n : work.lengths) {
        path.Open(work.points[at].x, work.points[at].y);
        for (int32_t i = 1; i < n; ++i) path.Append(work.points[at + i].x, work.points[at + i].y);
        at += static_cast<size_t>(n);
        if (transform)
            ApplyPathTransforms(path, path.count, settings, blade, &arcs);
        for (const tarnik::PathPoint* p = path.head; p; p = p->next) checksum += p->x ^ p->y;
        path.Release();
    }
    return checksum;
}

struct Timing {
    double wall = 1e30;  // best wall-clock seconds of the rounds
    double cpu = 1e30;   // best processor seconds (less affected by a busy machine)
};

Timing Measure(const Workload& work, bool transform, int64_t& checksum) {
    Timing best;
    for (int round = 0; round < 5; ++round) {
        const std::clock_t cpu_start = std::clock();
        const auto start = std::chrono::steady_clock::now();
        checksum = Run(work, transform);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        best.wall = std::min(best.wall, took.count());
        best.cpu = std::min(best.cpu, cpu);
    }
    return best;
}

void PrintRate(const char* label, double points, double wall, double cpu) {
    std::printf("%-28s %.2f million input points/s wall (%.3f s), %.2f million/s processor\n",
                label, points / wall / 1e6, wall, points / std::max(cpu, 1e-9) / 1e6);
}

// Peak resident set size from the process status file, where there is one.
void PrintPeakMemory() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) {
        std::printf("peak RSS: not available on this system\n");
        return;
    }
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            std::printf("peak RSS (VmHWM):%s", line + 6);
    }
    std::fclose(status);
}

}  // namespace

int main() {
    const Workload work = Generate(1000000);
    int64_t output_points = 0;
    {
        // Points the transforms produce, for context.
        tarnik::SenderSettings settings;
        settings.ReducePointEnble = settings.CloseEnble = settings.SharpEnble = 1;
        tarnik::BladeState blade;
        tarnik::CutPath path;
        size_t at = 0;
        for (int32_t n : work.lengths) {
            path.Open(work.points[at].x, work.points[at].y);
            for (int32_t i = 1; i < n; ++i)
                path.Append(work.points[at + i].x, work.points[at + i].y);
            at += static_cast<size_t>(n);
            ApplyPathTransforms(path, path.count, settings, blade);
            output_points += path.Length();
            path.Release();
        }
    }
    int64_t load_sum = 0;
    int64_t full_sum = 0;
    const Timing load_only = Measure(work, false, load_sum);
    const Timing with_transforms = Measure(work, true, full_sum);
    const double input = static_cast<double>(work.points.size());
    std::printf("paths: %zu, input points: %zu, output points: %lld (checksums %lld %lld)\n",
                work.lengths.size(), work.points.size(), static_cast<long long>(output_points),
                static_cast<long long>(load_sum), static_cast<long long>(full_sum));
    PrintRate("load + release only:", input, load_only.wall, load_only.cpu);
    PrintRate("load + transforms + release:", input, with_transforms.wall, with_transforms.cpu);
    PrintPeakMemory();
    return 0;
}
