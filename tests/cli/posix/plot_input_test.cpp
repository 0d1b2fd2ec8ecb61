// A plot file that is not a regular file: a pipe from another program is
// copied into the work folder and cut; input that never ends (/dev/zero) is
// refused at a bound, not copied until the disk is full.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "cli/cli_test_helpers.h"
#include "support/posix/file_size_limit.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kSquare[] = "IN;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";
constexpr char kSquareJob[] = ";:H A L0 EC1 U U3150,0 D3150,3150,0,3150,0,0,3150,0 U3150,0 U0,0 @";

// Writes the design into a pipe once, then answers every further open for
// reading at once with an end of file, so a tool that opened the pipe twice
// sees an empty second read instead of waiting for ever.
class PipeWriter {
  public:
    PipeWriter(const std::string& fifo, std::string bytes) {
        writer_ = std::thread([this, fifo, bytes] {
            sigset_t pipe_signal;
            sigemptyset(&pipe_signal);
            sigaddset(&pipe_signal, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
            const int fd = open(fifo.c_str(), O_WRONLY);
            if (fd >= 0) {
                [[maybe_unused]] const ssize_t written = write(fd, bytes.data(), bytes.size());
                close(fd);
            }
            while (!done_) {
                const int again = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                if (again >= 0) {
                    close(again);
                }
                std::this_thread::sleep_for(10ms);
            }
        });
    }
    ~PipeWriter() {
        done_ = true;
        writer_.join();
    }

  private:
    std::atomic<bool> done_{false};
    std::thread writer_;
};

TEST(CliPlotInput, APipeIsCutAndInputWithoutEndIsRefused) {
    const struct {
        const char* label;
        bool from_pipe;  // else /dev/zero
        int status;
        const char* message;  // on stderr; null: the square's job on the output
    } cases[] = {
        {"a design through a pipe", true, 0, nullptr},
        {"input that never ends", false, 1, "is not a regular file and gives more than 512 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string output = folder.File("out.job");
        std::string input = "/dev/zero";
        CliResult result;
        if (c.from_pipe) {
            input = folder.File("design.fifo");
            ASSERT_EQ(mkfifo(input.c_str(), 0600), 0);
            PipeWriter writer(input, kSquare);
            result = RunTool({"cut", "--output", output, input});
        } else {
            FileSizeLimit limit(rlim_t{1} << 30);
            result = RunTool({"cut", "--output", output, input});
        }
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.message != nullptr) {
            EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
            EXPECT_FALSE(FileExists(output));
        } else {
            EXPECT_EQ(ReadWholeFile(output), kSquareJob);
        }
    }
}

}  // namespace
}  // namespace tarnik::testing
