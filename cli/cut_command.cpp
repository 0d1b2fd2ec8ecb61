// The job road of one plot file, run in a private work folder: the plot file
// is copied in as the export file (as a cut from a picked file does), the job
// driver pre-scans it, shows the size, and the encoder of the configured
// model writes the job, which the console hand-over captures.
#include "cli/cut_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/console_job_seams.h"
#include "cli/console_settings.h"
#include "cli/file_kind.h"
#include "cli/job_decoder.h"
#include "cli/job_summary.h"
#include "cli/job_travel.h"
#include "cli/output_file.h"
#include "cli/platform_files.h"
#include "cli/serial_send.h"
#include "cli/strip_jobs.h"
#include "cli/usb_send.h"
#include "cli/work_folder.h"
#include "sender/pipeline/fatal_error.h"
#include "sender/pipeline/job_driver.h"
#include "sender/pipeline/job_start.h"
#include "sender/pipeline/work_file.h"
#include "sender/transport/line_time.h"

namespace tarnik::cli {
namespace {

// The export file's name inside the private work folder.
constexpr char kExportFileName[] = "export.plt";

// The most a plot file that is not a regular file (a pipe, a device) may
// give. The pipeline reads the export file twice, so such input is copied
// into the work folder first; a bound stops input that never ends
// (/dev/zero) before it fills the disk. A design for one sheet of vinyl is
// far smaller (a dense 50 MB design already takes minutes to cut), and job
// files are bounded alike.
constexpr uint64_t kMaxPipedPlotBytes = uint64_t{512} * 1024 * 1024;

// Running out of memory ends the process with exit(), past every
// destructor; the work folder of the running job is removed here instead.
const WorkFolder* g_active_folder = nullptr;

void EndOfProcessMessage(const char* text, const char* caption) {
    std::fprintf(stderr, "tarnik-cli: %s: %s\n", caption, text);
    if (g_active_folder != nullptr) {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(g_active_folder->Path()), ignored);
    }
}

class FatalHandlerScope {
  public:
    explicit FatalHandlerScope(const WorkFolder& folder) {
        g_active_folder = &folder;
        SetFatalMessageHandler(&EndOfProcessMessage);
    }
    ~FatalHandlerScope() {
        SetFatalMessageHandler(nullptr);
        g_active_folder = nullptr;
    }
    FatalHandlerScope(const FatalHandlerScope&) = delete;
    FatalHandlerScope& operator=(const FatalHandlerScope&) = delete;
};

// Points the export folder and the file name into the work folder; the
// settings file's own export folder is the shared temporary folder.
bool PlaceExportFile(SenderSettings& settings, const WorkFolder& folder) {
    const std::string path = folder.PathWithSeparator();
    if (path.size() >= sizeof(settings.ColExportPath)) {
        return false;
    }
    std::snprintf(settings.ColExportPath, sizeof(settings.ColExportPath), "%s", path.c_str());
    std::snprintf(settings.ColExportFilename, sizeof(settings.ColExportFilename), "%s",
                  kExportFileName);
    return true;
}

// What the job measured as it was read back: its cut paths and the knife's
// pen-up travel (in the job's plotter units).
struct JobTally {
    size_t cut_paths = 0;
    double travel = 0.0;
};

enum class CopyResult { Ok, CannotRead, CannotWrite, TooLarge };

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Copies a plot file that is not a regular file into the new export file,
// at most kMaxPipedPlotBytes of it.
CopyResult CopyPipedPlotFile(const char* from, const char* to) {
    std::unique_ptr<FILE, FileCloser> source(std::fopen(from, "rb"));
    if (!source) {
        return CopyResult::CannotRead;
    }
    std::unique_ptr<FILE, FileCloser> target(CreateNewFile(to));
    if (!target) {
        return CopyResult::CannotWrite;
    }
    std::vector<char> block(64 * 1024);
    uint64_t copied = 0;
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), source.get())) > 0) {
        copied += got;
        if (copied > kMaxPipedPlotBytes) {
            return CopyResult::TooLarge;
        }
        if (std::fwrite(block.data(), 1, got, target.get()) != got) {
            return CopyResult::CannotWrite;
        }
    }
    if (std::ferror(source.get())) {
        return CopyResult::CannotRead;
    }
    return std::fclose(target.release()) == 0 ? CopyResult::Ok : CopyResult::CannotWrite;
}

