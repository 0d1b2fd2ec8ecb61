// Throughput and memory of the plot file reader on large files as the
// drawing program writes them: one coordinate pair per command, CR LF after
// each command, paths of various lengths. Writes a 50 MB and a 500 MB file
// into a private temporary folder, runs the pre-scan and the encoders' full
// pass over each, prints MB/s and the peak resident set, and deletes the
// files.
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "sender/pipeline/path_model.h"
#include "sender/pipeline/plot_reader.h"

namespace {

namespace fs = std::filesystem;
using tarnik::CutPath;
using tarnik::PlotExtent;
using tarnik::PlotMapping;
using tarnik::PlotPathReader;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A small deterministic generator: the same file on every run.
struct Lcg {
    uint64_t state = 0x2545F4914F6CDD1DULL;
    uint32_t Next(uint32_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(state >> 33) % bound;
    }
};

char* AppendCommand(char* out, const char* name, uint32_t x, uint32_t y) {
    *out++ = name[0];
    *out++ = name[1];
    out = std::to_chars(out, out + 12, x).ptr;
    *out++ = ',';
    out = std::to_chars(out, out + 12, y).ptr;
    *out++ = ';';
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

// Writes about `size` bytes of paths of 2 to 300 points.
bool WritePlotFile(const fs::path& file, uint64_t size) {
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.string().c_str(), "wb"));
    if (!out)
        return false;
    std::fputs("IN;IW0,0,200000,200000;SP1;\r\n", out.get());
    constexpr size_t kChunk = 1 << 16;
    std::unique_ptr<char[]> chunk(new char[kChunk + 64]);
    Lcg random;
    uint64_t written = 0;
    char* cursor = chunk.get();
    uint32_t left_in_path = 0;
    uint32_t x = 0;
    uint32_t y = 0;
    while (written < size) {
        if (left_in_path == 0) {
            left_in_path = 2 + random.Next(299);
            x = random.Next(200000);
            y = random.Next(200000);
            cursor = AppendCommand(cursor, "PU", x, y);
        } else {
            x = (x + random.Next(2001)) % 200000;
            y = (y + random.Next(2001)) % 200000;
            cursor = AppendCommand(cursor, "PD", x, y);
        }
        --left_in_path;
        if (cursor - chunk.get() >= static_cast<std::ptrdiff_t>(kChunk)) {
            const size_t bytes = static_cast<size_t>(cursor - chunk.get());
            if (std::fwrite(chunk.get(), 1, bytes, out.get()) != bytes)
                return false;
            written += bytes;
            cursor = chunk.get();
        }
    }
    const size_t bytes = static_cast<size_t>(cursor - chunk.get());
    if (std::fwrite(chunk.get(), 1, bytes, out.get()) != bytes)
        return false;
    std::fputs("PU0,0;SP0;\r\n", out.get());
    return std::fclose(out.release()) == 0;
}

// Peak resident set in KiB (VmHWM), or -1 where /proc is missing.
long PeakResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

struct Timing {
    double wall = 1e300;  // seconds
    double cpu = 1e300;   // seconds of this process's processor time
};

// Runs a pass and keeps its best wall and processor time over the rounds:
// the machine is shared, and the best round is the one least disturbed.
template <typename Pass>
bool TimeBest(int rounds, Timing& best, Pass pass) {
    for (int round = 0; round < rounds; ++round) {
        const auto wall_start = std::chrono::steady_clock::now();
        const std::clock_t cpu_start = std::clock();
        if (!pass())
            return false;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
        const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        if (wall < best.wall)
            best.wall = wall;
        if (cpu < best.cpu)
            best.cpu = cpu;
    }
    return true;
}

bool FullRead(const std::string& file, const PlotExtent& extent, uint64_t& paths,
              uint64_t& points) {
    CutPath path;
    PlotMapping mapping;
    mapping.XOrigin = extent.MinX;
    mapping.YTop = extent.MaxY;
    PlotPathReader reader(path, mapping);
    if (!reader.Open(file.c_str()))
        return false;
    paths = points = 0;
    for (;;) {
        const PlotPathReader::Event event = reader.Next();
        if (event == PlotPathReader::Event::End)
            return true;
        if (event == PlotPathReader::Event::DataError)
            return false;
        if (event == PlotPathReader::Event::PathReady) {
            ++paths;
            points += static_cast<uint64_t>(path.count);
            path.Release();
        }
    }
}

void PrintPass(const char* name, double megabytes, const Timing& timing) {
    std::printf("  %-9s wall %6.3f s %7.1f MB/s   cpu %6.3f s %7.1f MB/s\n", name, timing.wall,
                megabytes / timing.wall, timing.cpu, megabytes / timing.cpu);
}

bool Measure(const fs::path& file_path, const char* label) {
    constexpr int kRounds = 3;
    const std::string file = file_path.string();
    const double megabytes = static_cast<double>(fs::file_size(file_path)) / 1e6;
    PlotExtent extent;
    Timing scan;
    if (!TimeBest(kRounds, scan, [&] { return tarnik::ScanPlotFile(file.c_str(), extent); })) {
        std::printf("%s: pre-scan failed\n", label);
        return false;
    }
    uint64_t paths = 0;
    uint64_t points = 0;
    Timing read;
    if (!TimeBest(kRounds, read, [&] { return FullRead(file, extent, paths, points); })) {
        std::printf("%s: full read failed\n", label);
        return false;
    }
    std::printf("%s: %.1f MB, %llu paths, %llu points (best of %d rounds)\n", label, megabytes,
                static_cast<unsigned long long>(paths), static_cast<unsigned long long>(points),
                kRounds);
    PrintPass("pre-scan", megabytes, scan);
    PrintPass("full read", megabytes, read);
    Timing job;
    job.wall = scan.wall + read.wall;
    job.cpu = scan.cpu + read.cpu;
    PrintPass("both", megabytes, job);
    std::printf("  peak RSS  %ld KiB\n", PeakResidentKib());
    return true;
}

}  // namespace

int main() {
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error) / "tarnik-bench-plot-reader";
    fs::remove_all(folder, error);
    if (!fs::create_directories(folder, error)) {
        std::printf("cannot create %s\n", folder.string().c_str());
        return 1;
    }
    bool ok = true;
    const struct {
        const char* label;
        uint64_t size;
    } runs[] = {{"50 MB", 50'000'000}, {"500 MB", 500'000'000}};
    for (const auto& run : runs) {
        const fs::path file = folder / "bench.plt";
        ok = WritePlotFile(file, run.size) && Measure(file, run.label) && ok;
        fs::remove(file, error);
        if (!ok)
            break;
    }
    fs::remove_all(folder, error);
    return ok ? 0 : 1;
}
