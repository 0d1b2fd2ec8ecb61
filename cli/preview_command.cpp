// Previewing a job file as SVG.
#include "cli/preview_command.h"

#include <cstdio>
#include <memory>
#include <string>

#include "cli/file_kind.h"
#include "cli/job_decoder.h"
#include "cli/output_file.h"
#include "cli/svg_writer.h"

namespace tarnik::cli {
namespace {

// A job larger than this is not something this system writes for one sheet
// of vinyl; the bound keeps a wrong file name from eating the memory.
constexpr size_t kMaxJobBytes = size_t{512} * 1024 * 1024;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

enum class ReadResult { Ok, CannotOpen, TooLarge };

ReadResult ReadJobFile(const std::string& path, std::string& bytes) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return ReadResult::CannotOpen;
    }
    bytes.clear();
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
        if (bytes.size() + got > kMaxJobBytes) {
            return ReadResult::TooLarge;
        }
        bytes.append(chunk, got);
    }
    return std::ferror(file.get()) ? ReadResult::CannotOpen : ReadResult::Ok;
}

const char* ModelName(JobLanguage language) {
    return language == JobLanguage::Hpgl ? "NVAS (HPGL)" : "NVA (DM/PL)";
}

}  // namespace

int RunPreview(const CliOptions& options, std::ostream& out, std::ostream& err) {
    std::string bytes;
    switch (ReadJobFile(options.input_path, bytes)) {
        case ReadResult::Ok:
            break;
        case ReadResult::CannotOpen:
            err << "tarnik-cli: cannot read " << options.input_path << "\n";
            return kExitRefused;
        case ReadResult::TooLarge:
            err << "tarnik-cli: " << options.input_path << " is larger than 512 MB\n";
            return kExitRefused;
    }
    // A plot file reads as HPGL too, but at 31.496 units per millimetre: it
    // would be drawn 31 times too large.
    const std::string wrong_file = WrongFileForPreview(SniffFileKind(bytes), options.input_path);
    if (!wrong_file.empty()) {
        err << wrong_file;
        return kExitRefused;
    }
    DecodedJob job;
    if (!DecodeJob(bytes, job)) {
        err << "tarnik-cli: " << options.input_path
            << " is not a job of model NVA or NVAS (it must start with \";:\" or \"PU\")\n";
        return kExitRefused;
    }
    bytes = std::string();
    const std::string svg = RenderJobSvg(job);
    if (!WriteFileWhole(options.output_path, svg.data(), svg.size())) {
        err << "tarnik-cli: cannot write " << options.output_path << "\n";
        return kExitRefused;
    }
    if (job.malformed_commands > 0 || job.unknown_commands > 0 || !job.complete) {
        err << "tarnik-cli: warning: " << job.malformed_commands << " malformed and "
            << job.unknown_commands << " unknown commands passed over"
            << (job.complete ? "" : "; the job has no closing command") << "\n";
    }
    out << options.input_path << ": model " << ModelName(job.language) << ", " << job.cut_paths
        << " cut paths, " << job.paths.size() << " pen-up moves -> " << options.output_path << "\n";
    return kExitOk;
}

}  // namespace tarnik::cli
