// Fuzz target for the whole road of a job: plot file bytes through the job
// driver, the path transforms and the encoder of either model to the bytes
// handed to the transport. Every transform, dashed cutting and the mark
// band split are switched on; their lengths, the feed, the angle limit, the
// HPGL divisors and the two mark parameters come from the input as raw
// floats and integers, so absurd values (negative, NaN, infinite, huge) are
// tried too.
//
// Input: a 56-byte header (see Header below), then the plot file.
// Bounds: the plot file is at most what -max_len leaves (4 KiB in
// scripts/fuzz.sh); every file this process writes is limited to
// kJobBound bytes, so a job that would grow past it fails its work file as a
// full disk would, and must then be refused with the work file message and
// nothing handed over. Memory and time per input are bounded by the fuzzer
// (-rss_limit_mb=1024, -timeout=20 in scripts/fuzz.sh).
// Invariants: a job handed over is complete (its closing command), decodes
// without a malformed command, and its one-pass cut path count equals the
// decoder's; a job not handed over was refused with a message or was empty.
#include <signal.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/console_job_seams.h"
#include "cli/job_decoder.h"
#include "fuzz/fuzz_support.h"
#include "sender/pipeline/job_driver.h"

namespace {

using tarnik::SenderSettings;
using tarnik::fuzz::Require;
namespace cli = tarnik::cli;

// 1 MiB: some 200 times the job of the 3.6 KB sample sign. A plot file of
// 4 KiB makes a longer job only through dashes or mark bands over a design
// kilometres long; such a job is refused at the bound, which keeps the
// fuzzer at some hundred inputs a second.
constexpr rlim_t kJobBound = 1024 * 1024;

// The bound in force: kJobBound, or TARNIK_FUZZ_JOB_BOUND=BYTES to measure
// a job that outgrew it.
rlim_t JobBound() {
    static const rlim_t bound = [] {
        const char* raised = std::getenv("TARNIK_FUZZ_JOB_BOUND");
        return raised != nullptr ? static_cast<rlim_t>(std::strtoull(raised, nullptr, 10))
                                 : kJobBound;
    }();
    return bound;
}

// Limits every file this process writes to JobBound(); writes past it fail
// instead of raising SIGXFSZ.
void BoundFileSizes() {
    static const bool bounded = [] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = JobBound();
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }();
    Require(bounded, "the file size bound can be set");
}

struct Header {
    uint8_t choices;  // bit 0 model NVAS, bit 1 USB port, bit 2 paper feed,
                      // bit 3 small memory limit (the job streams from its file)
    float close_offset, sharp_offset, reduce_point, solid_line, jump_line;
    float x_steps, y_steps, x_size_redeem, y_size_redeem;
    double max_angle;
    int32_t mark_a, mark_b;
    uint8_t flag_color;
    uint8_t spare[2];
};

Header ReadHeader(tarnik::fuzz::InputBytes& input) {
    Header h{};
    h.choices = input.Take<uint8_t>();
    h.close_offset = input.Take<float>();
    h.sharp_offset = input.Take<float>();
    h.reduce_point = input.Take<float>();
    h.solid_line = input.Take<float>();
    h.jump_line = input.Take<float>();
    h.x_steps = input.Take<float>();
    h.y_steps = input.Take<float>();
    h.x_size_redeem = input.Take<float>();
    h.y_size_redeem = input.Take<float>();
    h.max_angle = input.Take<double>();
    h.mark_a = input.Take<int32_t>();
    h.mark_b = input.Take<int32_t>();
    h.flag_color = input.Take<uint8_t>();
    h.spare[0] = input.Take<uint8_t>();
    h.spare[1] = input.Take<uint8_t>();
    return h;
}

