#include "sender/app/export_watcher.h"

#include <cstring>

#include "sender/res/resource.h"

namespace tarnik {

// A watch that cannot be re-armed, or a wait that fails, leaves the folder
// unwatched but harms nothing else: the watcher ends and the program runs
// on (the watch never started a job anyway).
WatcherEnd RunExportWatcher(FolderWatch& watch, const char* folder) {
    if (!watch.Open(folder)) {
        return WatcherEnd::kNotOpened;
    }
    WatcherEnd end = WatcherEnd::kFailed;
    for (;;) {
        const WatchWait woke = watch.Wait();
        if (woke == WatchWait::kChange && watch.Rearm()) {
            continue;
        }
        if (woke == WatchWait::kStop) {
            watch.ResetStop();
            end = WatcherEnd::kStopped;
        }
        break;
    }
    watch.Close();
    return end;
}

void ExportWatcherControl::SetFolder(const char* folder) {
    std::strncpy(folder_, folder != nullptr ? folder : "", kWatchFolderSize - 1);
    folder_[kWatchFolderSize - 1] = '\0';
}

bool ExportWatcherControl::Start() {
    // The old watcher must have seen the stop before the event is reset,
    // or it would keep watching beside the new one.
    thread_.SignalStop();
    thread_.WaitForEnd();
    thread_.ResetStop();
    if (!thread_.Start(folder_)) {
        notices_.Notify(StringId{IDS_WATCH_FAILED}, NoticeStyle::kMessageBox);
        return false;
    }
    return true;
}

void ExportWatcherControl::Shutdown() {
    thread_.SignalStop();
    thread_.WaitForEnd();
}

}  // namespace tarnik
