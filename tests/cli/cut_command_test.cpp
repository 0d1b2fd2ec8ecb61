// "tarnik-cli cut": the job's bytes go to the output file only when the job
// succeeds; every refusal says why on stderr, exits 1 and leaves no file.
#include "cli/cut_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_test_helpers.h"
#include "cli/job_decoder.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

constexpr char kSquare[] = "IN;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";

struct RefusalCase {
    const char* label;
    const char* plot;  // null: the plot file does not exist
    const char* ini;   // settings file given with --settings; null: none
    std::vector<std::string> extra_args;
    const char* message;
};

TEST(CutCommand, RefusalsSayWhyExitOneAndWriteNoOutput) {
    const RefusalCase cases[] = {
        {"over-long command",
         "IN;LB0123456789012345678901234567890123456789012345;PU0,0;PD9,9;",
         nullptr,
         {},
         "data error!"},
        {"no path in the file", "IN;SP1;PU;SP0;", nullptr, {}, "holds no path"},
        {"empty file", "", nullptr, {}, "holds no path"},
        {"missing plot file", nullptr, nullptr, {}, "Source file error!"},
        {"malformed point inside a path",
         "IN;PU0,0;PD123456789012345,1;",
         nullptr,
         {},
         "data error!"},
        {"marks not selected in a mark job",
         kSquare,
         "[CutConfig]\r\nCutImageMode=1\r\n",
         {"--marks", "1000,1000"},
         "Mark not be selected!"},
        {"HPGL model, over-long command",
         "IN;LB0123456789012345678901234567890123456789012345;",
         "[Model]\r\nMode=2\r\n",
         {},
         "data error!"},
        {"no plotter model", kSquare, "[Model]\r\nMode=3\r\n", {}, "no plotter model"},
        {"missing settings file",
         kSquare,
         nullptr,
         {"--settings", "/no/such/tarnik.ini"},
         "cannot read the settings file"},
    };
    for (const RefusalCase& test : cases) {
        SCOPED_TRACE(test.label);
        ScratchFolder folder;
        const std::string plot = folder.File("design.plt");
        if (test.plot != nullptr) {
            WriteWholeFile(plot, test.plot);
        }
        const std::string output = folder.File("out.job");
        std::vector<std::string> args{"cut", "--output", output};
        if (test.ini != nullptr) {
            WriteWholeFile(folder.File("t.ini"), test.ini);
            args.insert(args.end(), {"--settings", folder.File("t.ini")});
        }
        args.insert(args.end(), test.extra_args.begin(), test.extra_args.end());
        args.push_back(plot);
        const CliResult result = RunTool(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
        EXPECT_FALSE(FileExists(output));
        // Nothing half-written beside the output either.
        EXPECT_FALSE(FileExists(output + ".part0"));
        if (test.plot != nullptr) {
            EXPECT_EQ(ReadWholeFile(plot), test.plot);
        }
    }
}

// What the tool adds for each way the job driver turns a job away: nothing
// where the pipeline's own message has gone to stderr already.
TEST(CutCommand, RefusalReasonPerOutcome) {
    const struct {
        JobOutcome outcome;
        const char* reason;
    } cases[] = {
        {JobOutcome::Busy, ""},
        {JobOutcome::LineNotUsable, ""},
        {JobOutcome::MarksNotSelected, ""},
        {JobOutcome::Unreadable, "tarnik-cli: cannot read d.plt\n"},
        {JobOutcome::DataError, ""},
        {JobOutcome::EmptyDesign, "tarnik-cli: d.plt holds no path to cut\n"},
        {JobOutcome::MarkBandsTooNarrow, ""},
        {JobOutcome::Declined, "tarnik-cli: the job was declined; nothing was encoded\n"},
        {JobOutcome::NoPlotterModel,
         "tarnik-cli: the settings file's [Model] Mode key names the plotter model: Mode=1 for "
         "NVA, Mode=2 for NVAS\n"},
        {JobOutcome::SourceFileError, ""},
        {JobOutcome::UsbSendFailed, "tarnik-cli: the USB printer port did not take the job\n"},
        {JobOutcome::NotSent, ""},
        {JobOutcome::Encoded, "tarnik-cli: the job reached no transport\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outcome));
        EXPECT_EQ(cli::RefusalReason(c.outcome, "d.plt"), c.reason);
    }
}

// Cuts the bundled sample with the bundled settings (point reduction,
// closing overcut, knife offset) for the model of mode ("Mode=1" or
// "Mode=2") into job.
CliResult CutSample(const ScratchFolder& folder, const char* mode, const std::string& job) {
    std::string ini = ReadWholeFile(SampleFile("tarnik.ini"));
    const size_t at = ini.find("Mode=1");
    if (at != std::string::npos) {
        ini.replace(at, 6, mode);
    }
    WriteWholeFile(folder.File("tarnik.ini"), ini);
    return RunTool(
        {"cut", "--settings", folder.File("tarnik.ini"), "-o", job, SampleFile("sign.plt")});
}

// The bundled sample for both models.
TEST(CutCommand, CutsTheBundledSampleForBothModels) {
    struct Case {
        const char* label;
        const char* mode;
        const char* starts;
        const char* ends;
    } cases[] = {
        {"NVA", "Mode=1", ";:H A L0 EC1 U U0,0 D0,0,0,80 ", " U0,0 @"},
        {"NVAS", "Mode=2", "PU0,0;PD0,0;PD0,2;PU", ";!PG;"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.label);
        ScratchFolder folder;
        const std::string job = folder.File("sign.job");
        const CliResult cut = CutSample(folder, test.mode, job);
        ASSERT_EQ(cut.status, 0) << cut.err;
        const std::string bytes = ReadWholeFile(job);
        EXPECT_TRUE(bytes.starts_with(test.starts)) << bytes.substr(0, 80);
        EXPECT_TRUE(bytes.ends_with(test.ends)) << bytes.substr(bytes.size() - 40);
        EXPECT_NE(cut.out.find("290.01 x 140.02 mm at 800 units per inch, 9 cut paths and the "
                               "knife-orientation cut, " +
                               std::to_string(bytes.size()) + " bytes"),
                  std::string::npos)
            << cut.out;
        const CliResult preview = RunTool({"preview", job, "-o", folder.File("sign.svg")});
        ASSERT_EQ(preview.status, 0) << preview.err;
        EXPECT_TRUE(preview.err.empty()) << preview.err;
    }
}

// Model NVAS reworks the paths in plotter units as model NVA does and only
// writes them in its own frame: the sample's NVAS job is its NVA job with
// every point scaled by 0.031750063500127004 and truncated, a point that then
// falls on the one before it written once. The orientation cut (a fixed
// text, checked above) and the trailers are left out.
TEST(CutCommand, TheNvasJobIsTheNvaJobInItsOwnFrame) {
    ScratchFolder folder;
    cli::DecodedJob jobs[2];
    const char* const modes[] = {"Mode=1", "Mode=2"};
    for (int model = 0; model < 2; ++model) {
        const std::string job = folder.File(std::string(modes[model]) + ".job");
        ASSERT_EQ(CutSample(folder, modes[model], job).status, 0);
        ASSERT_TRUE(cli::DecodeJob(ReadWholeFile(job), jobs[model]));
        ASSERT_GT(jobs[model].paths.size(), 2u);
        jobs[model].paths.pop_back();
        jobs[model].paths.erase(jobs[model].paths.begin());
    }
    // Each path as text, "x,y x,y ...", one per line.
    std::string nva_scaled;
    for (const cli::JobPath& path : jobs[0].paths) {
        cli::JobPoint last{INT32_MIN, INT32_MIN};
        for (const cli::JobPoint& point : path.points) {
            const cli::JobPoint scaled{static_cast<int32_t>(point.x * 0.031750063500127004),
                                       static_cast<int32_t>(point.y * 0.031750063500127004)};
            if (!(scaled == last)) {
                nva_scaled += std::to_string(scaled.x) + "," + std::to_string(scaled.y) + " ";
            }
            last = scaled;
        }
        nva_scaled += "\n";
    }
    std::string nvas;
    for (const cli::JobPath& path : jobs[1].paths) {
        for (const cli::JobPoint& point : path.points) {
            nvas += std::to_string(point.x) + "," + std::to_string(point.y) + " ";
        }
        nvas += "\n";
    }
    EXPECT_EQ(nvas, nva_scaled);
}

TEST(CutCommand, RefusedJobLeavesAnOlderOutputFileAsItWas) {
    ScratchFolder folder;
    const std::string plot = folder.File("empty.plt");
    const std::string output = folder.File("out.job");
    WriteWholeFile(plot, "IN;");
    WriteWholeFile(output, "older job");
    EXPECT_EQ(RunTool({"cut", "-o", output, plot}).status, 1);
    EXPECT_EQ(ReadWholeFile(output), "older job");
}

TEST(CutCommand, WritesTheJobBytesAndLeavesThePlotFileAlone) {
    ScratchFolder folder;
    const std::string plot = folder.File("square.plt");
    const std::string output = folder.File("square.job");
    WriteWholeFile(plot, kSquare);
    WriteWholeFile(output, "an older, longer job that is replaced whole");
    const CliResult result = RunTool({"cut", "--output", output, plot});
    ASSERT_EQ(result.status, 0) << result.err;
    // Model NVA with every option off: header, the square (plotter x runs
    // down from the design's top edge), the closing pen-up, the return home.
    EXPECT_EQ(ReadWholeFile(output),
              ";:H A L0 EC1 U U3150,0 D3150,3150,0,3150,0,0,3150,0 U3150,0 U0,0 @");
    EXPECT_EQ(ReadWholeFile(plot), kSquare);
    // 3150 / 31.496000289916992, shown to 0.01 mm.
    EXPECT_NE(result.out.find("100.01 x 100.01 mm at 800 units per inch, 1 cut paths, 66 bytes"),
              std::string::npos)
        << result.out;
}

// A plot file at another resolution is cut at its true size once its
// resolution is given, and the summary always names the resolution read at.
TEST(CutCommand, ReadsThePlotFileAtTheResolutionGiven) {
    // The 100 mm square at 1016 units per inch, as Inkscape's own save
    // writes it by default.
    constexpr char k1016Square[] = "IN;SP1;PU0,0;PD4000,0;PD4000,4000;PD0,4000;PD0,0;PU0,0;";
    const std::string square_job =
        ";:H A L0 EC1 U U3150,0 D3150,3150,0,3150,0,0,3150,0 U3150,0 U0,0 @";
    const struct {
        const char* label;
        const char* plot;
        std::vector<std::string> args;
        const char* summary;
    } cases[] = {
        {"800 by default", kSquare, {}, "100.01 x 100.01 mm at 800 units per inch"},
        {"1016 given",
         k1016Square,
         {"--units-per-inch", "1016"},
         "100.01 x 100.01 mm at 1016 units per inch"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string plot = folder.File("square.plt");
        const std::string output = folder.File("square.job");
        WriteWholeFile(plot, c.plot);
        std::vector<std::string> args{"cut", "-o", output};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back(plot);
        const CliResult result = RunTool(args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(ReadWholeFile(output), square_job);
        EXPECT_NE(result.out.find(c.summary), std::string::npos) << result.out;
    }
}

// An output that is the input under any of its names would replace the
// design being cut (or the job being drawn) with the result.
TEST(CutCommand, AnOutputThatIsTheInputFileIsRefused) {
    enum class Name { Same, OtherSpelling, HardLink, SymbolicLink };
    const struct {
        const char* label;
        const char* command;
        Name name;
    } cases[] = {
        {"cut, the same name", "cut", Name::Same},
        {"cut, another spelling", "cut", Name::OtherSpelling},
        {"cut, a hard link", "cut", Name::HardLink},
        {"cut, a symbolic link", "cut", Name::SymbolicLink},
        {"preview, the same name", "preview", Name::Same},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string input = folder.File("design.plt");
        WriteWholeFile(input, kSquare);
        std::string output = input;
        std::error_code error;
        if (c.name == Name::OtherSpelling) {
            output = (folder.Path() / "." / "design.plt").string();
        } else if (c.name == Name::HardLink) {
            output = folder.File("link.plt");
            std::filesystem::create_hard_link(input, output, error);
        } else if (c.name == Name::SymbolicLink) {
            output = folder.File("link.plt");
            std::filesystem::create_symlink(input, output, error);
        }
        if (error) {
            continue;  // the file system has no links of that kind
        }
        const CliResult result = RunTool({c.command, input, "-o", output});
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find("is the input file itself"), std::string::npos) << result.err;
        EXPECT_EQ(ReadWholeFile(input), kSquare);
        EXPECT_EQ(ReadWholeFile(output), kSquare);
        EXPECT_FALSE(FileExists(output + ".part0"));
    }
}

TEST(CutCommand, WithoutOutputTheJobIsEncodedAndSummarisedOnly) {
    ScratchFolder folder;
    const std::string plot = folder.File("square.plt");
    WriteWholeFile(plot, kSquare);
    const CliResult result = RunTool({"cut", plot});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("not sent"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("no transport"), std::string::npos) << result.err;
}

TEST(CutCommand, UnwritableOutputIsARefusal) {
    ScratchFolder folder;
    const std::string plot = folder.File("square.plt");
    WriteWholeFile(plot, kSquare);
    const std::string output = folder.File("no-such-folder") + "/out.job";
    const CliResult result = RunTool({"cut", "-o", output, plot});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
    EXPECT_FALSE(FileExists(output));
}

TEST(CutCommand, AJobTooLargeToHoldInMemoryIsCopiedWhole) {
    // 2400 zigzag lines of 200 points: a DM/PL job of about 4.7 MB, which the
    // job buffer leaves in the work file and the cut command copies to its
    // output in blocks.
    const int kPaths = 2400;
    const int kPoints = 200;
    const int max_y = (kPaths - 1) * 3 + 1;
    std::string plot = "IN;SP1;";
    std::string expected = ";:H A L0 EC1 U ";
    for (int p = 0; p < kPaths; ++p) {
        for (int k = 0; k < kPoints; ++k) {
            const int x = k * 10 + p;
            const int y = p * 3 + k % 2;
            const std::string pair = std::to_string(x) + "," + std::to_string(y);
            plot += (k == 0 ? "PU" : "PD") + pair + ";\r\n";
            // Plotter x runs down from the design's top edge, plotter y
            // across from its left edge.
            const std::string mapped = std::to_string(max_y - y) + "," + std::to_string(x);
            expected += (k == 0 ? "U" : k == 1 ? "D" : ",") + mapped + (k == 0 ? " " : "");
        }
        expected += " ";
    }
    plot += "PU;SP0;";
    expected += "U0,0 @";
    ASSERT_GT(expected.size(), std::size_t{4} * 1024 * 1024);

    ScratchFolder folder;
    const std::string input = folder.File("large.plt");
    const std::string output = folder.File("large.job");
    WriteWholeFile(input, plot);
    const CliResult result = RunTool({"cut", "--output", output, input});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(ReadWholeFile(output) == expected) << "the output differs";
    EXPECT_NE(result.out.find(", 2400 cut paths, " + std::to_string(expected.size()) + " bytes"),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(ReadWholeFile(input) == plot) << "the plot file changed";
}

// The current folder for the life of the object.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::filesystem::path previous_;
};

// A settings file named relative to the current folder is the one read, on
// Windows too, where the profile functions would look a relative name up in
// the Windows folder and quietly fall back to the defaults.
TEST(CutCommand, ReadsSettingsNamedRelativeToTheCurrentFolder) {
    const struct {
        const char* label;
        std::vector<std::string> settings_args;
    } cases[] = {
        {"--settings with a relative name", {"--settings", "tarnik.ini"}},
        {"tarnik.ini of the current folder", {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.label);
        ScratchFolder folder;
        // Model NVAS: an HPGL job, where the defaults would give DM/PL.
        WriteWholeFile(folder.File("tarnik.ini"), "[Model]\r\nMode=2\r\n");
        const std::string plot = SampleFile("sign.plt");
        const std::string job = folder.File("sign.job");
        CurrentFolder inside(folder.Path());
        std::vector<std::string> args = {"cut"};
        args.insert(args.end(), test.settings_args.begin(), test.settings_args.end());
        args.insert(args.end(), {"-o", job, plot});
        const CliResult cut = RunTool(args);
        ASSERT_EQ(cut.status, 0) << cut.err;
        const std::string bytes = ReadWholeFile(job);
        EXPECT_TRUE(bytes.starts_with("PU") && bytes.ends_with(";!PG;")) << bytes.substr(0, 40);
    }
}

// "help" after cut is a plot file's name like any other.
TEST(CutCommand, APlotFileNamedHelpIsCut) {
    ScratchFolder folder;
    WriteWholeFile(folder.File("help"), kSquare);
    CurrentFolder inside(folder.Path());
    const CliResult cut = RunTool({"cut", "-o", "square.job", "help"});
    EXPECT_EQ(cut.status, 0) << cut.err;
    EXPECT_TRUE(cut.out.starts_with("help: ")) << cut.out;
    EXPECT_FALSE(ReadWholeFile(folder.File("square.job")).empty());
}

}  // namespace
}  // namespace tarnik::testing
