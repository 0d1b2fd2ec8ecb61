#include "sender/app/win32/export_watcher_thread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::ScratchFolder;
using testing::WriteWholeFile;

class NoticeLog : public WatcherNotices {
  public:
    std::vector<int> shown;  // string ids of message boxes
    void Notify(NoticeText text, NoticeStyle style) override {
        if (style == NoticeStyle::kMessageBox && text.IsStringId()) {
            shown.push_back(text.StringIdValue());
        }
    }
};

// The watcher opens its watch on its own thread: wait a while for the
// count of open watches to settle on `expected`.
bool OpenWatchesBecome(LONG expected) {
    for (int i = 0; i < 300; ++i) {
        if (Win32WatcherThread::OpenWatches() == expected) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

bool ChangesSeenPast(LONG before) {
    for (int i = 0; i < 300; ++i) {
        if (Win32WatcherThread::ChangesSeen() > before) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

TEST(Win32ExportWatcher, OneWatcherThroughStopsAndRestarts) {
    ScratchFolder folder;
    const std::string path = folder.Path().string();
    NoticeLog notices;
    Win32WatcherThread thread;
    ExportWatcherControl control(thread, notices);
    control.SetFolder(path.c_str());

    ASSERT_TRUE(control.Start());
    ASSERT_TRUE(OpenWatchesBecome(1));
    // A change in the folder is taken and the watch re-armed, nothing more.
    const LONG before = Win32WatcherThread::ChangesSeen();
    WriteWholeFile((folder.Path() / "export.plt").string(), "IN;PU0,0;");
    EXPECT_TRUE(ChangesSeenPast(before));
    const LONG after_first = Win32WatcherThread::ChangesSeen();
    WriteWholeFile((folder.Path() / "export.plt").string(), "IN;PU0,0;PD10,10;");
    EXPECT_TRUE(ChangesSeenPast(after_first));
    EXPECT_EQ(Win32WatcherThread::OpenWatches(), 1);

    // The watcher ends on the stop event and resets it itself.
    control.Stop();
    EXPECT_TRUE(OpenWatchesBecome(0));

    // Two saves in automatic mode in a row: one watcher on the folder.
    ASSERT_TRUE(control.Start());
    ASSERT_TRUE(control.Start());
    ASSERT_TRUE(OpenWatchesBecome(1));
    Sleep(100);
    EXPECT_EQ(Win32WatcherThread::OpenWatches(), 1);
    WriteWholeFile((folder.Path() / "export.plt").string(), "IN;");
    Sleep(100);
    EXPECT_EQ(Win32WatcherThread::OpenWatches(), 1);

    control.Shutdown();
    EXPECT_EQ(Win32WatcherThread::OpenWatches(), 0);
    EXPECT_TRUE(notices.shown.empty());
}

// A folder that cannot be watched ends the watcher silently; a later start
// on a good folder works.
TEST(Win32ExportWatcher, MissingFolderEndsQuietly) {
    ScratchFolder folder;
    NoticeLog notices;
    Win32WatcherThread thread;
    ExportWatcherControl control(thread, notices);
    control.SetFolder((folder.Path() / "missing").string().c_str());
    EXPECT_TRUE(control.Start());
    Sleep(100);
    EXPECT_EQ(Win32WatcherThread::OpenWatches(), 0);

    control.SetFolder(folder.Path().string().c_str());
    ASSERT_TRUE(control.Start());
    EXPECT_TRUE(OpenWatchesBecome(1));
    control.Shutdown();
    EXPECT_EQ(Win32WatcherThread::OpenWatches(), 0);
    EXPECT_TRUE(notices.shown.empty());
}

}  // namespace
}  // namespace tarnik
