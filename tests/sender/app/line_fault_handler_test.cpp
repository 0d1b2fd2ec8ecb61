#include "sender/app/line_fault_handler.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "sender/app/main_window_controller.h"
#include "tests/support/notice_words.h"

namespace tarnik {
namespace {

using testing::NoticeWords;
using testing::StyleWord;

// One log line of words joined by blanks (appended piece by piece: GCC 12
// warns falsely on chains of string additions under MinGW).
std::string Line(std::initializer_list<std::string_view> words) {
    std::string line;
    for (std::string_view word : words) {
        if (!line.empty()) {
            line.push_back(' ');
        }
        line.append(word);
    }
    return line;
}

// Records every visible effect as one line, in order.
class RecordingFaultView : public LineFaultView {
  public:
    std::vector<std::string> log;
    bool answer_yes = false;

    std::string LoadString(int id) override { return Line({"s"}).append(std::to_string(id)); }
    void Notify(NoticeText text, NoticeStyle style) override {
        log.push_back(Line({StyleWord(style), NoticeWords(text)}));
    }
    bool ShowFaultBox(const std::string& text, const char* caption, FaultBox kind) override {
        static const char* const kKinds[] = {"warning", "question", "exclamation"};
        log.push_back(Line({"box", kKinds[static_cast<int>(kind)], caption, text}));
        return kind == FaultBox::kQuestionTopmost && answer_yes;
    }
    void DismissMacroQuestion() override { log.push_back("dismiss"); }
    void SetStatusText(const std::string& text) override { log.push_back(Line({"status", text})); }
    void SetPortText(const std::string& text) override { log.push_back(Line({"port", text})); }
    void SetLineStatusText(const std::string& text) override {
        log.push_back(Line({"lamp", text}));
    }
    void CancelWork() override { log.push_back("cancel"); }
};

class FakeMonitor : public LineMonitor {
  public:
    int port = 0;
    bool opens = true;
    bool status_readable = true;
    uint32_t status = 0;
    std::vector<std::string> calls;

    int PortNumber() const override { return port; }
    bool Open(int number, int32_t baud, uint32_t mask) override {
        calls.push_back(
            Line({"open", std::to_string(number), std::to_string(baud), std::to_string(mask)}));
        if (opens) {
            port = number;
        }
        return opens;
    }
    bool StartWatch() override {
        calls.push_back("watch");
        return true;
    }
    bool ReadModemStatus(uint32_t& lines) override {
        lines = status_readable ? status : 0xFFFFFFFFu;
        return status_readable;
    }
    bool YieldPort(int) override { return false; }
    void ReclaimPort() override {}
};

using Log = std::vector<std::string>;

TEST(LineFaultHandler, WarningsAndIgnoredCodes) {
    struct Case {
        const char* label;
        int32_t code;
        Log expected;
    };
    const Case cases[] = {
        {"write failed", 4, {"warn-balloon s124", "box warning RAvivIZE s124", "cancel"}},
        {"code 1 as a failed write",
         1,
         {"warn-balloon s124", "box warning RAvivIZE s124", "cancel"}},
        {"line not usable cancels nothing", 3, {"warn-balloon s126", "box warning RAvivIZE s126"}},
        {"code 0 ignored", 0, {}},
        {"code 5 ignored", 5, {}},
        {"negative code ignored", -2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingFaultView view;
        FakeMonitor monitor;
        LineFaultHandler handler(view, monitor);
        EXPECT_EQ(handler.OnLineFault(c.code, 3, 9600), LineVerdict::kUnchanged);
        EXPECT_EQ(view.log, c.expected);
        EXPECT_TRUE(monitor.calls.empty());
    }
}

TEST(LineFaultHandler, MonitorRestart) {
    const Log question = {"cancel", "dismiss", "box question DUdirEZEdezu s125"};
    const Log refused = {"status s107", "port COM:error"};
    struct Case {
        const char* label;
        bool yes;
        int monitor_port;  // 0: never opened
        bool opens;
        bool readable;
        uint32_t status;
        Log tail;  // after the question
        Log monitor_calls;
        LineVerdict verdict;
        int32_t online;
    };
    const Case cases[] = {
        {"declined", false, 2, true, true, 0x10, refused, {}, LineVerdict::kUnusable, 0},
        {"restart on line",
         true,
         2,
         true,
         true,
         0x10,
         {"lamp s109", "port COM: COM2", "info-balloon s121", "status s108"},
         {"open 2 19200 8", "watch"},
         LineVerdict::kUsable,
         1},
        {"restart off line",
         true,
         2,
         true,
         true,
         0x20,
         {"lamp s110", "port COM: COM2", "info-balloon s121", "status s108"},
         {"open 2 19200 8", "watch"},
         LineVerdict::kUsable,
         0},
        {"unreadable status counts as off line",
         true,
         2,
         true,
         false,
         0,
         {"lamp s110", "port COM: COM2", "info-balloon s121", "status s108"},
         {"open 2 19200 8", "watch"},
         LineVerdict::kUsable,
         0},
        {"first restart opens the configured port",
         true,
         0,
         true,
         true,
         0x10,
         {"lamp s109", "port COM: COM7", "info-balloon s121", "status s108"},
         {"open 7 19200 8", "watch"},
         LineVerdict::kUsable,
         1},
        {"open fails",
         true,
         2,
         false,
         true,
         0x10,
         {"box exclamation RAvivIZE COM error!", "status s107", "port COM:error"},
         {"open 2 19200 8"},
         LineVerdict::kUnusable,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingFaultView view;
        view.answer_yes = c.yes;
        FakeMonitor monitor;
        monitor.port = c.monitor_port;
        monitor.opens = c.opens;
        monitor.status_readable = c.readable;
        monitor.status = c.status;
        LineFaultHandler handler(view, monitor);
        EXPECT_EQ(handler.OnLineFault(2, 7, 19200), c.verdict);
        Log expected = question;
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(view.log, expected);
        EXPECT_EQ(monitor.calls, c.monitor_calls);
        EXPECT_EQ(handler.LineOnline(), c.online);
    }
}

// A restart that goes off line after one on line shows the lamp white again.
TEST(LineFaultHandler, LampFollowsTheLastRestart) {
    RecordingFaultView view;
    view.answer_yes = true;
    FakeMonitor monitor;
    monitor.status = kModemCtsOn;
    LineFaultHandler handler(view, monitor);
    handler.OnLineFault(2, 1, 9600);
    EXPECT_NE(handler.LineOnline(), 0);
    monitor.status = 0;
    handler.OnLineFault(2, 1, 9600);
    EXPECT_EQ(handler.LineOnline(), 0);
}

}  // namespace
}  // namespace tarnik
