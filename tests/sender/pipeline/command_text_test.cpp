// Command text rendered in place: templates taken apart once, numbers by
// to_chars, checked against the printf rendering the plotter languages are
// defined by; and whole generated jobs that must come out the same whether
// the job buffer holds them in memory or reads them from the work file.
#include "sender/pipeline/command_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/dmpl_writers.h"
#include "sender/pipeline/fakes/job_rig.h"
#include "sender/pipeline/hpgl_encoder.h"

namespace tarnik {
namespace {

using testing::JobBytes;
using testing::JobRig;

TEST(CommandTemplate, RendersLikeItsFormat) {
    const int32_t kMin = -2147483647 - 1;
    struct Case {
        const char* label;
        const char* text;
        std::vector<int32_t> values;
        const char* expected;
    } cases[] = {
        {"two slots", "U%d,%d ", {12, -34}, "U12,-34 "},
        {"slot first", ",%d,%d", {0, 7}, ",0,7"},
        {"the 32-bit extremes", "D%d,%d", {kMin, 2147483647}, "D-2147483648,2147483647"},
        {"four slots", "MK%d,%d,%d,%d ", {1, 22, 333, 4444}, "MK1,22,333,4444 "},
        {"a percent sign", "%d%%", {50}, "50%"},
        {"missing values render as 0", "A%dB%d", {9}, "A9B0"},
        {"a fifth slot stays literal text", "%d%d%d%d%d", {1, 2, 3, 4, 5}, "1234%d"},
        {"other conversions stay literal text", "%s%x%", {}, "%s%x%"},
        {"no slot", "U0,0 @", {}, "U0,0 @"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const CommandTemplate command(c.text);
        EXPECT_EQ(command.ToString(c.values.data(), c.values.size()), c.expected);
    }
}

// Numbers of every digit count and both signs, each digit-count boundary
// and a dense sweep of the coordinate range of a plotter bed, against printf.
TEST(CommandText, NumbersMatchPrintf) {
    std::vector<int32_t> values = {0, -1, 2147483647, -2147483647 - 1};
    for (int64_t power = 1; power <= 1000000000; power *= 10) {
        for (int64_t v : {power - 1, power, power + 1}) {
            values.push_back(static_cast<int32_t>(v));
            values.push_back(static_cast<int32_t>(-v));
        }
    }
    for (int32_t v = -200000; v <= 2000000; ++v) values.push_back(v);
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) values.push_back(static_cast<int32_t>(random()));
    for (const int32_t value : values) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "%d", static_cast<int>(value));
        char rendered[32];
        std::memset(rendered, 'z', sizeof rendered);
        const char* const end = PutNumber(rendered, value);
        ASSERT_EQ(std::string(rendered, static_cast<std::size_t>(end - rendered)), expected)
            << value;
        // The number's room is 11 bytes: nothing behind it is touched.
        ASSERT_EQ(std::string(rendered + 11, 21), std::string(21, 'z')) << value;
    }
}

// A run over a whole list comes out as one Render per node, for templates
// taken the quick way and the general way, across many buffer drains.
TEST(CommandTemplate, RenderEachMatchesRenderPerPoint) {
    const std::string long_piece(20, 'L');
    const struct {
        const char* label;
        std::string text;
    } cases[] = {
        {"short pieces", ",%d,%d"},
        {"text around both numbers", "PD%d,%d;"},
        {"a piece longer than one copy", long_piece + "%d,%d" + long_piece},
        {"one slot", "X%d;"},
    };
    std::vector<PathPoint> nodes(700);
    std::mt19937 random(5);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        nodes[i].x = static_cast<int32_t>(random());
        nodes[i].y = static_cast<int32_t>(random() % 100000) - 50000;
        nodes[i].next = i + 1 < nodes.size() ? &nodes[i + 1] : nullptr;
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const CommandTemplate command(c.text.c_str());
        StringCommandOutput each;
        command.RenderEach(each, nodes.data());
        StringCommandOutput single;
        for (const PathPoint& node : nodes) command.Render(single, node.x, node.y);
        EXPECT_EQ(each.Text(), single.Text());
    }
}

TEST(CommandTemplate, OverLongTextIsCutAtItsBound) {
    const std::string text(100, 'x');
    const CommandTemplate command((text + "%d").c_str());
    EXPECT_EQ(command.Slots(), 0u);
    EXPECT_EQ(command.ToString(nullptr, 0), std::string(CommandTemplate::kMaxText, 'x'));
}

// Random paths: small numbers, numbers of every length and the extremes.
std::vector<std::vector<PathPoint>> RandomPaths(uint32_t seed, int count) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int32_t> any(-2147483647 - 1, 2147483647);
    std::uniform_int_distribution<int32_t> small(-40000, 40000);
    std::uniform_int_distribution<int> length(1, 40);
    std::vector<std::vector<PathPoint>> paths(count);
    for (auto& path : paths) {
        path.resize(length(random));
        for (PathPoint& p : path) {
            const bool wide = random() % 8 == 0;
            p.x = wide ? any(random) : small(random);
            p.y = wide ? any(random) : small(random);
        }
    }
    return paths;
}

