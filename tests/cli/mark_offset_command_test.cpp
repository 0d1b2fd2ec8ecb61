// tarnik-cli mark-offset: refused values and command lines exit 2, the
// file gets the commands without the lead-in, formatted as the dialog does.
#include <gtest/gtest.h>

#include "cli_test_helpers.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

TEST(CliMarkOffset, CommandLinesAndTheFileTheyWrite) {
    struct Case {
        const char* label;
        std::vector<std::string> args;  // the output file is added last
        int status;
        const char* file;     // nullptr: no file written
        const char* message;  // part of what stderr says
    } cases[] = {
        {"defaults", {}, 0, "$A,0.00;\r\n$B,-0.00;\r\n$$\r\n", "Save OK!"},
        {"upper and right formatted",
         {"--upper", "1.5", "--right=.75"},
         0,
         "$A,-1.50;\r\n$B,-0.75;\r\n$$\r\n",
         "Save OK!"},
        {"lower and left, 1.2.3 read as 1.20",
         {"--lower", "1.2.3", "--left", "2"},
         0,
         "$A,1.20;\r\n$B,2.00;\r\n$$\r\n",
         "Save OK!"},
        {"a minus sign refused", {"--upper", "-1"}, 2, nullptr, "Input number or dot"},
        {"both of a pair", {"--left", "1", "--right", "1"}, 2, nullptr, "exclude each other"},
        {"port and output together", {"--port", "/dev/null"}, 2, nullptr, "either --port"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string path = folder.File("offset.plt");
        std::vector<std::string> args{"mark-offset"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--output", path});
        const CliResult result = RunTool(args);
        EXPECT_EQ(result.status, c.status) << c.label << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.label << ": " << result.err;
        EXPECT_EQ(FileExists(path), c.file != nullptr) << c.label;
        if (c.file != nullptr) {
            EXPECT_EQ(ReadWholeFile(path), c.file) << c.label;
        }
    }
    ScratchFolder folder;
    const CliResult unsaved =
        RunTool({"mark-offset", "--output", folder.File("missing/offset.plt")});
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_NE(unsaved.err.find("Save faild!"), std::string::npos) << unsaved.err;
}

}  // namespace
}  // namespace tarnik::testing