// Places the plot file as the export file: a regular file under a second
// name where the file system allows it, else as a copy; anything else as a
// bounded copy (a link to a pipe would be read empty the second time).
bool PlacePlotFile(const std::string& input, const std::string& export_file, std::ostream& err) {
    std::error_code error;
    // The export file of an earlier strip may still be a second name of the
    // plot file: a copy over it would empty the user's plot file.
    std::filesystem::remove(export_file, error);
    const std::filesystem::file_status status = std::filesystem::status(input, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
        if (LinkFile(input.c_str(), export_file.c_str()) ||
            CopyFileOverwrite(input.c_str(), export_file.c_str())) {
            return true;
        }
        err << "tarnik-cli: " << kSourceFileError << " (" << input << ")\n";
        return false;
    }
    switch (CopyPipedPlotFile(input.c_str(), export_file.c_str())) {
        case CopyResult::Ok:
            return true;
        case CopyResult::TooLarge:
            err << "tarnik-cli: " << input
                << " is not a regular file and gives more than 512 MB: refused as input that "
                   "does not end\n";
            return false;
        case CopyResult::CannotWrite:
            err << "tarnik-cli: cannot copy " << input << " into the work folder\n";
            return false;
        case CopyResult::CannotRead:
            break;
    }
    err << "tarnik-cli: " << kSourceFileError << " (" << input << ")\n";
    return false;
}

// Reads the captured job block by block, counting its cut paths and
// writing every block to file when one is given: a job of any size is never
// held whole.
CopyResult ReadJobInBlocks(const CapturingHandover& job, OutputFile* file, JobTally& tally) {
    constexpr uint32_t kBlock = 64 * 1024;
    std::vector<char> block(kBlock);
    CutPathCounter counter;
    JobTravelMeter meter;
    for (uint32_t offset = 0; offset < job.Size();) {
        const uint32_t wanted = std::min(kBlock, job.Size() - offset);
        if (job.Read(offset, block.data(), wanted) != wanted) {
            return CopyResult::CannotRead;
        }
        counter.Feed(std::string_view(block.data(), wanted));
        meter.Feed(std::string_view(block.data(), wanted));
        if (file != nullptr && !file->Write(block.data(), wanted)) {
            return CopyResult::CannotWrite;
        }
        offset += wanted;
    }
    tally.cut_paths = counter.Count();
    tally.travel = meter.Travel();
    return CopyResult::Ok;
}

// A job streamed from its work file is that file's bytes exactly; the work
// file is not needed after the job, so the output takes it under a second
// name instead of a copy of tens of megabytes. False when the system cannot
// link it there (another volume): the caller copies then.
bool LinkStreamedJob(const CapturingHandover& job, const std::string& work_file,
                     const std::string& output_path, OutputFile& file) {
    if (!job.Streamed()) {
        return false;
    }
    std::error_code error;
    const auto length = std::filesystem::file_size(work_file, error);
    if (error || length != job.Size()) {
        return false;
    }
    return file.CreateAsLinkOf(output_path, work_file.c_str());
}

// Copies the captured job to output_path (none when empty), counting its
// cut paths on the way. When the output is the job's only destination, a streamed job's work file
// becomes the output instead, and the job is released.
CopyResult CopyJob(CapturingHandover& job, const std::string& work_file,
                   const std::string& output_path, bool output_only, JobTally& tally) {
    const bool writing = !output_path.empty();
    OutputFile file;
    if (writing && output_only && LinkStreamedJob(job, work_file, output_path, file)) {
        const CopyResult counted = ReadJobInBlocks(job, nullptr, tally);
        // Released before the rename, and before the link is removed again.
        job.Release();
        if (counted != CopyResult::Ok) {
            return counted;
        }
        return file.Commit() ? CopyResult::Ok : CopyResult::CannotWrite;
    }
    if (writing && !file.Create(output_path)) {
        return CopyResult::CannotWrite;
    }
    const CopyResult copied = ReadJobInBlocks(job, writing ? &file : nullptr, tally);
    if (copied != CopyResult::Ok) {
        return copied;
    }
    return !writing || file.Commit() ? CopyResult::Ok : CopyResult::CannotWrite;
}

