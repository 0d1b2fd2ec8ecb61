// The real tool ended by a signal: whether it arrives while a job goes to
// the plotter simulator (the send is cancelled) or while the tool waits for
// its input (it ends at once), the private work folder is removed and the
// status is 128 + the signal's number (130 for Ctrl-C).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "../cli_test_helpers.h"
#include "cli/interrupt.h"
#include "cli/output_file.h"
#include "cli/work_folder.h"
#include "support/test_files.h"

extern char** environ;

namespace tarnik::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Starts a program with stdin from /dev/null, the given stdout and stderr,
// TMPDIR set, and the signals a test may have ignored back at their default.
pid_t Spawn(const std::vector<std::string>& args, const std::string& tmpdir, int out, int err) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "TMPDIR=", 7) != 0) {
            env.emplace_back(*entry);
        }
    }
    env.push_back("TMPDIR=" + tmpdir);
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    for (const std::string& entry : env) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        sigaddset(&defaults, signal);
    }
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data()) != 0) {
        pid = -1;
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The wait status of pid, or -1 when it did not end in time (it is killed).
int WaitForExit(pid_t pid, std::chrono::seconds limit) {
    const auto until = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < until) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return status;
        }
        std::this_thread::sleep_for(10ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::seconds limit) {
    const auto until = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The plotter simulator at a slow line rate, so a job takes minutes.
class SlowPlotter {
  public:
    explicit SlowPlotter(const std::string& tmpdir) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        const int null = open("/dev/null", O_WRONLY);
        pid_ = Spawn({TARNIK_PLOTTER_SIM_EXE, "--rate", "2000"}, tmpdir, out[1], null);
        close(out[1]);
        close(null);
        // Its first line names the device.
        char c = 0;
        pollfd ready{out[0], POLLIN, 0};
        while (poll(&ready, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') {
            device_ += c;
        }
        close(out[0]);
    }
    ~SlowPlotter() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            WaitForExit(pid_, 10s);
        }
    }
    SlowPlotter(const SlowPlotter&) = delete;
    SlowPlotter& operator=(const SlowPlotter&) = delete;
    const std::string& Device() const { return device_; }

  private:
    pid_t pid_ = -1;
    std::string device_;
};

// A design whose job (about 300 KB) takes minutes at the simulator's rate.
std::string LongZigzagPlot() {
    std::string plot = "IN;SP1;PU0,0;";
    for (int i = 1; i <= 30000; ++i) {
        plot += "PD" + std::to_string(i * 10) + "," + std::to_string((i % 2) * 4000) + ";\r\n";
    }
    return plot;
}

bool FolderIsEmpty(const std::filesystem::path& folder) {
    return std::filesystem::is_empty(folder);
}

enum class Moment { MidSend, ReadingPipe, ProgressIntoClosedPipe };

TEST(CliSignals, EveryEndingSignalRemovesTheWorkFolderAndEndsWith128PlusItsNumber) {
    const struct {
        const char* label;
        Moment moment;
        int signal;  // sent by the test; 0: none (the tool meets a closed pipe)
        int status;
    } cases[] = {
        {"Ctrl-C mid-send", Moment::MidSend, SIGINT, 130},
        {"SIGTERM mid-send", Moment::MidSend, SIGTERM, 143},
        {"SIGHUP mid-send", Moment::MidSend, SIGHUP, 129},
        {"SIGPIPE mid-send", Moment::MidSend, SIGPIPE, 141},
        {"SIGTERM while the plot file's pipe gives nothing", Moment::ReadingPipe, SIGTERM, 143},
        {"the progress bar into a closed pipe", Moment::ProgressIntoClosedPipe, 0, 141},
    };
    ScratchFolder files;
    const std::string zigzag = files.File("zigzag.plt");
    WriteWholeFile(zigzag, LongZigzagPlot());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder tmpdir;
        const std::string err_file = files.File("err.txt");
        const int null = open("/dev/null", O_WRONLY);
        int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::unique_ptr<SlowPlotter> plotter;
        int fifo_writer = -1;
        std::vector<std::string> args{TARNIK_CLI_EXE, "cut"};
        if (c.moment == Moment::ReadingPipe) {
            const std::string fifo = files.File("design.fifo");
            ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
            // A writer that never writes: the tool's read waits.
            fifo_writer = open(fifo.c_str(), O_RDWR);
            args.push_back(fifo);
        } else {
            plotter = std::make_unique<SlowPlotter>(tmpdir.Path().string());
            ASSERT_FALSE(plotter->Device().empty());
            args.insert(args.end(), {"--port", plotter->Device(), zigzag});
        }
        if (c.moment == Moment::ProgressIntoClosedPipe) {
            int ends[2];
            ASSERT_EQ(pipe(ends), 0);
            close(ends[0]);
            close(err);
            err = ends[1];
        }
        const pid_t tool = Spawn(args, tmpdir.Path().string(), null, err);
        close(null);
        close(err);
        ASSERT_GT(tool, 0);
        if (c.moment == Moment::MidSend) {
            EXPECT_TRUE(WaitUntil(
                [&] { return ReadWholeFile(err_file).find("bytes") != std::string::npos; }, 20s))
                << "the send did not start";
        } else if (c.moment == Moment::ReadingPipe) {
            EXPECT_TRUE(WaitUntil([&] { return !FolderIsEmpty(tmpdir.Path()); }, 20s));
            std::this_thread::sleep_for(200ms);
        }
        if (c.signal != 0) {
            EXPECT_FALSE(FolderIsEmpty(tmpdir.Path())) << "no work folder mid-run";
            kill(tool, c.signal);
        }
        const int status = WaitForExit(tool, 30s);
        if (fifo_writer >= 0) {
            close(fifo_writer);
            std::filesystem::remove(files.File("design.fifo"));
        }
        EXPECT_EQ(status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status)
            << "wait status " << status;
        EXPECT_TRUE(FolderIsEmpty(tmpdir.Path())) << "the work folder was left behind";
        if (c.moment == Moment::MidSend) {
            // What reached the plotter, and what to do about it.
            const std::string said = ReadWholeFile(err_file);
            EXPECT_NE(said.find("before the send was cancelled: the plotter may hold a partial "
                                "job. This job stopped unexpectedly or was cancelled! Please "
                                "reset the plotter!"),
                      std::string::npos)
                << said;
            EXPECT_NE(said.find(" bytes before"), std::string::npos) << said;
        }
    }
}

