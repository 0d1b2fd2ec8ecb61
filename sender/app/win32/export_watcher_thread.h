#pragma once
// The export watcher's thread on Windows: a directory change notification
// on the export folder and a manual-reset stop event, waited on together.
#include <windows.h>

#include "sender/app/export_watcher.h"

namespace tarnik {

class Win32WatcherThread : public WatcherThread {
  public:
    Win32WatcherThread();
    ~Win32WatcherThread() override;
    Win32WatcherThread(const Win32WatcherThread&) = delete;
    Win32WatcherThread& operator=(const Win32WatcherThread&) = delete;

    void SignalStop() override;
    void ResetStop() override;
    bool Start(const char* folder) override;
    void WaitForEnd() override;

    // Watcher threads of the process whose watch is open (tests).
    static LONG OpenWatches();
    // Changes the watcher threads of the process have re-armed after (tests).
    static LONG ChangesSeen();

  private:
    static DWORD WINAPI Run(LPVOID self);

    HANDLE stop_event_ = nullptr;  // manual-reset, created unsignalled
    HANDLE thread_ = nullptr;
    char folder_[kWatchFolderSize] = {};  // the thread's own copy
};

}  // namespace tarnik