// Sends the job to the device of the command line, if any, and notes in
// the summary how that ended; returns the tool's status.
int SendToDevice(const CliOptions& options, const CapturingHandover& job, JobSummary& summary,
                 std::ostream& err) {
    if (summary.device.empty()) {
        return kExitOk;
    }
    SendResult sent;
    if (!options.usb_target.empty()) {
        sent = SendJobToUsb(job, options.usb_target, err);
    } else {
        const std::unique_ptr<JobPort> port = MakeSerialDevicePort(options.port_device);
        sent = SendJobToSerialPort(job, *port, err);
    }
    summary.device_took = sent.took;
    summary.send = sent.status == kExitOk        ? DeviceSend::Delivered
                   : sent.status == kExitRefused ? DeviceSend::Failed
                                                 : DeviceSend::Cancelled;
    ReportUnfinishedSend(summary, err);
    return sent.status;
}

// What the strips of a tiled job take over from the first: its plan and
// the pre-scan of its plot file (none for a job in one piece).
struct KeptAcrossStrips {
    std::shared_ptr<StripPlan> plan;
    std::shared_ptr<KeptPlotScan> scan;
};

// One job of the plot file: the whole job, or strip `strip` of a job cut
// in strips (strip_count receives how many the job plan made).
int RunStrip(const CliOptions& options, SenderSettings& settings, const WorkFolder& folder,
             int32_t strip, int32_t& strip_count, const KeptAcrossStrips& kept, std::ostream& out,
             std::ostream& err) {
    ConsoleJobView view(err);
    CapturingHandover handover(err);
    OpenSendGate gate;
    JobContext job(settings, view, handover, gate);
    job.TempFolder = folder.PathWithSeparator();
    job.HpglWorkFolder = folder.PathWithSeparator();
    job.PathSeparator = NativePathSeparator();
    job.mapping.UnitsPerInch = options.units_per_inch;

    // The cut-from-file road: the picked file is copied over the export
    // file, which the pipeline may then consume; the original stays as it is.
    // The pipeline only reads and deletes the export file, so a second name
    // for the picked file serves as well as a copy of tens of megabytes.
    if (!PlacePlotFile(options.input_path, job.CutFromFileTarget(), err)) {
        return kExitRefused;
    }
    // A drawing or a picture would only meet "data error!" in the reader.
    const std::string wrong_file =
        WrongFileForCut(SniffFileKind(ReadFileHead(job.CutFromFileTarget())), options.input_path);
    if (!wrong_file.empty()) {
        err << wrong_file;
        return kExitRefused;
    }
    JobDriver driver(job);
    job.Strip = strip;
    job.KeptStripPlan = kept.plan;
    job.KeptScan = kept.scan;
    const JobOutcome outcome = driver.OnJobReady(options.mark_a, options.mark_b);
    strip_count = job.StripCount;
    if (outcome != JobOutcome::Encoded || !handover.Captured()) {
        err << RefusalReason(outcome, options.input_path);
        return kExitRefused;
    }
    JobTally tally;
    const std::string work_file =
        settings.ModelIndex == 0 ? job.DmplWorkFilePath() : job.HpglWorkFilePath();
    const uint32_t job_size = handover.Size();
    const bool output_only = options.port_device.empty() && options.usb_target.empty();
    switch (CopyJob(handover, work_file, options.output_path, output_only, tally)) {
        case CopyResult::Ok:
            break;
        case CopyResult::CannotRead:
            err << "tarnik-cli: the job cannot be read back from its work file\n";
            return kExitRefused;
        case CopyResult::TooLarge:
        case CopyResult::CannotWrite:
            err << "tarnik-cli: cannot write " << options.output_path << "\n";
            return kExitRefused;
    }
    if (options.output_path.empty() && options.port_device.empty() && options.usb_target.empty()) {
        err << "tarnik-cli: no transport chosen: the job was encoded but not sent (--output FILE "
               "writes it to a file, --port DEVICE to a plotter)\n";
    }
    JobSummary summary;
    summary.input_path = options.input_path;
    summary.width_mm = view.WidthMm();
    summary.height_mm = view.HeightMm();
    summary.knife_down_runs = tally.cut_paths;
    summary.orientation_cut = settings.SharpEnble != 0;
    summary.bytes = job_size;
    summary.units_per_inch = static_cast<int>(options.units_per_inch);
    summary.travel_m =
        tally.travel /
        JobUnitsPerMm(settings.ModelIndex == 1 ? JobLanguage::Hpgl : JobLanguage::Dmpl) / 1000.0;
    summary.output_path = options.output_path;
    summary.device = options.usb_target.empty() ? options.port_device : options.usb_target;
    const int status = SendToDevice(options, handover, summary, err);
    out << JobSummaryLine(summary);
    return status;
}

