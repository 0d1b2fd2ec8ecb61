// The Win32 job port and the line monitor. The *RealPort* cases need a COM
// port mapped to a pseudo-terminal whose far end records what it reads:
// wine_com_port_test.sh sets that up and names the port and the record in
// TARNIK_WINE_COM and TARNIK_WINE_RECEIVED; without them they skip.
#include "sender/transport/win32/win32_job_port.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/serial_job_runner.h"
#include "sender/pipeline/line_fault.h"
#include "sender/transport/win32/serial_port.h"
#include "sender/transport/win32/window_messages.h"
#include "serial/init_com_port.h"
#include "tests/serial/win32/windows_like_device.h"
#include "tests/support/test_files.h"

namespace tarnik {
namespace {

using cli::kSerialJobDone;
using cli::kSerialJobFailed;
using cli::RunSerialJob;

// Far beyond any COM port Wine or a test machine maps.
constexpr uint8_t kMissingCom = 231;

std::vector<std::string> g_error_boxes;
void RecordErrorBox(const char* text) {
    g_error_boxes.push_back(text);
}

class RecordingSink : public ProgressSink {
  public:
    void OnProgress(double, uint32_t bytes_sent, uint32_t) override { last_bytes = bytes_sent; }
    void OnMessage(const std::string& text) override { messages.push_back(text); }
    uint32_t last_bytes = 0;
    std::vector<std::string> messages;
};

TEST(Win32JobPort, PortsThatCannotOpen) {
    struct Case {
        const char* label;
        uint8_t port;
    };
    const Case cases[] = {{"port 0", 0}, {"missing COM port", kMissingCom}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Win32JobPort port;
        EXPECT_FALSE(port.Open(c.port));
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(port.FailureText().empty());
        const uint8_t byte = 'x';
        EXPECT_FALSE(port.WriteBlock(&byte, 1));
        EXPECT_TRUE(port.Close());
    }
}

TEST(CSerialPort, MissingPortFailsSilently) {
    CSerialPort::SetErrorBox(RecordErrorBox);
    g_error_boxes.clear();
    CSerialPort monitor;
    EXPECT_EQ(monitor.OpenPort(nullptr, kMissingCom, 9600, 'N', 8, 1, EV_CTS), 0);
    EXPECT_EQ(monitor.GetHandle(), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(g_error_boxes.empty());
    CSerialPort::SetErrorBox(nullptr);
}

struct RealPort {
    int com = 0;
    std::string received;  // Windows path of the far end's record
};

RealPort FindRealPort() {
    const char* com = std::getenv("TARNIK_WINE_COM");
    const char* received = std::getenv("TARNIK_WINE_RECEIVED");
    if (com == nullptr || received == nullptr) {
        return {};
    }
    return {std::atoi(com), received};
}

TEST(Win32RealPort, HundredKilobyteJobArrivesIntactAndInOrder) {
    const RealPort real = FindRealPort();
    if (real.com == 0) {
        GTEST_SKIP() << "no COM port mapped to a pseudo-terminal";
    }
    std::vector<uint8_t> job(100 * 1024);
    for (std::size_t i = 0; i < job.size(); ++i) {
        job[i] = static_cast<uint8_t>(i * 7 + 1);  // every value; no NUL opens a block
    }
    Win32JobPort port;
    RecordingSink sink;
    std::atomic<bool> cancel{false};
    const int status = RunSerialJob(port, job.data(), static_cast<uint32_t>(job.size()), sink,
                                    cancel, static_cast<uint8_t>(real.com));
    EXPECT_EQ(status, kSerialJobDone);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
    EXPECT_FALSE(port.IsOpen());

    std::string received;
    for (int wait = 0; wait < 200 && received.size() < job.size(); ++wait) {
        Sleep(25);
        received = testing::ReadWholeFile(real.received);
    }
    ASSERT_EQ(received.size(), job.size());
    EXPECT_TRUE(std::equal(job.begin(), job.end(), received.begin(),
                           [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }));
}

// The plotter's cable pulled mid-job: the job ends as failed (the
// system's message), the port is closed, and nothing hangs.
TEST(Win32PulledCable, ReaderClosingMidJobEndsTheJob) {
    const RealPort real = FindRealPort();
    const char* pull = std::getenv("TARNIK_WINE_PULL");
    if (real.com == 0 || pull == nullptr) {
        GTEST_SKIP() << "no COM port mapped to a pseudo-terminal";
    }
    testing::WriteWholeFile(pull, "now");
    std::vector<uint8_t> job(400 * 1024, 'U');
    Win32JobPort port;
    RecordingSink sink;
    std::atomic<bool> cancel{false};
    const DWORD started = GetTickCount();
    const int status = RunSerialJob(port, job.data(), static_cast<uint32_t>(job.size()), sink,
                                    cancel, static_cast<uint8_t>(real.com));
    EXPECT_EQ(status, kSerialJobFailed);
    EXPECT_FALSE(sink.messages.empty());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_LT(GetTickCount() - started, 20000u);
}

// Both openers on the pseudo-terminal's port: the state read back holds the
// definition with CTS output flow control; through a device that behaves
// as Windows documents BuildCommDCB, flow control still reaches
// SetCommState.
TEST(Win32RealPort, OpenersKeepCtsFlowControl) {
    const RealPort real = FindRealPort();
    if (real.com == 0) {
        GTEST_SKIP() << "no COM port mapped to a pseudo-terminal";
    }
    CSerialPort::SetErrorBox(RecordErrorBox);
    g_error_boxes.clear();
    struct Case {
        const char* label;
        bool windows_like;
        bool monitor;
        DWORD baud;
    };
    const Case cases[] = {
        {"job opener, read back", false, false, 38400},
        {"line monitor, read back", false, true, 9600},
        {"job opener, Windows' BuildCommDCB", true, false, 38400},
        {"line monitor, Windows' BuildCommDCB", true, true, 9600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::unique_ptr<testing::WindowsLikeDevice> windows;
        if (c.windows_like) {
            windows = std::make_unique<testing::WindowsLikeDevice>();
            testing::WindowsLikeDevice::set_calls = 0;
        }
        CSerialPort monitor;
        ComHandle job = kInvalidComHandle;
        HANDLE port = INVALID_HANDLE_VALUE;
        if (c.monitor) {
            ASSERT_EQ(monitor.OpenPort(nullptr, real.com, 9600, 'N', 8, 1, EV_CTS), 1);
            port = monitor.GetHandle();
        } else {
            job = InitComPort(static_cast<uint8_t>(real.com));
            ASSERT_NE(job, kInvalidComHandle);
            port = reinterpret_cast<HANDLE>(job);
        }
        DCB state = {};
        state.DCBlength = sizeof state;
        if (c.windows_like) {
            ASSERT_EQ(testing::WindowsLikeDevice::set_calls, 1);
            state = testing::WindowsLikeDevice::set_state;
        } else {
            ASSERT_TRUE(GetCommState(port, &state));
        }
        EXPECT_EQ(state.fOutxCtsFlow, 1u);
        EXPECT_EQ(state.BaudRate, c.baud);
        EXPECT_EQ(state.ByteSize, 8);
        EXPECT_EQ(state.Parity, NOPARITY);
        EXPECT_EQ(state.StopBits, ONESTOPBIT);
        EXPECT_TRUE(CloseComPort(job));
    }
    EXPECT_TRUE(g_error_boxes.empty());
    CSerialPort::SetErrorBox(nullptr);
}

TEST(Win32RealPort, LineMonitorOpensAndReportsAFailingWatch) {
    const RealPort real = FindRealPort();
    if (real.com == 0) {
        GTEST_SKIP() << "no COM port mapped to a pseudo-terminal";
    }
    CSerialPort::SetErrorBox(RecordErrorBox);
    g_error_boxes.clear();
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    {
        CSerialPort monitor;
        ASSERT_EQ(monitor.OpenPort(owner, real.com, 9600, 'N', 8, 1, EV_CTS), 1)
            << (g_error_boxes.empty() ? "" : g_error_boxes.front());
        EXPECT_NE(monitor.GetHandle(), INVALID_HANDLE_VALUE);
        ASSERT_TRUE(monitor.StartWatch());
        // A pseudo-terminal has no CTS line: the comm-event wait fails, and
        // the watch reports code 2.
        MSG message = {};
        bool reported = false;
        for (int wait = 0; wait < 100 && !reported; ++wait) {
            reported = PeekMessageA(&message, owner, kWmLineFault, kWmLineFault, PM_REMOVE) &&
                       message.lParam == static_cast<LPARAM>(LineFault::kWatchFailed);
            Sleep(20);
        }
        EXPECT_TRUE(reported);
        // A restart ends the running watch before it touches the port.
        EXPECT_EQ(monitor.OpenPort(owner, real.com, 9600, 'N', 8, 1, EV_CTS), 1);
    }
    DestroyWindow(owner);
    EXPECT_TRUE(g_error_boxes.empty());
    CSerialPort::SetErrorBox(nullptr);
}

}  // namespace
}  // namespace tarnik
