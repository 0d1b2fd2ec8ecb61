// Reading jobs back: hand-written job texts of both languages, a round trip
// through the real encoders, and garbage that must neither crash nor grow
// without bound.
#include "cli/job_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_test_helpers.h"
#include "cli/console_job_seams.h"
#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/hpgl_encoder.h"
#include "sender/pipeline/hpgl_scale.h"
#include "sender/pipeline/plot_reader.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

using cli::DecodedJob;
using cli::JobLanguage;
using cli::JobPoint;
using Paths = std::vector<std::vector<JobPoint>>;

Paths PathsOf(const DecodedJob& job) {
    Paths paths;
    for (const cli::JobPath& path : job.paths) {
        paths.push_back(path.points);
    }
    return paths;
}

std::string Describe(const Paths& paths) {
    std::ostringstream text;
    for (const auto& path : paths) {
        text << "[";
        for (const JobPoint& point : path) {
            text << " " << point.x << "," << point.y;
        }
        text << " ]";
    }
    return text.str();
}

struct DecodeCase {
    const char* label;
    const char* job;
    JobLanguage language;
    Paths paths;
    bool complete;
    size_t cut_paths;
};

TEST(JobDecoder, ReadsHandWrittenJobsOfBothLanguages) {
    const DecodeCase cases[] = {
        {"DM/PL square, plain writer",
         ";:H A L0 EC1 U U0,0 D100,0,100,100,0,100,0,0 U0,0 @",
         JobLanguage::Dmpl,
         {{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, {{0, 0}}},
         true,
         1},
        {"DM/PL two-point path and a single point",
         ";:H A L0 EC1 U U5,6 D7,8 U9,9 U0,0 @",
         JobLanguage::Dmpl,
         {{{5, 6}, {7, 8}}, {{9, 9}}, {{0, 0}}},
         true,
         1},
        {"DM/PL dashed line (one command per change)",
         ";:H A L0 EC1 U U0,0 D31,0 U62,0 D93,0 U100,0 U0,0 @",
         JobLanguage::Dmpl,
         {{{0, 0}, {31, 0}}, {{62, 0}, {93, 0}}, {{100, 0}}, {{0, 0}}},
         true,
         2},
        {"DM/PL orientation cut, mark header, feed trailer, negative values",
         ";:H A L0 EC1 U U0,0 D0,0,0,80 MK10000,9000,3,2 U-5,7 D-5,-9 U0,0 GE; U629,314 @",
         JobLanguage::Dmpl,
         {{{0, 0}, {0, 0}, {0, 80}}, {{-5, 7}, {-5, -9}}, {{0, 0}}, {{629, 314}}},
         true,
         2},
        {"DM/PL without its closing @",
         ";:H A L0 EC1 U U1,1 D2,2",
         JobLanguage::Dmpl,
         {{{1, 1}, {2, 2}}},
         false,
         1},
        {"DM/PL bytes after @ are not read",
         ";:H U1,1 @ D5,5",
         JobLanguage::Dmpl,
         {{{1, 1}}},
         true,
         0},
        {"HPGL worked example",
         "PU100,0;PD100,100;PD0,100;PD0,0;PD100,0;PU100,0;PU300,0;!PG;",
         JobLanguage::Hpgl,
         {{{100, 0}, {100, 100}, {0, 100}, {0, 0}, {100, 0}}, {{100, 0}}, {{300, 0}}},
         true,
         1},
        {"HPGL orientation cut and a one-point path",
         "PU0,0;PD0,0;PD0,80;PU4,4;PU200,0;!PG;",
         JobLanguage::Hpgl,
         {{{0, 0}, {0, 0}, {0, 80}}, {{4, 4}}, {{200, 0}}},
         true,
         1},
        {"HPGL pen down without pen-up move starts at the pen",
         "IN;PD3,4;PU;PD5,5;",
         JobLanguage::Hpgl,
         {{{0, 0}, {3, 4}}, {{3, 4}, {5, 5}}},
         false,
         2},
    };
    for (const DecodeCase& test : cases) {
        SCOPED_TRACE(test.label);
        DecodedJob job;
        ASSERT_TRUE(cli::DecodeJob(test.job, job));
        EXPECT_EQ(job.language, test.language);
        EXPECT_EQ(Describe(PathsOf(job)), Describe(test.paths));
        EXPECT_EQ(job.complete, test.complete);
        EXPECT_EQ(job.cut_paths, test.cut_paths);
        EXPECT_EQ(cli::CountCutPaths(test.job), test.cut_paths);
        EXPECT_EQ(job.malformed_commands, 0u);
        EXPECT_EQ(job.unknown_commands, 0u);
    }
}

TEST(JobDecoder, RefusesTextInNoKnownLanguage) {
    for (const char* text : {"", "hello", "\x1b%-12345X", "U0,0 @"}) {
        SCOPED_TRACE(text);
        DecodedJob job;
        EXPECT_FALSE(cli::DecodeJob(text, job));
        EXPECT_TRUE(job.paths.empty());
    }
}

// Paths as the plot reader forms them, with the mapping the encoder starts
// from: what a job written with every rework option off must decode to.
Paths ReadPlotPaths(const std::string& plot, PlotMapping mapping) {
    CutPath path;
    PlotPathReader reader(path, mapping);
    Paths paths;
    if (!reader.Open(plot.c_str())) {
        return paths;
    }
    for (;;) {
        const PlotPathReader::Event event = reader.Next();
        if (event == PlotPathReader::Event::End || event == PlotPathReader::Event::DataError) {
            break;
        }
        if (event == PlotPathReader::Event::PathReady) {
            // An HPGL job writes its points in its own frame.
            if (mapping.hpgl_scale && !ScaleHpglPath(path, HpglScale{})) {
                break;
            }
            paths.emplace_back();
            for (const PathPoint* point = path.head; point != nullptr; point = point->next) {
                paths.back().push_back({point->x, point->y});
            }
            path.Release();
        }
    }
    return paths;
}

struct RoundTripCase {
    const char* label;
    bool hpgl;
};

TEST(JobDecoder, ReadsBackWhatTheEncodersWrite) {
    const RoundTripCase cases[] = {{"DM/PL", false}, {"HPGL", true}};
    for (const RoundTripCase& test : cases) {
        SCOPED_TRACE(test.label);
        ScratchFolder folder;
        const std::string plot = folder.File("design.plt");
        WriteWholeFile(plot, ReadWholeFile(SampleFile("sign.plt")));
        SenderSettings settings;
        settings.ModelIndex = test.hpgl ? 1 : 0;
        std::ostringstream err;
        cli::ConsoleJobView view(err);
        cli::CapturingHandover handover(err);
        OpenSendGate gate;
        JobContext job(settings, view, handover, gate);
        job.TempFolder = folder.Path().string() + "/";
        job.HpglWorkFolder = job.TempFolder;
        ASSERT_TRUE(ScanPlotFile(plot.c_str(), job.extent));
        job.mapping.XOrigin = job.extent.MinX;
        job.mapping.YTop = job.extent.MaxY;
        PlotMapping expected_mapping = job.mapping;
        expected_mapping.hpgl_scale = test.hpgl;
        const Paths expected = ReadPlotPaths(plot, expected_mapping);
        ASSERT_EQ(expected.size(), 9u);

        ASSERT_EQ(test.hpgl ? EncodeHpglJob(plot.c_str(), job) : EncodeDmplJob(plot.c_str(), job),
                  JobOutcome::Encoded)
            << err.str();
        ASSERT_TRUE(handover.Captured());
        DecodedJob decoded;
        ASSERT_TRUE(cli::DecodeJob(CapturedBytes(handover), decoded));
        EXPECT_EQ(decoded.language, test.hpgl ? JobLanguage::Hpgl : JobLanguage::Dmpl);
        EXPECT_TRUE(decoded.complete);
        EXPECT_EQ(decoded.malformed_commands + decoded.unknown_commands, 0u);
        Paths got = PathsOf(decoded);
        // Behind the design: the trailer's pen-up move home (DM/PL) or clear
        // of the design (HPGL), a path of one point.
        ASSERT_EQ(got.size(), expected.size() + 1);
        EXPECT_EQ(got.back().size(), 1u);
        got.pop_back();
        EXPECT_EQ(Describe(got), Describe(expected));
        EXPECT_EQ(decoded.cut_paths, 9u);
    }
}

// Any bytes at all: no crash, and at most one point per two input bytes
// (the shortest point a job can hold is ",1,2" or "U1,2": four bytes).
TEST(JobDecoder, GarbageNeitherCrashesNorGrowsWithoutBound) {
    std::mt19937 random(20240611);
    const std::string alphabet = "UDPU,;:-+0123456789 @!GEMKIN\r\n\x80\xff";
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        std::string text = round % 2 == 0 ? ";:" : "PU";
        const size_t length = random() % 3000;
        for (size_t i = 0; i < length; ++i) {
            text += random() % 4 == 0 ? static_cast<char>(random() % 256)
                                      : alphabet[random() % alphabet.size()];
        }
        DecodedJob job;
        ASSERT_TRUE(cli::DecodeJob(text, job));
        size_t points = 0;
        for (const cli::JobPath& path : job.paths) {
            ASSERT_FALSE(path.points.empty());
            points += path.points.size();
        }
        EXPECT_LE(points, text.size() / 2 + 1);
    }
}

TEST(JobDecoder, MalformedCommandsArePassedOverAndCounted) {
    const struct {
        const char* label;
        const char* job;
        size_t points;
    } cases[] = {
        {"number beyond 32 bits", ";:H U99999999999,1 U1,1 @", 1},
        {"lone commas", ";:H ,,, D,,1 U1,1 @", 1},
        {"HPGL odd numbers", "PU1,2,3;PU4,5;!PG;", 1},
        {"HPGL sign without digits", "PU-,5;PD+;PU1,1;!PG;", 1},
        {"HPGL letters in numbers", "PU1x,2;PU3,4;", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.label);
        DecodedJob job;
        ASSERT_TRUE(cli::DecodeJob(test.job, job));
        EXPECT_GE(job.malformed_commands, 1u);
        size_t points = 0;
        for (const cli::JobPath& path : job.paths) {
            points += path.points.size();
        }
        EXPECT_EQ(points, test.points);
    }
}

}  // namespace
}  // namespace tarnik::testing