// A job cut in strips (--tile) writes one numbered output file per strip
// and sends strip after strip, waiting for Enter between them.
int RunJob(const CliOptions& options, SenderSettings& settings, const WorkFolder& folder,
           std::ostream& out, std::ostream& err) {
    const bool tiling = settings.CutPlan.Media.TileOverlap > 0.0;
    const bool sending = !options.port_device.empty() || !options.usb_target.empty();
    int32_t count = 1;
    KeptAcrossStrips kept;
    if (tiling)
        kept = KeptAcrossStrips{MakeStripPlanKeeper(), std::make_shared<KeptPlotScan>()};
    for (int32_t strip = 0; strip < count; ++strip) {
        if (strip > 0 && sending && !WaitForNextStrip(strip, count, std::cin, err))
            return kExitRefused;
        CliOptions strip_options = options;
        if (tiling && !options.output_path.empty())
            strip_options.output_path = StripOutputPath(options.output_path, strip + 1);
        const int status = RunStrip(strip_options, settings, folder, strip, count, kept, out, err);
        if (status != kExitOk)
            return status;
    }
    return kExitOk;
}

}  // namespace

std::string RefusalReason(JobOutcome outcome, const std::string& input) {
    switch (outcome) {
        case JobOutcome::Busy:
        case JobOutcome::LineNotUsable:
        case JobOutcome::MarksNotSelected:
        case JobOutcome::DataError:
        case JobOutcome::MarkBandsTooNarrow:
        case JobOutcome::SourceFileError:
        case JobOutcome::NotSent:
            return {};  // the pipeline's own message has gone to stderr
        case JobOutcome::NoPlotterModel:
            // The job sender's message names its Option dialog; here the
            // settings file is the place.
            return "tarnik-cli: the settings file's [Model] Mode key names the plotter model: "
                   "Mode=1 for NVA, Mode=2 for NVAS\n";
        case JobOutcome::Unreadable:
            return "tarnik-cli: cannot read " + input + "\n";
        case JobOutcome::EmptyDesign:
            return "tarnik-cli: " + input + " holds no path to cut\n";
        case JobOutcome::Declined:
            return "tarnik-cli: the job was declined; nothing was encoded\n";
        case JobOutcome::UsbSendFailed:
            return "tarnik-cli: the USB printer port did not take the job\n";
        case JobOutcome::Encoded:
            break;
    }
    // A job taken but not captured went nowhere the tool can follow.
    return "tarnik-cli: the job reached no transport\n";
}

int RunCut(const CliOptions& options, std::ostream& out, std::ostream& err,
           const CutPlanOverride& plan) {
    WorkFolder folder;
    if (!folder.Create()) {
        err << "tarnik-cli: cannot create a private work folder in the temporary folder\n";
        return kExitRefused;
    }
    FatalHandlerScope fatal_handler(folder);
    SenderSettings settings;
    if (!LoadCliSettings(options.settings_path, folder.PathWithSeparator(), settings, err)) {
        return kExitRefused;
    }
    plan.ApplyTo(settings.CutPlan);
    if (!PlaceExportFile(settings, folder)) {
        err << "tarnik-cli: the temporary folder's path is too long\n";
        return kExitRefused;
    }
    return RunJob(options, settings, folder, out, err);
}

}  // namespace tarnik::cli