void Build(CutPath& path, const std::vector<PathPoint>& points) {
    path.Open(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        path.InsertPointAfter(path.tail, points[i].x, points[i].y);
        path.tail = path.tail->next;
    }
}

// "<lead>x,y<tail>" as printf renders it.
std::string Printed(const char* lead, int32_t x, int32_t y, const char* tail) {
    char text[96];
    std::snprintf(text, sizeof text, "%s%d,%d%s", lead, static_cast<int>(x), static_cast<int>(y),
                  tail);
    return text;
}

TEST(CommandText, WritersMatchThePrintfRenderingOverRandomPaths) {
    const DmplWriter writer;
    StringCommandOutput dmpl;
    StringCommandOutput hpgl;
    std::string expected_dmpl;
    std::string expected_hpgl;
    for (const auto& points : RandomPaths(7, 3000)) {
        CutPath path;
        Build(path, points);
        writer.PlainPath(dmpl, path);
        AppendHpglPath(hpgl, path);
        expected_dmpl += Printed("U", points[0].x, points[0].y, " ");
        expected_hpgl += Printed("PU", points[0].x, points[0].y, ";");
        for (std::size_t i = 1; i < points.size(); ++i) {
            const char* lead = i > 1 ? "," : "D";
            const char* tail = points.size() == 2 ? " " : "";
            expected_dmpl += Printed(lead, points[i].x, points[i].y, tail);
            expected_hpgl += Printed("PD", points[i].x, points[i].y, ";");
        }
        if (points.size() >= 3) {
            expected_dmpl += " ";
        }
    }
    EXPECT_EQ(dmpl.Text(), expected_dmpl);
    EXPECT_EQ(hpgl.Text(), expected_hpgl);
}

// A plot file of many outlines in the drawing program's style.
std::string GeneratedPlot(int outlines) {
    std::mt19937 random(11);
    std::string plot = "IN;IW0,0,40000,20000;SP1;\r\n";
    for (int i = 0; i < outlines; ++i) {
        const int32_t cx = 1000 + static_cast<int32_t>(random() % 38000);
        const int32_t cy = 1000 + static_cast<int32_t>(random() % 18000);
        const int points = 2 + static_cast<int>(random() % 30);
        for (int k = 0; k < points; ++k) {
            plot += (k == 0 ? "PU" : "PD") + std::to_string(cx + static_cast<int>(random() % 900)) +
                    "," + std::to_string(cy + static_cast<int>(random() % 900)) + ";\r\n";
        }
    }
    return plot + "PU;SP0;\r\n";
}

TEST(CommandText, LargeJobsAreTheSameInMemoryAndStreamed) {
    struct Case {
        const char* label;
        bool hpgl;
        uint8_t port_type;
        bool rework;
    } cases[] = {
        {"DM/PL serial", false, 0, false},
        {"DM/PL serial, paths reworked", false, 0, true},
        {"DM/PL over USB", false, 1, false},
        {"HPGL serial", true, 0, false},
    };
    const std::string plot = GeneratedPlot(5000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::string jobs[2];
        for (int streamed = 0; streamed < 2; ++streamed) {
            JobRig rig;
            rig.settings.PortType = c.port_type;
            rig.settings.ReducePointEnble = c.rework ? 1 : 0;
            rig.settings.CloseEnble = c.rework ? 1 : 0;
            rig.settings.SharpEnble = c.rework ? 1 : 0;
            rig.job.mapping.YTop = 20000;
            rig.job.JobMemoryLimit = streamed != 0 ? 0 : std::size_t{1} << 30;
            const std::string path = rig.Plot(plot);
            ASSERT_EQ(c.hpgl ? EncodeHpglJob(path.c_str(), rig.job)
                             : EncodeDmplJob(path.c_str(), rig.job),
                      JobOutcome::Encoded);
            const JobBuffer& serial = rig.handover.serial_job;
            jobs[streamed] = c.port_type == 1 ? rig.handover.usb_job : JobBytes(serial);
            ASSERT_GT(jobs[streamed].size(), 2u * JobBuffer::kWindowSize);
            if (c.port_type == 0) {
                EXPECT_EQ(serial.InMemory(), streamed == 0);
                // The HPGL job's data is followed by a zero byte however it
                // is held.
                char behind = 'x';
                EXPECT_EQ(serial.Read(serial.Size(), &behind, 1), c.hpgl ? 1u : 0u);
                EXPECT_EQ(behind, c.hpgl ? '\0' : 'x');
            }
        }
        EXPECT_EQ(jobs[0], jobs[1]);
    }
}

}  // namespace
}  // namespace tarnik
