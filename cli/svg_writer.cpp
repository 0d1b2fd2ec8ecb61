// SVG rendering of decoded jobs.
#include "cli/svg_writer.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace tarnik::cli {
namespace {

constexpr double kMarginMm = 2.0;

struct Bounds {
    double min_x = 0.0, min_y = 0.0, max_x = 0.0, max_y = 0.0;  // SVG axes, mm

    void Add(double x, double y) {
        min_x = std::min(min_x, x);
        min_y = std::min(min_y, y);
        max_x = std::max(max_x, x);
        max_y = std::max(max_y, y);
    }
};

// Picture coordinates of a plotter point, in millimetres.
struct PicturePoint {
    double x;
    double y;
};

PicturePoint ToPicture(JobPoint point, double units_per_mm) {
    return {point.y / units_per_mm, point.x / units_per_mm};
}

void AppendNumber(std::string& out, double value) {
    char text[32];
    int length = std::snprintf(text, sizeof(text), "%.3f", value);
    if (length <= 0 || length >= static_cast<int>(sizeof(text))) {
        out += '0';
        return;
    }
    // Trailing zeros only cost bytes in a drawing of a million points.
    while (length > 1 && text[length - 1] == '0') {
        --length;
    }
    if (text[length - 1] == '.') {
        --length;
    }
    out.append(text, static_cast<size_t>(length));
}

void AppendPoint(std::string& out, char command, PicturePoint point) {
    out += command;
    AppendNumber(out, point.x);
    out += ' ';
    AppendNumber(out, point.y);
}

// The origin counts, so the picture shows where the job starts.
Bounds MeasureJob(const DecodedJob& job, double units_per_mm) {
    Bounds bounds;
    for (const JobPath& path : job.paths) {
        for (const JobPoint& point : path.points) {
            const PicturePoint p = ToPicture(point, units_per_mm);
            bounds.Add(p.x, p.y);
        }
    }
    return bounds;
}

void AppendHeader(std::string& out, const Bounds& bounds) {
    const double left = bounds.min_x - kMarginMm;
    const double top = bounds.min_y - kMarginMm;
    const double width = bounds.max_x - bounds.min_x + 2 * kMarginMm;
    const double height = bounds.max_y - bounds.min_y + 2 * kMarginMm;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
    AppendNumber(out, width);
    out += "mm\" height=\"";
    AppendNumber(out, height);
    out += "mm\" viewBox=\"";
    AppendNumber(out, left);
    out += ' ';
    AppendNumber(out, top);
    out += ' ';
    AppendNumber(out, width);
    out += ' ';
    AppendNumber(out, height);
    out += "\">\n";
}

void AppendTravel(std::string& out, const DecodedJob& job, double units_per_mm) {
    std::string d;
    JobPoint pen;
    for (const JobPath& path : job.paths) {
        AppendPoint(d, 'M', ToPicture(pen, units_per_mm));
        AppendPoint(d, 'L', ToPicture(path.points.front(), units_per_mm));
        pen = path.points.back();
    }
    if (d.empty()) {
        return;
    }
    out +=
        "<path class=\"travel\" fill=\"none\" stroke=\"#d02020\" stroke-width=\"0.2\" "
        "stroke-dasharray=\"1 1\" d=\"";
    out += d;
    out += "\"/>\n";
}

void AppendCuts(std::string& out, const DecodedJob& job, double units_per_mm) {
    for (const JobPath& path : job.paths) {
        if (path.points.size() < 2) {
            continue;
        }
        out += "<path class=\"cut\" fill=\"none\" stroke=\"#000\" stroke-width=\"0.25\" d=\"";
        char command = 'M';
        for (const JobPoint& point : path.points) {
            AppendPoint(out, command, ToPicture(point, units_per_mm));
            command = 'L';
        }
        out += "\"/>\n";
    }
}

}  // namespace

std::string RenderJobSvg(const DecodedJob& job) {
    double units_per_mm = JobUnitsPerMm(job.language);
    if (units_per_mm <= 0.0) {
        units_per_mm = 1.0;
    }
    std::string out;
    AppendHeader(out, MeasureJob(job, units_per_mm));
    AppendTravel(out, job, units_per_mm);
    AppendCuts(out, job, units_per_mm);
    out += "</svg>\n";
    return out;
}

}  // namespace tarnik::cli
