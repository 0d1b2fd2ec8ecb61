// --output to something other than a regular file (a pipe, a device) writes
// into it in place: replacing it with a regular file would destroy it, and
// as root even a node such as /dev/full.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>

#include "cli/cli_test_helpers.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

constexpr char kSquare[] = "IN;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";
constexpr char kSquareJob[] = ";:H A L0 EC1 U U3150,0 D3150,3150,0,3150,0,0,3150,0 U3150,0 U0,0 @";

// A device node of the test's own (mknod needs root); where the test cannot
// make one it cannot replace /dev either, so the system's node is safe to use.
std::string DeviceNode(const ScratchFolder& folder, const char* name, unsigned minor) {
    const std::string own = folder.File(name);
    if (mknod(own.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) {
        return own;
    }
    if (access("/dev", W_OK) != 0) {
        return std::string("/dev/") + name;
    }
    return "";
}

struct NodeState {
    mode_t type = 0;
    dev_t device = 0;
};

NodeState StateOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {static_cast<mode_t>(info.st_mode & S_IFMT), info.st_rdev};
}

TEST(CliOutputTarget, NonRegularTargetsAreWrittenInPlaceAndStayWhatTheyWere) {
    enum class Target { Fifo, FullDevice, NullDevice };
    const struct {
        const char* label;
        Target target;
        int status;
        const char* message;  // on stderr; null: none expected
    } cases[] = {
        {"a pipe with a reader gets the job", Target::Fifo, 0, nullptr},
        {"a full device is a write failure", Target::FullDevice, 1, "cannot write"},
        {"a null device takes the job", Target::NullDevice, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string plot = folder.File("square.plt");
        WriteWholeFile(plot, kSquare);
        std::string target;
        int reader = -1;
        if (c.target == Target::Fifo) {
            target = folder.File("job.fifo");
            ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
            // Open before the run, so the tool's open finds a reader; the job
            // is smaller than the pipe's buffer, so nothing needs to read
            // while the tool writes.
            reader = open(target.c_str(), O_RDONLY | O_NONBLOCK);
            ASSERT_GE(reader, 0);
        } else {
            target = DeviceNode(folder, c.target == Target::FullDevice ? "full" : "null",
                                c.target == Target::FullDevice ? 7 : 3);
            if (target.empty()) {
                GTEST_SKIP() << "no device node of the test's own can be made";
            }
        }
        const NodeState before = StateOf(target);
        const CliResult result = RunTool({"cut", "--output", target, plot});
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.message != nullptr) {
            EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        }
        const NodeState after = StateOf(target);
        EXPECT_EQ(after.type, before.type) << "the target was replaced";
        EXPECT_EQ(after.device, before.device);
        if (reader >= 0) {
            char received[256] = {};
            const ssize_t got = read(reader, received, sizeof(received));
            close(reader);
            EXPECT_EQ(std::string(received, got > 0 ? static_cast<size_t>(got) : 0), kSquareJob);
        }
        EXPECT_FALSE(FileExists(target + ".part0"));
    }
}

}  // namespace
}  // namespace tarnik::testing
