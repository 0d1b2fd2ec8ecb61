#pragma once
// Running tarnik-cli in-process from tests.
#include <sstream>
#include <string>
#include <vector>

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

}  // namespace tarnik::testing