SenderSettings SettingsFrom(const Header& h) {
    SenderSettings s;
    s.ModelIndex = h.choices & 1;
    s.PortType = (h.choices >> 1) & 1;
    s.CanFeedPaper = (h.choices >> 2) & 1;
    s.DashedMode = 1;
    s.CutImageMode = 1;
    s.CloseEnble = s.SharpEnble = s.ReducePointEnble = 1;
    s.CloseOffset = h.close_offset;
    s.SharpOffset = h.sharp_offset;
    s.ReducePoint = h.reduce_point;
    s.SolidLineLen = h.solid_line;
    s.JumpLineLen = h.jump_line;
    s.XSTEPS = h.x_steps;
    s.YSTEPS = h.y_steps;
    s.XSizeRedeem = h.x_size_redeem;
    s.YSizeRedeem = h.y_size_redeem;
    s.MAXdeg = h.max_angle;
    s.FlagColor = h.flag_color % 3;
    const std::string& folder = tarnik::fuzz::ScratchFolder();
    std::snprintf(s.ColExportPath, sizeof s.ColExportPath, "%s", folder.c_str());
    std::snprintf(s.ColExportFilename, sizeof s.ColExportFilename, "%s", "export.plt");
    return s;
}

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

std::string HandedOverBytes(const cli::CapturingHandover& handover) {
    std::string bytes(handover.Size(), '\0');
    Require(handover.Read(0, bytes.data(), handover.Size()) == handover.Size(),
            "the handed-over job reads back whole");
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BoundFileSizes();
    tarnik::fuzz::InputBytes input(data, size);
    const Header header = ReadHeader(input);
    const SenderSettings settings = SettingsFrom(header);

    // TARNIK_FUZZ_TRACE=1 shows the messages and what became of each input.
    static const bool trace = std::getenv("TARNIK_FUZZ_TRACE") != nullptr;
    NullBuffer null_buffer;
    std::ostream quiet(trace ? std::cerr.rdbuf() : &null_buffer);
    cli::ConsoleJobView view(quiet);
    cli::CapturingHandover handover(quiet);
    tarnik::OpenSendGate gate;
    tarnik::JobContext job(settings, view, handover, gate);
    job.TempFolder = tarnik::fuzz::ScratchFolder();
    job.HpglWorkFolder = job.TempFolder;
    job.PathSeparator = '/';
    if (header.choices & 8)
        job.JobMemoryLimit = 4096;
    Require(tarnik::fuzz::WriteBytes(job.ExportFilePath(), input.Rest(), input.RestSize()),
            "the export file can be written");

    tarnik::JobDriver driver(job);
    const int taken = tarnik::JobMessageAnswer(driver.OnJobReady(header.mark_a, header.mark_b));
    if (trace)
        std::fprintf(stderr, "job road: taken %d, %u bytes handed over, %d messages\n", taken,
                     handover.Captured() ? handover.Size() : 0u, view.MessagesShown());
    if (!handover.Captured()) {
        // A work file that outgrew the bound (or failed otherwise) ends the
        // job with its message after the encoder took it.
        Require(taken == 0 || view.MessagesShown() > 0,
                "a job taken was handed over or its failure told");
        Require(view.MessagesShown() > 0 || !view.DialogShown() || settings.ModelIndex > 1,
                "a job measured but not handed over was refused with a message");
        return 0;
    }
    Require(handover.Size() <= JobBound(), "the job stays within its bound");
    const std::string bytes = HandedOverBytes(handover);
    cli::DecodedJob decoded;
    Require(cli::DecodeJob(bytes, decoded), "the job is in a known language");
    Require(decoded.language ==
                (settings.ModelIndex == 1 ? cli::JobLanguage::Hpgl : cli::JobLanguage::Dmpl),
            "the job is in its model's language");
    Require(decoded.complete, "the job ends with its closing command");
    Require(decoded.malformed_commands == 0, "the job has no malformed command");
    Require(cli::CountCutPaths(bytes) == decoded.cut_paths,
            "the one-pass count agrees with the decoder");
    return 0;
}