// Two jobs on one line would reach the plotter interleaved: while one tool
// sends, a second one (this test's process) is refused and names the device,
// and the first job goes on untouched.
TEST(CliExclusiveDevice, ASecondJobToABusyDeviceIsRefused) {
    ScratchFolder files;
    ScratchFolder tmpdir;
    const std::string zigzag = files.File("zigzag.plt");
    WriteWholeFile(zigzag, LongZigzagPlot());
    SlowPlotter plotter(tmpdir.Path().string());
    ASSERT_FALSE(plotter.Device().empty());
    const std::string err_file = files.File("err.txt");
    const int null = open("/dev/null", O_WRONLY);
    const int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t first = Spawn({TARNIK_CLI_EXE, "cut", "--port", plotter.Device(), zigzag},
                              tmpdir.Path().string(), null, err);
    close(null);
    close(err);
    ASSERT_GT(first, 0);
    EXPECT_TRUE(
        WaitUntil([&] { return ReadWholeFile(err_file).find("bytes") != std::string::npos; }, 20s));

    WriteWholeFile(files.File("small.plt"), "IN;SP1;PU0,0;PD400,0;PD400,400;");
    const CliResult second = RunTool({"cut", "--port", plotter.Device(), files.File("small.plt")});
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find(plotter.Device() + " is in use by another job"), std::string::npos)
        << second.err;
    EXPECT_NE(second.out.find("send to " + plotter.Device() + " failed"), std::string::npos)
        << second.out;

    kill(first, SIGTERM);
    const int status = WaitForExit(first, 30s);
    EXPECT_EQ(status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, 143)
        << "the first job did not go on until it was cancelled";
}

// A signal while the output is half-written (no timing can hit that moment
// in the real tool): the output's temporary name and the work folder go, an
// older output stays as it was.
TEST(CliSignalsDeathTest, ASignalMidOutputLeavesNoTemporaryFile) {
    ScratchFolder folder;
    const std::string target = folder.File("out.job");
    const std::string noted = folder.File("work-folder");
    WriteWholeFile(target, "older job");
    EXPECT_EXIT(
        {
            cli::EndOnSignal end_on_signal;
            cli::WorkFolder work;
            work.Create();
            WriteWholeFile(work.File("tempfile.001"), "job");
            WriteWholeFile(noted, work.Path());
            cli::OutputFile output;
            output.Create(target);
            output.Write("half a j", 8);
            raise(SIGTERM);
        },
        ::testing::ExitedWithCode(143), "");
    EXPECT_EQ(ReadWholeFile(target), "older job");
    EXPECT_FALSE(FileExists(target + ".part0"));
    const std::string work = ReadWholeFile(noted);
    ASSERT_FALSE(work.empty());
    EXPECT_FALSE(FileExists(work));
}

}  // namespace
}  // namespace tarnik::testing
