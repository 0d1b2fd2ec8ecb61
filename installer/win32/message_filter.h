#pragma once
// OLE for the installer's thread, with a message filter that waits while
// CorelDRAW does not answer an automation call, whether it turns the call
// away as busy or takes it and does not return, and then offers the busy
// choice: retry, or cancel the call (installer/busy_call_wait.h).
#include <windows.h>

namespace tarnik::ostrel {

class OleSession {
  public:
    OleSession() = default;
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    // Initialises OLE and registers the filter; its busy dialogs are owned
    // by `owner`. False when OLE cannot be initialised.
    bool Start(HWND owner);

  private:
    bool started_ = false;
    IMessageFilter* previous_filter_ = nullptr;
    // Posts the messages that let a waiting call ask the filter again.
    static DWORD WINAPI PostWakeMessages(void* session);
    HANDLE waker_ = nullptr;
    HANDLE wake_stop_ = nullptr;
    DWORD thread_ = 0;
};

}  // namespace tarnik::ostrel
