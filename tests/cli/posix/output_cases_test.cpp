// Where a job goes besides a plain new file: through a symbolic link, into a
// FIFO, to a device while a file takes a copy. A job over 4 MiB stays in its
// work file and is streamed from there, which takes other roads than a
// small one held in memory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "../cli_test_helpers.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

constexpr char kSquare[] = "IN;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";

// 2400 zigzag lines of 200 points: a job of about 4.7 MB.
std::string LargePlot() {
    std::string plot = "IN;SP1;";
    for (int p = 0; p < 2400; ++p) {
        for (int k = 0; k < 200; ++k) {
            plot += (k == 0 ? "PU" : "PD") + std::to_string(k * 10 + p) + "," +
                    std::to_string(p * 3 + k % 2) + ";\n";
        }
    }
    return plot;
}

bool IsFifo(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool IsLinkTo(const std::string& path, const std::string& target) {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
    return length > 0 && std::string(buffer.data(), static_cast<size_t>(length)) == target;
}

TEST(CliOutputCases, EveryTargetGetsTheWholeJobAndStaysWhatItWas) {
    enum class Target { LinkToFile, Fifo, DeviceAndFile };
    const struct {
        const char* label;
        bool large;
        Target target;
    } cases[] = {
        {"a link to a file, small job", false, Target::LinkToFile},
        {"a link to a file, streamed job", true, Target::LinkToFile},
        {"a FIFO, streamed job", true, Target::Fifo},
        {"a device and a file, streamed job", true, Target::DeviceAndFile},
    };
    ScratchFolder inputs;
    const std::string small = inputs.File("small.plt");
    const std::string large = inputs.File("large.plt");
    WriteWholeFile(small, kSquare);
    WriteWholeFile(large, LargePlot());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string plot = c.large ? large : small;
        const std::string expected_file = folder.File("expected.job");
        ASSERT_EQ(RunTool({"cut", "-o", expected_file, plot}).status, 0);
        const std::string expected = ReadWholeFile(expected_file);
        ASSERT_GT(expected.size(), c.large ? size_t{4} * 1024 * 1024 : 0);

        const std::string target = folder.File("target");
        std::string received;
        std::thread reader;
        CliResult result;
        switch (c.target) {
            case Target::LinkToFile:
                WriteWholeFile(folder.File("real.job"), "older");
                ASSERT_EQ(symlink(folder.File("real.job").c_str(), target.c_str()), 0);
                result = RunTool({"cut", "-o", target, plot});
                EXPECT_TRUE(IsLinkTo(target, folder.File("real.job"))) << "the link was replaced";
                EXPECT_TRUE(ReadWholeFile(folder.File("real.job")) == expected);
                break;
            case Target::Fifo:
                ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
                reader = std::thread([&] { received = ReadWholeFile(target); });
                result = RunTool({"cut", "-o", target, plot});
                reader.join();
                EXPECT_TRUE(IsFifo(target)) << "the FIFO was replaced";
                EXPECT_TRUE(received == expected) << received.size() << " bytes came";
                break;
            case Target::DeviceAndFile:
                WriteWholeFile(target, "");  // stands in for /dev/usb/lp0
                result = RunTool({"cut", "-o", folder.File("copy.job"), "--usb", target, plot});
                EXPECT_TRUE(ReadWholeFile(target) == expected) << "the device got part of it";
                EXPECT_TRUE(ReadWholeFile(folder.File("copy.job")) == expected);
                break;
        }
        EXPECT_EQ(result.status, 0) << result.err;
    }
}

}  // namespace
}  // namespace tarnik::testing
