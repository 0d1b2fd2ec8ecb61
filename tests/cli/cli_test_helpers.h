#pragma once
// Running tarnik-cli in-process from tests.
#include <sstream>
#include <string>
#include <vector>

#include "cli/console_job_seams.h"
#include "cli/run_cli.h"

namespace tarnik::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs "tarnik-cli args..." and collects its exit status and both streams.
inline CliResult RunTool(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"tarnik-cli"};
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    argv.push_back(nullptr);
    std::ostringstream out;
    std::ostringstream err;
    CliResult result;
    result.status = cli::RunCli(static_cast<int>(argv.size() - 1), argv.data(), out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// A file of the bundled samples.
inline std::string SampleFile(const char* name) {
    return std::string(TARNIK_SOURCE_DIR) + "/samples/" + name;
}

// The bytes a console hand-over captured, read in blocks as the cut command
// reads them.
inline std::string CapturedBytes(const cli::CapturingHandover& handover) {
    std::string bytes(handover.Size(), '\0');
    uint32_t done = 0;
    while (done < handover.Size()) {
        const uint32_t got = handover.Read(done, bytes.data() + done, 4096);
        if (got == 0) {
            bytes.resize(done);
            break;
        }
        done += got;
    }
    return bytes;
}

}  // namespace tarnik::testing
