// The work file's disk fills up mid-job (a file size limit makes the writes
// fail as a full disk does), for both models and for --output and --port:
// the user reads "Cannot write the work file!", the tool ends with status 1,
// nothing reaches the output file or the plotter, the private work folder is
// gone, and the next job with room on the disk goes through whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_test_helpers.h"
#include "support/posix/file_size_limit.h"
#include "support/posix/pty_plotter.h"
#include "support/posix/tmpdir_scope.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

using namespace std::chrono_literals;

// A design whose job is 14 KB (NVAS) to 60 KB (NVA): past the 8 KB limit.
std::string LongPlot() {
    std::string plot = "IN;SP1;PU0,0;PD";
    for (int i = 0; i < 6000; ++i) {
        plot += std::to_string(i * 3 % 4000) + "," + std::to_string(i * 7 % 3000) + ",";
    }
    plot.back() = ';';
    return plot + "PU;SP0;";
}

TEST(FullDisk, WorkFileThatCannotBeWrittenSendsNothing) {
    ScratchFolder folder;
    ScratchFolder temporary;
    TmpdirScope tmpdir(temporary.Path().c_str());
    const std::string plot = folder.File("long.plt");
    WriteWholeFile(plot, LongPlot());
    struct Case {
        const char* label;
        const char* mode;
        bool to_port;
    } cases[] = {{"NVA to a file", "1", false},
                 {"NVAS to a file", "2", false},
                 {"NVA to a plotter", "1", true},
                 {"NVAS to a plotter", "2", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string ini = folder.File("tarnik.ini");
        WriteWholeFile(ini, std::string("[Model]\r\nMode=") + c.mode + "\r\n");
        const std::string output = folder.File("out.job");
        PtyPlotter plotter;
        plotter.Run(0ms);
        std::vector<std::string> args{"cut", "--settings", ini};
        if (c.to_port) {
            args.insert(args.end(), {"--port", plotter.Device()});
        } else {
            args.insert(args.end(), {"--output", output});
        }
        args.push_back(plot);
        CliResult full;
        {
            FileSizeLimit limit(8 * 1024);
            full = RunTool(args);
        }
        EXPECT_EQ(full.status, 1);
        EXPECT_NE(full.err.find("Cannot write the work file!"), std::string::npos) << full.err;
        EXPECT_FALSE(FileExists(output));
        EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));

        const CliResult room = RunTool(args);
        EXPECT_EQ(room.status, 0) << room.err;
        if (c.to_port) {
            const std::string job = folder.File("expected.job");
            ASSERT_EQ(RunTool({"cut", "--settings", ini, "--output", job, plot}).status, 0);
            const std::string expected = ReadWholeFile(job);
            plotter.WaitFor(expected.size(), 10s);
            plotter.Stop();
            const std::vector<uint8_t>& received = plotter.Received();
            EXPECT_EQ(std::string(received.begin(), received.end()), expected);
        } else {
            plotter.Stop();
            EXPECT_TRUE(plotter.Received().empty());
            EXPECT_TRUE(FileExists(output));
            std::filesystem::remove(output);
        }
    }
}

}  // namespace
}  // namespace tarnik::testing
