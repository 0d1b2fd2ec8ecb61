#pragma once
// OLE for the installer's thread, with a message filter that waits while
// CorelDRAW does not answer an automation call and then offers the
// busy-server dialog with its retry choice.
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
};

}  // namespace tarnik::ostrel
