#pragma once
// The export watcher: in automatic mode a worker keeps a change watch armed
// on the export folder until it is told to stop. It starts no job (the
// macro's WM_JOB_READY does); a settings save restarts it on the folder
// just saved. The decisions live here; the platform supplies the watch, the
// stop event and the thread.
#include <cstdint>

#include "sender/pipeline/notice.h"

namespace tarnik {

// The watched folder's text: up to 99 characters and the terminator.
inline constexpr int kWatchFolderSize = 100;

// What ended a wait on the change watch and the stop event.
enum class WatchWait { kChange, kStop, kFailed };

// One change watch, as the watcher's thread uses it.
class FolderWatch {
  public:
    virtual ~FolderWatch() = default;
    // Opens a watch for last-write changes in `folder` (no subfolders).
    virtual bool Open(const char* folder) = 0;
    // Waits without time-out for a change or the stop event.
    virtual WatchWait Wait() = 0;
    // Arms the watch again after a change.
    virtual bool Rearm() = 0;
    // Releases the watch; called once for every watch that opened.
    virtual void Close() = 0;
    // Resets the manual-reset stop event.
    virtual void ResetStop() = 0;
};

// How the watcher's thread ended.
enum class WatcherEnd {
    kNotOpened = 0,  // the folder could not be watched
    kStopped = 1,    // the stop event was seen
    kFailed = 2,     // re-arming or the wait failed: the watcher just ends
};

// The watcher thread's body.
WatcherEnd RunExportWatcher(FolderWatch& watch, const char* folder);

// The worker thread and the stop event, as the main window holds them.
class WatcherThread {
  public:
    virtual ~WatcherThread() = default;
    virtual void SignalStop() = 0;
    virtual void ResetStop() = 0;
    // Starts a watcher thread on `folder` (which outlives it); false when
    // it cannot be started.
    virtual bool Start(const char* folder) = 0;
    // Waits until a started watcher has ended and releases it; returns at
    // once when none was started.
    virtual void WaitForEnd() = 0;
};

// The watcher's one notice: a message box when its watch fails.
class WatcherNotices : public Notifier {};

class ExportWatcherControl {
  public:
    ExportWatcherControl(WatcherThread& thread, WatcherNotices& notices)
        : thread_(thread), notices_(notices) {}

    // The export folder of the settings, kept for the next start
    // (at most 99 characters).
    void SetFolder(const char* folder);
    const char* Folder() const { return folder_; }

    // Starts the watcher on the kept folder, ending a running one first so
    // that one watcher runs at a time. false (after string 111) when the
    // thread cannot be started.
    bool Start();
    // Asks a running watcher to end; it resets the event itself.
    void Stop() { thread_.SignalStop(); }
    // Stops and waits for the end (program clean-up).
    void Shutdown();

  private:
    WatcherThread& thread_;
    WatcherNotices& notices_;
    char folder_[kWatchFolderSize] = {};
};

}  // namespace tarnik
