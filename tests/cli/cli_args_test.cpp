// The command line: what parses, what is a usage error (status 2).
#include "cli/cli_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_test_helpers.h"

namespace tarnik::testing {
namespace {

struct UsageCase {
    const char* label;
    std::vector<std::string> args;
};

TEST(CliArgs, UsageErrorsExitWithStatusTwoAndTheUsageLine) {
    const UsageCase cases[] = {
        {"no command", {}},
        {"unknown command", {"scan", "x.plt"}},
        {"cut without plot file", {"cut"}},
        {"cut with two plot files", {"cut", "a.plt", "b.plt"}},
        {"unknown option", {"cut", "--baud", "1", "a.plt"}},
        {"port without device", {"cut", "a.plt", "--port"}},
        {"port and usb together", {"cut", "--port", "/dev/ttyS0", "--usb", "/dev/usb/lp0", "a"}},
        {"preview takes no port", {"preview", "j", "-o", "x.svg", "--port", "/dev/ttyS0"}},
        {"option without value", {"cut", "a.plt", "--output"}},
        {"empty option value", {"cut", "--output=", "a.plt"}},
        {"option twice", {"cut", "-o", "x", "--output", "y", "a.plt"}},
        {"marks with one number", {"cut", "--marks", "5", "a.plt"}},
        {"marks with three numbers", {"cut", "--marks", "1,2,3", "a.plt"}},
        {"marks not numbers", {"cut", "--marks", "a,b", "a.plt"}},
        {"marks beyond 32 bits", {"cut", "--marks", "4294967296,0", "a.plt"}},
        {"marks of 2^31", {"cut", "--marks", "2147483648,0", "a.plt"}},
        {"marks of 2^32-1", {"cut", "--marks", "0,4294967295", "a.plt"}},
        {"marks with blanks", {"cut", "--marks", " 1,2", "a.plt"}},
        {"preview without -o", {"preview", "job.plt"}},
        {"preview without job", {"preview", "-o", "x.svg"}},
        {"preview takes no settings", {"preview", "--settings", "t.ini", "j", "-o", "x.svg"}},
        {"empty file name", {"cut", ""}},
        {"units per inch not a number", {"cut", "--units-per-inch", "40/mm", "a.plt"}},
        {"units per inch of 0", {"cut", "--units-per-inch=0", "a.plt"}},
    };
    for (const UsageCase& test : cases) {
        SCOPED_TRACE(test.label);
        const CliResult result = RunTool(test.args);
        EXPECT_EQ(result.status, cli::kExitUsage);
        EXPECT_NE(result.err.find("usage: tarnik-cli cut"), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
}

// A user who reads the usage line or --help learns of every option of cut
// that the parser takes.
TEST(CliArgs, UsageAndHelpNameEveryOptionOfCut) {
    const char* const options[] = {"--settings", "--marks",          "--output",
                                   "--port",     "--units-per-inch", "--usb"};
    const std::string usage = cli::CliUsageText();
    const std::string help = cli::CliHelpText();
    for (const char* option : options) {
        SCOPED_TRACE(option);
        EXPECT_NE(usage.find(std::string(option) + " "), std::string::npos) << usage;
        EXPECT_NE(help.find(std::string("\n  ") + option + " "), std::string::npos);
    }
}

struct ParseCase {
    const char* label;
    std::vector<std::string> args;
    cli::CliOptions expected;
};

TEST(CliArgs, OptionsInAnyOrderAndBothSpellings) {
    using cli::CliCommand;
    const ParseCase cases[] = {
        {"plain cut", {"cut", "a.plt"}, {CliCommand::Cut, "", 0, 0, "", "a.plt", "", ""}},
        {"every option",
         {"cut", "--settings", "s.ini", "--marks", "3,-4", "--output", "o.job", "a.plt"},
         {CliCommand::Cut, "s.ini", 3, -4, "o.job", "a.plt", "", ""}},
        {"serial port",
         {"cut", "--port", "/dev/ttyUSB0", "a.plt"},
         {CliCommand::Cut, "", 0, 0, "", "a.plt", "/dev/ttyUSB0", ""}},
        {"options after the file",
         {"cut", "a.plt", "--marks=1000,1000", "-o", "o.job"},
         {CliCommand::Cut, "", 1000, 1000, "o.job", "a.plt", "", ""}},
        {"usb printer",
         {"cut", "--usb", "cups:plotter", "a.plt"},
         {CliCommand::Cut, "", 0, 0, "", "a.plt", "", "cups:plotter"}},
        {"plot file resolution",
         {"cut", "--units-per-inch", "1016", "a.plt"},
         {CliCommand::Cut, "", 0, 0, "", "a.plt", "", "", 1016}},
        {"file after --",
         {"cut", "--", "-odd.plt"},
         {CliCommand::Cut, "", 0, 0, "", "-odd.plt", "", ""}},
        {"preview",
         {"preview", "j.job", "-o", "p.svg"},
         {CliCommand::Preview, "", 0, 0, "p.svg", "j.job", "", ""}},
        {"help", {"--help"}, {}},
        {"help inside a command", {"cut", "a.plt", "-h"}, {}},
    };
    for (const ParseCase& test : cases) {
        SCOPED_TRACE(test.label);
        std::vector<const char*> argv{"tarnik-cli"};
        for (const std::string& arg : test.args) {
            argv.push_back(arg.c_str());
        }
        cli::CliOptions options;
        std::string error;
        ASSERT_TRUE(ParseCliArgs(static_cast<int>(argv.size()), argv.data(), options, error))
            << error;
        EXPECT_EQ(options.command, test.expected.command);
        EXPECT_EQ(options.settings_path, test.expected.settings_path);
        EXPECT_EQ(options.mark_a, test.expected.mark_a);
        EXPECT_EQ(options.mark_b, test.expected.mark_b);
        EXPECT_EQ(options.output_path, test.expected.output_path);
        EXPECT_EQ(options.input_path, test.expected.input_path);
        EXPECT_EQ(options.port_device, test.expected.port_device);
        EXPECT_EQ(options.usb_target, test.expected.usb_target);
        EXPECT_EQ(options.units_per_inch, test.expected.units_per_inch);
    }
}

TEST(CliArgs, HelpDescribesEveryOption) {
    const CliResult result = RunTool({"--help"});
    EXPECT_EQ(result.status, cli::kExitOk);
    for (const char* option :
         {"--settings", "--marks", "--output", "--port", "--usb", "-o", "preview", "cut"}) {
        SCOPED_TRACE(option);
        EXPECT_NE(result.out.find(option), std::string::npos);
    }
}

}  // namespace
}  // namespace tarnik::testing
