// Fuzz target for the job decoder behind "tarnik-cli preview": any bytes,
// decoded and drawn as SVG. Invariants:
// - a job is decoded exactly when its language is recognised;
// - memory grows with the input only: every stored point took at least four
//   input bytes, and no path is empty;
// - the one-pass cut path count agrees with itself whatever the pieces the
//   job arrives in (piece sizes taken from the input).
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/job_decoder.h"
#include "cli/svg_writer.h"
#include "fuzz/fuzz_support.h"

using tarnik::fuzz::Require;
namespace cli = tarnik::cli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cli::DecodedJob job;
    const bool decoded = cli::DecodeJob(bytes, job);
    Require(decoded == (cli::DetectJobLanguage(bytes) != cli::JobLanguage::Unknown),
            "a job is decoded exactly when its language is known");
    if (!decoded) {
        Require(job.paths.empty() && cli::CountCutPaths(bytes) == 0, "an unknown job has no paths");
        return 0;
    }
    size_t points = 0;
    size_t cut_paths = 0;
    for (const cli::JobPath& path : job.paths) {
        Require(!path.points.empty(), "no path is empty");
        points += path.points.size();
        cut_paths += path.points.size() >= 2 ? 1 : 0;
    }
    Require(points * 4 <= size + 4, "every point takes at least four input bytes");
    Require(cut_paths == job.cut_paths, "cut_paths counts the paths of two or more points");

    const size_t whole_count = cli::CountCutPaths(bytes);
    cli::CutPathCounter counter;
    size_t at = 0;
    for (size_t i = 0; at < size; ++i) {
        const size_t piece = std::min<size_t>(size - at, 1 + data[i % size] % 7);
        counter.Feed(bytes.substr(at, piece));
        at += piece;
    }
    Require(counter.Count() == whole_count, "the counter in pieces counts as in one pass");

    const std::string svg = cli::RenderJobSvg(job);
    Require(svg.size() <= 4096 + 128 * (points + job.paths.size()),
            "the picture grows with the points only");
    return 0;
}
