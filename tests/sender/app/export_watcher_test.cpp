#include "sender/app/export_watcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/notice_words.h"

namespace tarnik {
namespace {

using Log = std::vector<std::string>;
using testing::NoticeWords;
using testing::StyleWord;

// Wakes with the scripted results in order; records every call.
class ScriptedWatch : public FolderWatch {
  public:
    bool opens = true;
    bool rearms = true;
    std::vector<WatchWait> wakes;
    Log log;

    bool Open(const char* folder) override {
        log.push_back(std::string("open ").append(folder));
        return opens;
    }
    WatchWait Wait() override {
        log.push_back("wait");
        const WatchWait next = wakes.at(next_++);
        return next;
    }
    bool Rearm() override {
        log.push_back("rearm");
        return rearms;
    }
    void Close() override { log.push_back("close"); }
    void ResetStop() override { log.push_back("reset"); }

  private:
    std::size_t next_ = 0;
};

TEST(ExportWatcher, ThreadBody) {
    using W = WatchWait;
    struct Case {
        const char* label;
        bool opens;
        bool rearms;
        std::vector<WatchWait> wakes;
        WatcherEnd end;
        Log log;
    };
    const Case cases[] = {
        {"folder cannot be watched", false, true, {}, WatcherEnd::kNotOpened, {"open T"}},
        {"stop at once",
         true,
         true,
         {W::kStop},
         WatcherEnd::kStopped,
         {"open T", "wait", "reset", "close"}},
        {"changes re-armed until stop",
         true,
         true,
         {W::kChange, W::kChange, W::kStop},
         WatcherEnd::kStopped,
         {"open T", "wait", "rearm", "wait", "rearm", "wait", "reset", "close"}},
        {"re-arm fails: ends quietly with the watch closed",
         true,
         false,
         {W::kChange},
         WatcherEnd::kFailed,
         {"open T", "wait", "rearm", "close"}},
        {"wait fails: ends quietly with the watch closed",
         true,
         true,
         {W::kChange, W::kFailed},
         WatcherEnd::kFailed,
         {"open T", "wait", "rearm", "wait", "close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ScriptedWatch watch;
        watch.opens = c.opens;
        watch.rearms = c.rearms;
        watch.wakes = c.wakes;
        EXPECT_EQ(RunExportWatcher(watch, "T"), c.end);
        EXPECT_EQ(watch.log, c.log);
    }
}

class RecordingThread : public WatcherThread, public WatcherNotices {
  public:
    bool starts = true;
    Log log;

    void SignalStop() override { log.push_back("signal"); }
    void ResetStop() override { log.push_back("reset"); }
    bool Start(const char* folder) override {
        log.push_back(std::string("start ").append(folder));
        return starts;
    }
    void WaitForEnd() override { log.push_back("join"); }
    void Notify(NoticeText text, NoticeStyle style) override {
        log.push_back(std::string(StyleWord(style)) + " " + NoticeWords(text));
    }
};

TEST(ExportWatcher, StartEndsTheOldWatcherFirst) {
    RecordingThread thread;
    ExportWatcherControl control(thread, thread);
    control.SetFolder("C:\\TEMP\\");
    EXPECT_TRUE(control.Start());
    control.SetFolder("D:\\OUT\\");
    EXPECT_TRUE(control.Start());
    const Log expected = {"signal", "join", "reset", "start C:\\TEMP\\",
                          "signal", "join", "reset", "start D:\\OUT\\"};
    EXPECT_EQ(thread.log, expected);
}

TEST(ExportWatcher, StartFailureShowsString111) {
    RecordingThread thread;
    thread.starts = false;
    ExportWatcherControl control(thread, thread);
    control.SetFolder("C:\\TEMP\\");
    EXPECT_FALSE(control.Start());
    EXPECT_EQ(thread.log.back(), "box 111");
}

TEST(ExportWatcher, FolderKeptToNinetyNineCharacters) {
    RecordingThread thread;
    ExportWatcherControl control(thread, thread);
    control.SetFolder(std::string(150, 'x').c_str());
    EXPECT_EQ(std::string(control.Folder()), std::string(99, 'x'));
    control.SetFolder(nullptr);
    EXPECT_STREQ(control.Folder(), "");
}

}  // namespace
}  // namespace tarnik
