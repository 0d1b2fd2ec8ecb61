#include "sender/app/win32/export_watcher_thread.h"

#include <cstring>

namespace tarnik {
namespace {

volatile LONG g_open_watches = 0;
volatile LONG g_changes_seen = 0;

// One change notification handle, closed by Close or at the latest when
// the watch goes out of scope.
class ChangeWatch : public FolderWatch {
  public:
    explicit ChangeWatch(HANDLE stop_event) : stop_event_(stop_event) {}
    ~ChangeWatch() override { Close(); }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    bool Open(const char* folder) override {
        change_ = FindFirstChangeNotificationA(folder, FALSE, FILE_NOTIFY_CHANGE_LAST_WRITE);
        if (change_ == INVALID_HANDLE_VALUE) {
            return false;
        }
        InterlockedIncrement(&g_open_watches);
        return true;
    }
    WatchWait Wait() override {
        const HANDLE handles[2] = {change_, stop_event_};
        switch (WaitForMultipleObjects(2, handles, FALSE, INFINITE)) {
            case WAIT_OBJECT_0:
                return WatchWait::kChange;
            case WAIT_OBJECT_0 + 1:
                return WatchWait::kStop;
            default:
                return WatchWait::kFailed;
        }
    }
    bool Rearm() override {
        InterlockedIncrement(&g_changes_seen);
        return FindNextChangeNotification(change_) != FALSE;
    }
    void Close() override {
        if (change_ != INVALID_HANDLE_VALUE) {
            FindCloseChangeNotification(change_);
            change_ = INVALID_HANDLE_VALUE;
            InterlockedDecrement(&g_open_watches);
        }
    }
    void ResetStop() override { ResetEvent(stop_event_); }

  private:
    HANDLE stop_event_;
    HANDLE change_ = INVALID_HANDLE_VALUE;
};

}  // namespace

Win32WatcherThread::Win32WatcherThread()
    : stop_event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Win32WatcherThread::~Win32WatcherThread() {
    SignalStop();
    WaitForEnd();
    if (stop_event_ != nullptr) {
        CloseHandle(stop_event_);
    }
}

void Win32WatcherThread::SignalStop() {
    if (stop_event_ != nullptr) {
        SetEvent(stop_event_);
    }
}

void Win32WatcherThread::ResetStop() {
    if (stop_event_ != nullptr) {
        ResetEvent(stop_event_);
    }
}

// Callers end a running watcher first (ExportWatcherControl::Start), so
// the folder copy is never read by a thread while it is written.
bool Win32WatcherThread::Start(const char* folder) {
    if (stop_event_ == nullptr || thread_ != nullptr) {
        return false;
    }
    std::strncpy(folder_, folder, kWatchFolderSize - 1);
    folder_[kWatchFolderSize - 1] = '\0';
    thread_ = CreateThread(nullptr, 0, &Win32WatcherThread::Run, this, 0, nullptr);
    return thread_ != nullptr;
}

void Win32WatcherThread::WaitForEnd() {
    if (thread_ == nullptr) {
        return;
    }
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

LONG Win32WatcherThread::OpenWatches() {
    return InterlockedCompareExchange(&g_open_watches, 0, 0);
}

LONG Win32WatcherThread::ChangesSeen() {
    return InterlockedCompareExchange(&g_changes_seen, 0, 0);
}

DWORD WINAPI Win32WatcherThread::Run(LPVOID self) {
    auto* owner = static_cast<Win32WatcherThread*>(self);
    ChangeWatch watch(owner->stop_event_);
    return static_cast<DWORD>(RunExportWatcher(watch, owner->folder_));
}

}  // namespace tarnik
